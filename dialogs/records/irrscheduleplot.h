#pragma once
// "Plot" of the irrigation schedule: the graph window titled "Irrigation
// Schedule" with the date on the x axis ("Date") and the depth on the y axis
// ("Amount (cm)"), chart name "korva_irr_sched". The graph window lives in the
// charts library, above this one; it installs the plotter at start-up.
#include "model/cropdata.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace korva {

struct IrrigationPlotPoint {
    int dayNumber; // from 1 January of the simulation year
    double depth;  // cm
};

// The schedule's events in date order; items whose date the calendar does not
// have (a new all-zero row, a year before the simulation year) are left out.
std::vector<IrrigationPlotPoint> IrrigationPlotPoints(const IrrigationData& schedule,
                                                      int simulationYear);

struct IrrigationPlotRequest {
    QString basinName;
    int simulationYear = 0;
    std::vector<IrrigationPlotPoint> points;
    // The texts of the window, fixed by the program.
    static QString Title() { return "Irrigation Schedule"; }
    static QString ChartName() { return "korva_irr_sched"; }
    static QString XAxisTitle() { return "Date"; }
    static QString YAxisTitle() { return "Amount (cm)"; }
};

using IrrigationPlotter = std::function<void(QWidget* parent, const IrrigationPlotRequest&)>;

// Installs the function that opens the graph window (nullptr removes it).
void SetIrrigationPlotter(IrrigationPlotter plotter);
bool HasIrrigationPlotter();
// Opens the graph window; false when no plotter is installed.
bool PlotIrrigationSchedule(QWidget* parent, const IrrigationPlotRequest& request);

} // namespace korva
