#pragma once
// Pictures of a chart of our chart engine as files: PNG, JPEG or SVG, chosen
// by the file's extension. The graph window's "Save Image..." and "Copy" and
// korva-batch plot-series draw through here, so all of them show the same
// chart. Needs a QApplication on the calling thread (Qt Charts does).
#include <QImage>
#include <string>

namespace korva::plot {
class ChartModel;
}

namespace korva::charts {

// The format a file name asks for: "png", "jpg" or "svg"; empty for another.
std::string ChartImageFormat(const std::string& path);

// The chart of model drawn at width × height pixels.
QImage RenderChart(const plot::ChartModel& model, int width, int height);

// Writes the chart to path through a temporary file that replaces path only
// when complete. False with a reason in error for an unknown extension, a
// size outside 1..8192 or a file that cannot be written (an existing file is
// then left as it was).
bool WriteChartImage(const plot::ChartModel& model, int width, int height, const std::string& path,
                     std::string& error);

} // namespace korva::charts
