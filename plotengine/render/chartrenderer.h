#pragma once
// ChartRenderer: draws a ChartModel into an image without a display. It
// keeps one scene and chart for all drawings, so fonts, styles and the
// scene are built once; only the series and axes are rebuilt per chart.
// Lives on the engine's render thread.
#include "imagemap.h"

#include <QImage>
#include <array>
#include <memory>
#include <vector>

class QChart;
class QGraphicsScene;

namespace korva::plot {

class ChartModel;

struct RenderResult {
    QImage image;                  // Width × Height, when painting was asked for
    std::array<double, 8> sdkInfo; // plot-area data ranges and pixel edges
    std::vector<HotSpot> hotSpots; // one per drawn data point
};

class ChartRenderer {
public:
    ChartRenderer();
    ~ChartRenderer();

    // Builds and lays out the chart; paints it when paint is true.
    // antialiased false keeps to exact colours (GIF).
    RenderResult Render(const ChartModel& model, bool paint, bool antialiased);

private:
    std::unique_ptr<QGraphicsScene> scene_;
    QChart* chart_ = nullptr; // owned by the scene
};

} // namespace korva::plot
