#include "irrscheduleplot.h"

#include "model/calendar.h"

#include <algorithm>

namespace korva {

namespace {
IrrigationPlotter& Plotter() {
    static IrrigationPlotter plotter;
    return plotter;
}
} // namespace

std::vector<IrrigationPlotPoint> IrrigationPlotPoints(const IrrigationData& schedule,
                                                      int simulationYear) {
    std::vector<IrrigationPlotPoint> points;
    for (const IrrigationDataItem& item : schedule) {
        const int day = DateToDayNumber(item.day, item.month, item.year, simulationYear);
        if (day >= 0) points.push_back({day, item.amount});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.dayNumber < b.dayNumber; });
    return points;
}

void SetIrrigationPlotter(IrrigationPlotter plotter) {
    Plotter() = std::move(plotter);
}

bool HasIrrigationPlotter() {
    return static_cast<bool>(Plotter());
}

bool PlotIrrigationSchedule(QWidget* parent, const IrrigationPlotRequest& request) {
    if (!Plotter()) return false;
    Plotter()(parent, request);
    return true;
}

} // namespace korva
