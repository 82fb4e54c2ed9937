#pragma once
// GraphDlg: the program's chart window ("Graph"). Its creator fills a
// GraphData and shows it; the window builds the chart with GraphBuilder,
// keeps it fitted to the window, steps through frames, zooms into the X range
// dragged with the mouse, and saves, copies and exports what it shows. Each
// window owns its data, its chart and its drag state; it deletes itself when
// closed, and then keeps the chart's look in its settings file (graph name +
// ".pxp" in the working folder), which the next window of that name reads.
#include "chartmodel.h"
#include "charts/graph/graphbuilder.h"

#include <QDialog>
#include <QString>
#include <memory>

class QChart;
class QChartView;
class QRubberBand;
class QAbstractAxis;

namespace korva::charts {

class GraphDlg : public QDialog {
    Q_OBJECT
public:
    // settingsFolder holds the chart settings file (graph name + ".pxp"): the
    // working folder.
    GraphDlg(GraphData data, const QString& settingsFolder, QWidget* parent = nullptr);
    ~GraphDlg() override;

    const GraphData& Data() const { return data_; }
    const plot::ChartModel& Chart() const { return chart_; }
    QChartView* ChartView() const { return view_; }

    // Builds the chart again (what opening and every resize do).
    void Rebuild();
    // The zoom of a drag between two points of the chart view's viewport.
    void DragZoom(const QPoint& from, const QPoint& to);
    // The X data coordinate under a viewport pixel column.
    double DataXAt(int viewportX) const;

    // Writes the chart settings file now (closing the window does it too);
    // false after a message when it could not be written.
    bool SaveSettings();

    bool SaveImage(const QString& path);
    void CopyImage();
    bool ExportData(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Closing (also by Esc) hides the window first: the settings are kept then.
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Redraw();
    void OnSaveImage();
    void OnExportData();

    GraphData data_;
    plot::ChartModel chart_;
    std::unique_ptr<GraphBuilder> builder_;
    QChartView* view_ = nullptr;
    QChart* shown_ = nullptr; // owned by view_
    QAbstractAxis* xAxis_ = nullptr;
    QRubberBand* band_ = nullptr;
    // The drag of this window: a zoom starts with a press in the plot area.
    bool dragging_ = false;
    QPoint dragStart_;
    bool settingsSaved_ = false;
};

// Opens a graph window for data (modeless, deleted on close) and returns it.
GraphDlg* ShowGraph(GraphData data, const QString& settingsFolder, QWidget* parent = nullptr);

} // namespace korva::charts
