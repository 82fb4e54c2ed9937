#pragma once
// ChartSceneBuilder: turns a ChartModel into the series, axes, titles and
// legend of a QChart. The headless renderer puts that chart into its own
// scene; an interactive view can show a chart built the same way.
// Must run on the thread that owns the chart (Qt Charts is single-threaded).
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

class QAbstractAxis;
class QAbstractSeries;
class QChart;

namespace korva::plot {

class ChartModel;

// One drawn point, kept so that the renderer can label it and the image map
// can point at it once the chart has been laid out.
struct PlottedPoint {
    int set = 0; // set number of its group
    bool overlay = false;
    int point = 0;    // point index
    double value = 0; // the Y value shown
    enum class Shape { Marker, Bar, Slice } shape = Shape::Marker;
    QPointF anchor;                       // data coordinates: the point, or a bar's top centre
    QRectF bar;                           // data coordinates of a bar
    double sliceStart = 0, sliceSpan = 0; // degrees clockwise from 12 o'clock
    QAbstractSeries* series = nullptr;
};

struct BuiltChart {
    std::vector<PlottedPoint> points;
    bool horizontalBars = false;
    bool pie = false;
    double pieSize = 0.7; // fraction of the plot area's smaller side
    QAbstractAxis* xAxis = nullptr;
    QAbstractAxis* yAxis = nullptr;
};

class ChartSceneBuilder {
public:
    // Clears chart and fills it from model. antialiased false keeps the
    // picture to a few exact colours (wanted for GIF).
    static BuiltChart Build(const ChartModel& model, QChart& chart);

    // Pixel position of a data point on the laid-out chart.
    static QPointF PixelOf(QChart& chart, const PlottedPoint& p, QPointF data);
    // Pixel outline of a plotted point's hot spot.
    static QPolygonF HotSpot(QChart& chart, const BuiltChart& built, const PlottedPoint& p,
                             int markerRadius);
};

// The text of a value by a page's number format ("%.2f", "%g"); a format
// that is not one plain number conversion falls back to the shortest form,
// so a hostile format can never reach printf.
QString FormatNumber(double value, const std::string& format);

} // namespace korva::plot
