#include "dialogs/records/recordcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "dialogs/records/boundaries/draincollectorconnectdlg.h"
#include "dialogs/records/boundaries/natbounddlg.h"
#include "dialogs/records/crops/cropparameterdlg.h"
#include "dialogs/records/crops/cropyieldeditdlg.h"
#include "dialogs/records/irrigation/irrscheduledlg.h"
#include "dialogs/records/projectdialogdocument.h"

namespace korva {

namespace {

// A modeless editor of the project: made on first use and shown again by
// every later call. Closed, it goes, so the next call starts from the
// project's records.
template <typename Dialog> void ShowRecordEditor(const CommandContext& context, const char* key) {
    CKORVADoc* document = context.document;
    if (!document) return;
    QWidget* shown = document->ShowModeless(key, [&]() -> QWidget* {
        auto* dialog = new Dialog(ProjectDialogDocument::For(*document), context.mainWindow);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    });
    // "&Irrigation Schedule" shown again refreshes its basin list.
    if (auto* irrigation = qobject_cast<IrrScheduleDlg*>(shown)) irrigation->Reload();
}

} // namespace

void RegisterRecordCommands(CommandTable& table) {
    table.Register(cmd::DataCropBuilder, [](const CommandContext& context) {
        ShowRecordEditor<CropParameterDlg>(context, "crop data");
    });
    table.Register(cmd::DataIrrigation, [](const CommandContext& context) {
        ShowRecordEditor<IrrScheduleDlg>(context, "irrigation schedule");
    });
    table.Register(cmd::DataDrainCollector, [](const CommandContext& context) {
        ShowRecordEditor<DrainCollectorConnectDlg>(context, "drain-collector connectivity");
    });
    table.Register(cmd::DataNaturalBoundaries, [](const CommandContext& context) {
        if (!context.document) return;
        NatBoundDlg dialog(ProjectDialogDocument::For(*context.document), context.mainWindow);
        dialog.exec();
    });
}

std::function<QDialog*(QWidget* parent)> CropYieldEditorFactory(DialogDocument& document) {
    return [&document](QWidget* parent) { return new CropYieldEditDlg(document, parent); };
}

} // namespace korva
