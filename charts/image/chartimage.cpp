#include "chartimage.h"

#include "chartcodes.h"
#include "chartmodel.h"
#include "chartscenebuilder.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

namespace korva::charts {

namespace {

constexpr int MaxSide = 8192;

// Lays the chart of model out in scene at width × height.
void LayOut(const plot::ChartModel& model, QGraphicsScene& scene, QChart& chart, int width,
            int height) {
    plot::ChartSceneBuilder::Build(model, chart);
    chart.setPos(0, 0);
    chart.resize(width, height);
    scene.setSceneRect(0, 0, width, height);
    if (chart.layout() != nullptr) chart.layout()->activate();
}

} // namespace

std::string ChartImageFormat(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png") return "png";
    if (ext == "jpg" || ext == "jpeg") return "jpg";
    if (ext == "svg") return "svg";
    return {};
}

QImage RenderChart(const plot::ChartModel& model, int width, int height) {
    width = std::clamp(width, 1, MaxSide);
    height = std::clamp(height, 1, MaxSide);
    QGraphicsScene scene;
    auto* chart = new QChart; // owned by the scene
    scene.addItem(chart);
    LayOut(model, scene, *chart, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(plot::kPaletteRgb[static_cast<std::size_t>(
        model.BackgroundColor(plot::kBackgroundChart))]));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(0, 0, width, height), QRectF(0, 0, width, height));
    return image;
}

bool WriteChartImage(const plot::ChartModel& model, int width, int height, const std::string& path,
                     std::string& error) {
    const std::string format = ChartImageFormat(path);
    if (format.empty()) {
        error = "the file name must end in .png, .jpg, .jpeg or .svg: " + path;
        return false;
    }
    if (width < 1 || width > MaxSide || height < 1 || height > MaxSide) {
        error = "the picture size must be 1 to 8192 pixels each way";
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "unable to write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    if (format == "svg") {
        QGraphicsScene scene;
        auto* chart = new QChart;
        scene.addItem(chart);
        LayOut(model, scene, *chart, width, height);
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle(QString::fromStdString(model.Txt("GraphTitle")));
        QPainter painter;
        if (!painter.begin(&svg)) {
            error = "unable to write " + path;
            file.cancelWriting();
            return false;
        }
        painter.fillRect(QRectF(0, 0, width, height),
                         QColor::fromRgb(plot::kPaletteRgb[static_cast<std::size_t>(
                             model.BackgroundColor(plot::kBackgroundChart))]));
        scene.render(&painter, QRectF(0, 0, width, height), QRectF(0, 0, width, height));
        painter.end();
    } else {
        const QImage image = RenderChart(model, width, height);
        if (!image.save(&file, format == "png" ? "PNG" : "JPEG", format == "png" ? -1 : 90)) {
            error = "unable to write " + path;
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        error = "unable to write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace korva::charts
