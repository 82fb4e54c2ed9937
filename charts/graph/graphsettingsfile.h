#pragma once
// What a graph window keeps in its chart settings file (graph name + ".pxp"
// in the working folder): how the chart looks, never what it shows. The next
// window of that name may show other series over another period with the
// same number of points, and the file is read back over its freshly built
// chart; so the values, X positions, labels, legends, titles, axis ranges,
// the zoom and the date labels stay out, and the file holds the types,
// styles, colours, fonts, grid, ticks and legend place.
#include <string>

namespace korva::plot {
class ChartModel;
}

namespace korva::charts {

// The settings text of chart (the engine's chart settings format).
std::string GraphSettingsText(const plot::ChartModel& chart);

// Writes GraphSettingsText(chart) to path through a temporary file renamed
// over it, so a failed write leaves an older file as it was. False with the
// system's reason in error when the file could not be written.
bool SaveGraphSettings(const plot::ChartModel& chart, const std::string& path, std::string& error);

} // namespace korva::charts
