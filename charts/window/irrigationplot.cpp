#include "irrigationplot.h"

#include "charts/graph/irrigationgraph.h"
#include "graphdlg.h"

#include <QMessageBox>

namespace korva::charts {

GraphDlg* ShowIrrigationPlot(const IrrigationData& schedule, const QString& workingFolder,
                             QWidget* parent) {
    if (schedule.empty()) {
        QMessageBox::information(parent, "Irrigation Schedule",
                                 "The schedule holds no irrigation to plot.");
        return nullptr;
    }
    return ShowGraph(MakeIrrigationGraph(schedule), workingFolder, parent);
}

} // namespace korva::charts
