#include "chartcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "output/printcontroldlg.h"
#include "output/timeseriesoutputdisplaydlg.h"
#include "output/timeseriesoutputdlg.h"

namespace korva::charts {

void RegisterChartCommands(CommandTable& table) {
    table.Register(cmd::DataPrintControl, [](const CommandContext& c) {
        CKORVADoc& document = *c.document;
        document.ShowModeless("printcontrol",
                              [&] { return new PrintControlDlg(document, c.mainWindow); });
    });
    table.Register(cmd::GridAssignOutput, [](const CommandContext& c) {
        CKORVADoc& document = *c.document;
        auto* view = dynamic_cast<ViewReceiverHost*>(c.view);
        document.ShowModeless("timeseriesoutput", [&] {
            return new TimeSeriesOutputDlg(document, view, c.mainWindow);
        });
    });
    table.Register(
        cmd::GridDisplayOutput,
        [](const CommandContext& c) {
            CKORVADoc& document = *c.document;
            // The 3D view, when it takes the dialog's mouse (it offers the
            // receiver host), follows the pointer for the dialog.
            auto* view = dynamic_cast<ViewReceiverHost*>(c.view);
            document.ShowModeless("timeseriesdisplay", [&] {
                return new TimeSeriesOutputDisplayDlg(document, view, c.mainWindow);
            });
        },
        [](const CommandContext& c) {
            return c.document != nullptr && !c.document->Grid().Outputs().Empty();
        });
}

} // namespace korva::charts
