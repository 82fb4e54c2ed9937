#pragma once
// "Plot" of the irrigation schedule editor: the schedule's depths over their
// dates in a graph window named "korva_irr_sched".
#include "model/cropdata.h"

#include <QString>

class QWidget;

namespace korva::charts {

class GraphDlg;

// Opens the graph window (modeless, deleted on close); nullptr, after a
// message, when the schedule is empty.
GraphDlg* ShowIrrigationPlot(const IrrigationData& schedule, const QString& workingFolder,
                             QWidget* parent = nullptr);

} // namespace korva::charts
