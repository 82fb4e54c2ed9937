#include "chartrenderer.h"

#include "chartcodes.h"
#include "chartmodel.h"
#include "chartscenebuilder.h"
#include "drawntext.h"

#include <QAbstractAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLogValueAxis>
#include <QPainter>
#include <QValueAxis>
#include <cmath>

namespace korva::plot {

namespace {

void AxisRange(const QAbstractAxis* axis, double& lo, double& hi) {
    if (auto* v = qobject_cast<const QValueAxis*>(axis))
        lo = v->min(), hi = v->max();
    else if (auto* c = qobject_cast<const QCategoryAxis*>(axis))
        lo = c->min(), hi = c->max();
    else if (auto* l = qobject_cast<const QLogValueAxis*>(axis))
        lo = l->min(), hi = l->max();
}

std::string PointTitle(const ChartModel& m, const PlottedPoint& p) {
    int entry = p.overlay ? m.NumSets() + p.set : p.set;
    // Every hot spot repeats its legend and label: cut them as the drawing does,
    // so a long legend cannot multiply into the map file.
    std::string legend =
        p.shape == PlottedPoint::Shape::Slice ? "" : CutUtf8(m.SetText("Legend", entry));
    std::string label = CutUtf8(m.SetText("Label", p.point));
    if (label.empty()) label = std::to_string(p.point + 1);
    std::string title = legend.empty() ? label : legend + ", " + label;
    return title + ": " + FormatNumber(p.value, m.Txt("DataLabelFormat")).toStdString();
}

} // namespace

ChartRenderer::ChartRenderer() : scene_(std::make_unique<QGraphicsScene>()) {
    chart_ = new QChart;
    scene_->addItem(chart_);
}

ChartRenderer::~ChartRenderer() = default;

RenderResult ChartRenderer::Render(const ChartModel& model, bool paint, bool antialiased) {
    const int width = model.Int("Width"), height = model.Int("Height");
    BuiltChart built = ChartSceneBuilder::Build(model, *chart_);
    chart_->setPos(0, 0);
    chart_->resize(width, height);
    scene_->setSceneRect(0, 0, width, height);
    // Lay the chart out now rather than at the next event, so that the plot
    // area and the series' positions are known before painting.
    if (chart_->layout()) chart_->layout()->activate();

    RenderResult result;
    QRectF area = chart_->plotArea();
    double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
    AxisRange(built.xAxis, xlo, xhi);
    AxisRange(built.yAxis, ylo, yhi);
    if (built.horizontalBars) std::swap(xlo, ylo), std::swap(xhi, yhi);
    result.sdkInfo = {xlo, xhi, ylo, yhi, area.left(), area.right(), area.top(), area.bottom()};

    int radius = std::max(4, model.Int("SymbolSize") / 2 + 2);
    for (const auto& p : built.points) {
        if (!p.series) continue;
        QPolygonF poly = ChartSceneBuilder::HotSpot(*chart_, built, p, radius);
        HotSpot spot;
        if (p.shape == PlottedPoint::Shape::Marker) {
            spot.shape = HotSpot::Shape::Circle;
            QPointF c = poly.front();
            if (!std::isfinite(c.x()) || !std::isfinite(c.y()) ||
                !area.adjusted(-1, -1, 1, 1).contains(c))
                continue; // outside a fixed axis range: nothing to click
            spot.coords = {static_cast<int>(std::lround(c.x())),
                           static_cast<int>(std::lround(c.y())), radius};
        } else if (p.shape == PlottedPoint::Shape::Bar) {
            spot.shape = HotSpot::Shape::Rect;
            QRectF r = poly.boundingRect().intersected(area);
            if (r.isEmpty()) continue;
            spot.coords = {
                static_cast<int>(std::floor(r.left())), static_cast<int>(std::floor(r.top())),
                static_cast<int>(std::ceil(r.right())), static_cast<int>(std::ceil(r.bottom()))};
        } else {
            spot.shape = HotSpot::Shape::Poly;
            for (QPointF q : poly) {
                spot.coords.push_back(static_cast<int>(std::lround(q.x())));
                spot.coords.push_back(static_cast<int>(std::lround(q.y())));
            }
        }
        // MapRefString is kept per point of a main-group set.
        if (!p.overlay) spot.href = model.PointText("MapRefString", p.set, p.point);
        spot.title = PointTitle(model, p);
        result.hotSpots.push_back(std::move(spot));
    }

    if (!paint) return result;
    result.image = QImage(width, height, QImage::Format_RGB32);
    result.image.fill(QColor::fromRgb(kPaletteRgb[model.BackgroundColor(kBackgroundChart)]));
    QPainter painter(&result.image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    scene_->render(&painter, QRectF(0, 0, width, height), QRectF(0, 0, width, height));

    if (model.Int("DataLabels") != 0 && !built.pie) {
        QFont font(DrawnText(model.ListText("FName", kFontLabels)));
        font.setPointSizeF(std::clamp(model.ListInt("FSize", kFontLabels), 4, 96));
        if (!antialiased) font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(kPaletteRgb[model.ForegroundColor(kForegroundText)]));
        for (const auto& p : built.points) {
            if (!p.series) continue;
            QPointF at = ChartSceneBuilder::PixelOf(*chart_, p, p.anchor);
            if (!area.contains(at)) continue;
            std::string custom = p.overlay ? "" : model.PointText("DataLabel", p.set, p.point);
            QString text = custom.empty() ? FormatNumber(p.value, model.Txt("DataLabelFormat"))
                                          : DrawnText(custom);
            QRectF box(at.x() - 60, at.y() - 20, 120, 16);
            painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, text);
        }
    }
    return result;
}

} // namespace korva::plot
