#include "simulationconstantscommand.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "dialogs/records/projectdialogdocument.h"
#include "dialogs/records/recordcommands.h"
#include "simulationconstantsdlg.h"

namespace korva {

SimulationConstantsDlg* ShowSimulationConstants(CKORVADoc& document, QWidget* parent) {
    QWidget* shown =
        document.ShowModeless(QStringLiteral("SimulationConstantsDlg"), [&]() -> QWidget* {
            DialogDocument& project = ProjectDialogDocument::For(document);
            auto* panel = new SimulationConstantsDlg(project, parent);
            panel->SetCropYieldEditor(CropYieldEditorFactory(project));
            return panel;
        });
    return qobject_cast<SimulationConstantsDlg*>(shown);
}

void RegisterSimulationConstantsCommand(CommandTable& table) {
    table.Register(cmd::DataConstants, [](const CommandContext& context) {
        if (context.document) ShowSimulationConstants(*context.document, context.mainWindow);
    });
}

} // namespace korva
