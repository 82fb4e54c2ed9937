#pragma once
// CKORVAView: the project's 3D grid view (the right pane of a project window).
// It draws the grid scene with OpenGL, turns and zooms the camera with the
// mouse, hands rectangles dragged in the 2D modes to the panel that owns the
// mode, and is the one route through which those panels change the grid:
// every change is one undoable command on the document.
#include "panels/controlpanelview.h"
#include "panels/viewpanelset.h"
#include "render/glscenerenderer.h"
#include "scene/gridscene.h"
#include "viewpanelhost.h"
#include "viewreceivers.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>

class QRubberBand;

namespace korva {

class CKORVADoc;

class CKORVAView : public QOpenGLWidget, public ViewReceiverHost, public ViewPanelHost {
    Q_OBJECT
public:
    CKORVAView(CKORVADoc& document, QWidget* parent = nullptr);
    ~CKORVAView() override;

    CKORVADoc& Document() { return document; }
    const CKORVADoc& Document() const { return document; }
    GridScene& Scene() { return scene; }
    const ViewSettings& Settings() const { return scene.Settings(); }

    // --- ViewReceiverHost -------------------------------------------------------
    void SetGridEditReceiver(GridEditPickReceiver* receiver) override { gridEdit = receiver; }
    void SetTimeSeriesCellsReceiver(TimeSeriesCellsReceiver* receiver) override {
        timeSeriesCells = receiver;
    }
    void SetTimeSeriesHoverReceiver(TimeSeriesHoverReceiver* receiver) override {
        timeSeriesHover = receiver;
    }
    void SetOutputLayerReceiver(OutputLayerReceiver* receiver) override;
    void SetViewMode(int mode) override;
    int ViewMode() const override { return Settings().ViewMode; }
    void SetCurrentSlice(int slice) override;
    int CurrentSlice() const override { return Settings().CurrentSlice; }
    void SetPlanOrientation(bool plan) override;
    bool PlanOrientation() const override { return Settings().PlanOrientation; }
    void RefreshMarkers() override;
    void RefreshGridLines() override;

    // --- ViewPanelHost ------------------------------------------------------------
    QWidget* ShowPanel(ViewPanel panel, const std::function<QWidget*()>& create) override {
        return panels.Show(panel, create);
    }
    void ClosePanel(ViewPanel panel) override { panels.Close(panel); }
    bool PanelShown(ViewPanel panel) const override { return panels.IsShown(panel); }
    QWidget* Panel(ViewPanel panel) const override { return panels.Panel(panel); }

    // The "3D Controls & Legend" form beside the view, once the window made it.
    void SetControlPanel(ControlPanelView* form) { controlPanel = form; }
    ControlPanelView* ControlPanel() const { return controlPanel; }

    // The panels of parameter and boundary editing (modes 1 and 2) take the
    // rectangles dragged while they are open.
    using PickHandler = std::function<void(const PickedCorners&)>;
    void SetParameterPickHandler(PickHandler handler) { parameterPick = std::move(handler); }
    void SetBoundaryPickHandler(PickHandler handler) { boundaryPick = std::move(handler); }

    // --- settings with their rebuilds (the control panel's) -----------------------
    void SetInputParameter(int p);
    void SetOutputParameter(int p, int period);
    void SetFilter(double lo, double hi);
    void SetColourFromFilter(bool on);
    void SetHideAboveGround(bool on);
    void SetDrawGridLines(bool on);
    void SetIndexFilters(std::vector<int> rows, std::vector<int> columns, std::vector<int> layers);
    void SetValueColour(int p, double value, uint32_t packed);
    void SetShowGroundMesh(bool show);
    // Rebuilds the lists after a colour or a display flag changed in the model's records.
    void RefreshCells();

    // --- camera -------------------------------------------------------------------
    void ArmMouseZoom();
    void RestoreZoom();
    void ZoomOut();
    // Whole degrees, from the view controls.
    void SetRotation(double x, double z);

    // --- routed edits: one undoable command each -----------------------------------
    void AssignParameter(int p, const PickedCorners& corners, int layer, double value,
                         bool propagateDown);
    void PaintBoundary(int type, int number, const PickedCorners& corners, int layer, bool add,
                       bool propagateDown);

    // --- background image ------------------------------------------------------------
    // False, with the reason, when the file is not an image; the view stays as it was.
    bool LoadBackgroundImage(const QString& path, QString& error);
    void BeginClipBackground();
    void RestoreBackgroundBounds();
    void RemoveBackgroundImage();
    bool BackgroundLoaded() const { return Settings().BackgroundLoaded; }

    // The current view drawn off screen at width x height.
    bool RenderImage(int width, int height, QImage& image, QString& error);

signals:
    void StatusText(const QString& text);
    void SliceChanged(int slice);
    void RotationChanged(double x, double z);
    void ViewModeChanged(int mode);
    // The input parameter shown changed (-1: an output quantity or nothing).
    void InputParameterChanged(int p);
    // A panel was shown or hidden.
    void PanelsChanged();

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int width, int height) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void OnViewsUpdate(int hint);
    void Changed(unsigned lists); // after the scene rebuilt lists: repaint
    void FinishDrag(const QRect& rect);
    bool UnprojectCorners(const QRect& rect, PickedCorners& corners);
    void ShowHover(const QPoint& at);
    void ShowSceneMessages();
    // The output layer dialog follows the quantity and layer the view shows.
    void TellOutputLayer();
    void FreeGl();

    CKORVADoc& document;
    GridScene scene;
    GlSceneRenderer renderer;
    QImage background;
    bool backgroundChanged = false;
    bool glFailed = false;
    bool mouseZoomArmed = false;
    QPoint dragStart, lastRight;
    QRubberBand* band = nullptr;
    GridEditPickReceiver* gridEdit = nullptr;
    TimeSeriesCellsReceiver* timeSeriesCells = nullptr;
    TimeSeriesHoverReceiver* timeSeriesHover = nullptr;
    OutputLayerReceiver* outputLayer = nullptr;
    PickHandler parameterPick, boundaryPick;
    QString lastDrawProblem; // the renderer's last complaint, shown once
    QPointer<ControlPanelView> controlPanel;
    bool destroying = false;
    ViewPanelSet panels;
};

} // namespace korva
