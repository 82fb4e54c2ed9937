#include "chartcommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "output/outputparamcontroldlg.h"
#include "output/printcontroldlg.h"
#include "output/timeseriesoutputdisplaydlg.h"
#include "output/timeseriesoutputdlg.h"
#include "view3d/viewpanelhost.h"

namespace korva::charts {

bool HasOutputQuantities(const GridData& grid) {
    return !grid.Outputs().gridOutputs.empty();
}

bool HasTimeSeries(const GridData& grid) {
    const OutputStore& outputs = grid.Outputs();
    for (int code = 0; code < OutputParamCount; ++code) {
        const auto at = static_cast<std::size_t>(code);
        if (!outputs.cellSeries[at].empty() || !outputs.averageSeries[at].empty()) return true;
    }
    return false;
}

namespace {

// The three output panels belong to the 3D view, which shows one editing
// panel at a time. Without a view of its own (a window with no OpenGL) a
// panel is the document's and stands alone.
template <typename Dialog>
void TogglePanelOf(const CommandContext& c, ViewPanel panel, const char* key) {
    CKORVADoc& document = *c.document;
    auto* view = dynamic_cast<ViewReceiverHost*>(c.view);
    const auto create = [&]() -> QWidget* { return new Dialog(document, view, c.mainWindow); };
    if (auto* host = dynamic_cast<ViewPanelHost*>(c.view))
        TogglePanel(*host, panel, create);
    else
        document.ShowModeless(key, create);
}

std::function<bool(const CommandContext&)> ShownRule(ViewPanel panel) {
    return [panel](const CommandContext& c) {
        const auto* host = dynamic_cast<const ViewPanelHost*>(c.view);
        return host != nullptr && host->PanelShown(panel);
    };
}

} // namespace

void RegisterChartCommands(CommandTable& table) {
    table.Register(cmd::DataPrintControl, [](const CommandContext& c) {
        CKORVADoc& document = *c.document;
        document.ShowModeless("printcontrol",
                              [&] { return new PrintControlDlg(document, c.mainWindow); });
    });
    table.Register(cmd::GridAssignOutput,
                   {[](const CommandContext& c) {
                        TogglePanelOf<TimeSeriesOutputDlg>(c, ViewPanel::TimeSeriesOutput,
                                                           "timeseriesoutput");
                    },
                    {},
                    ShownRule(ViewPanel::TimeSeriesOutput)});
    table.Register(cmd::GridParameterColors,
                   {[](const CommandContext& c) {
                        TogglePanelOf<OutputParamControlDlg>(c, ViewPanel::OutputParameters,
                                                             "outputparameters");
                    },
                    [](const CommandContext& c) {
                        return c.document != nullptr && HasOutputQuantities(c.document->Grid());
                    },
                    ShownRule(ViewPanel::OutputParameters)});
    table.Register(cmd::GridDisplayOutput,
                   {[](const CommandContext& c) {
                        // The 3D view follows the pointer for the dialog.
                        TogglePanelOf<TimeSeriesOutputDisplayDlg>(c, ViewPanel::TimeSeriesDisplay,
                                                                  "timeseriesdisplay");
                    },
                    [](const CommandContext& c) {
                        return c.document != nullptr && HasTimeSeries(c.document->Grid());
                    },
                    ShownRule(ViewPanel::TimeSeriesDisplay)});
}

} // namespace korva::charts
