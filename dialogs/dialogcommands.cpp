#include "dialogcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "grid/grideditdlg.h"
#include "grid/transformparamdlg.h"
#include "projectdialogdocument.h"
#include "settings/simulationconstantsdlg.h"
#include "view3d/viewreceivers.h"

namespace korva {

namespace {

// The "Simulation Constants" panel and its editors live as long as their
// document, which keeps its modeless dialogs.
void ShowConstants(const CommandContext& context) {
    if (!context.document) return;
    CKORVADoc& document = *context.document;
    document.ShowModeless(QStringLiteral("SimulationConstantsDlg"), [&]() -> QWidget* {
        return new SimulationConstantsDlg(ProjectDialogDocument::Of(document), context.mainWindow);
    });
}

// The grid editor belongs to the view it picks in; without a view that takes
// picks it still edits the totals and tables.
void ShowGridEditor(const CommandContext& context) {
    if (!context.document) return;
    QWidget* owner = context.view ? context.view : context.frame;
    GridEditDlg* dialog =
        owner ? owner->findChild<GridEditDlg*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!dialog) {
        auto* host = dynamic_cast<ViewReceiverHost*>(context.view);
        dialog = new GridEditDlg(ProjectDialogDocument::Of(*context.document), host,
                                 owner ? owner : context.mainWindow);
    }
    dialog->Start();
}

void ShowTransform(const CommandContext& context) {
    if (!context.document) return;
    TransformParamDlg dialog(ProjectDialogDocument::Of(*context.document), context.mainWindow);
    dialog.exec();
}

} // namespace

void RegisterDialogCommands(CommandTable& table) {
    table.Register(cmd::DataConstants, ShowConstants);
    table.Register(cmd::DataEditGrid, ShowGridEditor);
    table.Register(cmd::DataTransform, ShowTransform);
}

} // namespace korva
