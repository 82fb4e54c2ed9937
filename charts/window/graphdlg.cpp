#include "graphdlg.h"

#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "charts/graph/graphtable.h"
#include "charts/image/chartimage.h"
#include "chartscenebuilder.h"
#include "files/replacefile.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFileInfo>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRubberBand>
#include <QValueAxis>

namespace korva::charts {

namespace {

// A press and release closer than this are a click, not a drag.
constexpr int kMinDrag = 4;

// A name typed without an extension gets the usual one.
QString WithExtension(const QString& path, const char* extension) {
    if (path.isEmpty() || QFileInfo(path).fileName().contains('.')) return path;
    return path + extension;
}

} // namespace

GraphDlg::GraphDlg(GraphData data, const QString& settingsFolder, QWidget* parent)
    : QDialog(parent), data_(std::move(data)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("Graph");
    setWindowTitle("Graph");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save Image...", this);
    auto* copy = new QPushButton("Copy", this);
    auto* exportData = new QPushButton("Export Data...", this);
    for (QPushButton* b : {save, copy, exportData}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    shown_ = new QChart;
    view_ = new QChartView(shown_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->viewport()->installEventFilter(this);
    view_->setToolTip("Drag across the chart to zoom into that time; click to show it all");
    layout->addWidget(view_, 1);
    band_ = new QRubberBand(QRubberBand::Rectangle, view_->viewport());

    connect(save, &QPushButton::clicked, this, &GraphDlg::OnSaveImage);
    connect(copy, &QPushButton::clicked, this, &GraphDlg::CopyImage);
    connect(exportData, &QPushButton::clicked, this, &GraphDlg::OnExportData);

    GraphHost host;
    host.draw = [this] { Redraw(); };
    host.message = [this](const std::string& text) {
        Prompts().Warn(this, QString::fromStdString(text));
    };
    host.caption = [this](const std::string& caption) {
        setWindowTitle(QString::fromStdString(caption));
    };
    QString folder = settingsFolder;
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
    host.settingsFolder = folder.toStdString();
    builder_ = std::make_unique<GraphBuilder>(data_, chart_, std::move(host));

    move(0, 0);
    resize(800, 600);
}

GraphDlg::~GraphDlg() {
    // Taken down while still shown (the program ending): keep the settings
    // without a message, which could no longer be answered.
    if (!settingsSaved_ && builder_) {
        std::string error;
        builder_->SaveSettings(error);
    }
}

GraphDlg* ShowGraph(GraphData data, const QString& settingsFolder, QWidget* parent) {
    auto* dlg = new GraphDlg(std::move(data), settingsFolder, parent);
    dlg->show();
    dlg->Rebuild();
    return dlg;
}

void GraphDlg::Rebuild() {
    // The chart is laid out for the size it is shown at.
    const QSize size = view_->viewport()->size();
    data_.virtualSize = {std::max(size.width(), 1), std::max(size.height(), 1)};
    try {
        builder_->Build();
    } catch (const plot::ChartError& e) {
        Prompts().Warn(this, QString("[GraphView::BuildGraphWindow] Failed to create graph.\n") +
                                 e.what());
    }
}

void GraphDlg::Redraw() {
    const plot::BuiltChart built = plot::ChartSceneBuilder::Build(chart_, *shown_);
    xAxis_ = built.xAxis;
}

double GraphDlg::DataXAt(int viewportX) const {
    // The plot area's pixels map linearly onto the X axis range.
    const QRectF area = shown_->plotArea();
    double low = 0.0, high = 0.0;
    if (auto* v = qobject_cast<QValueAxis*>(xAxis_)) {
        low = v->min();
        high = v->max();
    } else if (auto* c = qobject_cast<QCategoryAxis*>(xAxis_)) {
        low = c->min();
        high = c->max();
    } else {
        return 0.0;
    }
    if (area.width() <= 0) return low;
    const QPointF scene = view_->mapToScene(QPoint(viewportX, 0));
    const QPointF inChart = shown_->mapFromScene(scene);
    const double t = std::clamp((inChart.x() - area.left()) / area.width(), 0.0, 1.0);
    return low + t * (high - low);
}

void GraphDlg::DragZoom(const QPoint& from, const QPoint& to) {
    const double x1 = DataXAt(from.x());
    const double x2 = DataXAt(to.x());
    builder_->Zoom(ZoomFromDrag(x1, x2, data_.pointCount));
}

bool GraphDlg::SaveSettings() {
    std::string error;
    settingsSaved_ = true;
    if (builder_->SaveSettings(error)) return true;
    Prompts().Warn(this, QString::fromStdString("Unable to save the chart settings file " +
                                                builder_->SettingsPath() + ": " + error));
    return false;
}

void GraphDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A minimised window is hidden by the window system; it is not closing.
    if (!event->spontaneous()) SaveSettings();
}

void GraphDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible() && !isMinimized()) Rebuild();
}

bool GraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_->viewport()) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !dragging_) {
            dragging_ = true;
            dragStart_ = mouse->position().toPoint();
            band_->setGeometry(QRect(dragStart_, QSize()));
            band_->show();
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            builder_->NextFrame(); // step through the frames of the chart
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            band_->setGeometry(QRect(dragStart_, at).normalized());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            dragging_ = false;
            band_->hide();
            QPoint end = static_cast<QMouseEvent*>(event)->position().toPoint();
            if ((end - dragStart_).manhattanLength() < kMinDrag) end = dragStart_;
            DragZoom(dragStart_, end);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool GraphDlg::SaveImage(const QString& path) {
    std::string error;
    const QSize size = view_->viewport()->size();
    if (!WriteChartImage(chart_, size.width(), size.height(), path.toStdString(), error)) {
        Prompts().Warn(this, QString::fromStdString("Unable to save the image: " + error));
        return false;
    }
    return true;
}

void GraphDlg::CopyImage() {
    const QSize size = view_->viewport()->size();
    QApplication::clipboard()->setImage(RenderChart(chart_, size.width(), size.height()));
}

bool GraphDlg::ExportData(const QString& path) {
    std::string error;
    if (!ReplaceFileContents(path.toStdString(), GraphDataTable(data_), &error)) {
        Prompts().Warn(this, "Unable to open " + path + " (" + QString::fromStdString(error) + ")");
        return false;
    }
    return true;
}

void GraphDlg::OnSaveImage() {
    const QString filter = "PNG image (*.png);;JPEG image (*.jpg *.jpeg);;SVG image (*.svg)";
    const QString path = WithExtension(
        Prompts().SaveFileName(this, "Save Image", filter, CKORVADoc::WorkingFolder()), ".png");
    if (!path.isEmpty()) SaveImage(path);
}

void GraphDlg::OnExportData() {
    const QString path = WithExtension(
        Prompts().SaveFileName(this, "Export Data", "Tab-delimited files (*.txt);;All Files (*)",
                               CKORVADoc::WorkingFolder()),
        ".txt");
    if (!path.isEmpty()) ExportData(path);
}

} // namespace korva::charts
