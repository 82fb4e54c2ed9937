#include "dialogcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "dialogs/records/projectdialogdocument.h"
#include "dialogs/records/recordcommands.h"
#include "grid/grideditdlg.h"
#include "grid/transformparamdlg.h"
#include "settings/simulationconstantsdlg.h"
#include "view3d/viewreceivers.h"

namespace korva {

namespace {

// The "Simulation Constants" panel and its editors live as long as their
// document, which keeps its modeless dialogs. Its "Crop Yield Function" is
// the record editors' crop yield editor on the same project.
void ShowConstants(const CommandContext& context) {
    if (!context.document) return;
    CKORVADoc& document = *context.document;
    document.ShowModeless(QStringLiteral("SimulationConstantsDlg"), [&]() -> QWidget* {
        DialogDocument& project = ProjectDialogDocument::For(document);
        auto* panel = new SimulationConstantsDlg(project, context.mainWindow);
        panel->SetCropYieldEditor(CropYieldEditorFactory(project));
        return panel;
    });
}

// The grid editor works with the view it was opened from (it takes that
// view's picks); without a view that takes picks it still edits the totals
// and tables. The document keeps it, so the view may close before it.
void ShowGridEditor(const CommandContext& context) {
    if (!context.document) return;
    CKORVADoc& document = *context.document;
    QWidget* shown = document.ShowModeless(QStringLiteral("GridEditDlg"), [&]() -> QWidget* {
        return new GridEditDlg(ProjectDialogDocument::For(document),
                               dynamic_cast<ViewReceiverHost*>(context.view), context.mainWindow);
    });
    if (auto* dialog = qobject_cast<GridEditDlg*>(shown)) dialog->Start();
}

void ShowTransform(const CommandContext& context) {
    if (!context.document) return;
    TransformParamDlg dialog(ProjectDialogDocument::For(*context.document), context.mainWindow);
    dialog.exec();
}

} // namespace

void RegisterDialogCommands(CommandTable& table) {
    table.Register(cmd::DataConstants, ShowConstants);
    table.Register(cmd::DataEditGrid, ShowGridEditor);
    table.Register(cmd::DataTransform, ShowTransform);
}

} // namespace korva
