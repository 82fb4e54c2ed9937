#include "irrigationplot.h"

#include "app/document/prompter.h"
#include "charts/graph/irrigationgraph.h"
#include "graphdlg.h"

namespace korva::charts {

GraphDlg* ShowIrrigationPlot(const IrrigationData& schedule, const QString& workingFolder,
                             QWidget* parent) {
    if (schedule.empty()) {
        Prompts().Inform(parent, "The schedule holds no irrigation to plot.");
        return nullptr;
    }
    return ShowGraph(MakeIrrigationGraph(schedule), workingFolder, parent);
}

} // namespace korva::charts
