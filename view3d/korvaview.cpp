#include "korvaview.h"

#include "app/document/korvadoc.h"
#include "edits/boundarypaintcommand.h"
#include "edits/parameterfillcommand.h"
#include "model/griddata.h"
#include "panels/controlpanelview.h"
#include "render/offscreenrender.h"
#include "scene/camera.h"
#include "scene/hoverreadout.h"
#include "scene/viewinteraction.h"

#include <QApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPalette>
#include <QRubberBand>
#include <QTimer>

namespace korva {

namespace {

QSurfaceFormat ViewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    return format;
}

} // namespace

CKORVAView::CKORVAView(CKORVADoc& document, QWidget* parent)
    : QOpenGLWidget(parent), document(document), scene(document.Grid()) {
    setFormat(ViewFormat());
    setMouseTracking(true);
    setCursor(Qt::SizeAllCursor);
    setMinimumSize(100, 100);
    scene.MutableSettings().OutputTransparency = document.OutputTransparency();
    scene.Rebuild(AllLists);
    connect(&document, &CKORVADoc::ViewsUpdate, this, &CKORVAView::OnViewsUpdate);
    connect(&panels, &ViewPanelSet::Changed, this, &CKORVAView::PanelsChanged);
}

CKORVAView::~CKORVAView() {
    // The panels leave their modes as they go; the view shows nothing more.
    destroying = true;
    panels.DeleteAll();
    FreeGl();
    // The base class destroys the context later; by then this is no CKORVAView.
    if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
}

void CKORVAView::FreeGl() {
    if (!renderer.Initialised() || !context()) return;
    makeCurrent();
    renderer.Release();
    doneCurrent();
}

void CKORVAView::initializeGL() {
    QString error;
    if (!renderer.Initialise(&error)) {
        glFailed = true;
        QMessageBox::warning(this, QStringLiteral("KORVA"), error);
        return;
    }
    backgroundChanged = true;
    scene.Rebuild(AllLists); // the new context holds no lists yet
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CKORVAView::FreeGl);
}

void CKORVAView::paintGL() {
    if (!renderer.Initialised()) return;
    if (backgroundChanged) {
        renderer.SetBackgroundImage(background);
        backgroundChanged = false;
    }
    renderer.Upload(scene);
    const qreal scale = devicePixelRatioF();
    renderer.Draw(scene, static_cast<int>(width() * scale), static_cast<int>(height() * scale),
                  palette().color(QPalette::Button));
    // Said once, not again on every rebuild or turn of the camera.
    const QString problem = renderer.TakeProblem();
    if (!problem.isEmpty() && problem != lastDrawProblem) {
        lastDrawProblem = problem;
        // Not from inside the paint: a message box would paint the view again.
        QTimer::singleShot(0, this, [this, problem] {
            QMessageBox::warning(this, QStringLiteral("KORVA"), problem);
        });
    }
}

void CKORVAView::resizeGL(int, int) {
    // Every new size starts the 3D display unturned.
    scene.MutableSettings().RotationX = 0;
    scene.MutableSettings().RotationZ = 0;
    emit RotationChanged(0, 0);
}

void CKORVAView::Changed(unsigned) {
    if (destroying) return;
    ShowSceneMessages();
    TellOutputLayer();
    update();
}

void CKORVAView::SetOutputLayerReceiver(OutputLayerReceiver* receiver) {
    outputLayer = receiver;
    TellOutputLayer();
}

void CKORVAView::TellOutputLayer() {
    if (outputLayer == nullptr) return;
    const ViewSettings& s = Settings();
    outputLayer->OutputShown(s.OutputParameter, s.CurrentSlice);
}

void CKORVAView::ShowSceneMessages() {
    const std::vector<std::string> messages = scene.TakeMessages();
    for (const std::string& text : messages)
        QMessageBox::information(this, QStringLiteral("KORVA"), QString::fromStdString(text));
}

void CKORVAView::OnViewsUpdate(int hint) {
    if (hint == CKORVADoc::TransparencyChanged)
        scene.MutableSettings().OutputTransparency = document.OutputTransparency();
    // The grid may have changed shape: keep the slice and filters inside it.
    ViewSettings& s = scene.MutableSettings();
    const GridData& grid = document.Grid();
    const int slices = s.PlanOrientation ? grid.NumLayers() : grid.NumRows();
    if (s.Is2D() && s.CurrentSlice >= slices) s.CurrentSlice = slices > 0 ? slices - 1 : 0;
    if (s.InputParameter >= grid.ParameterCount())
        s.InputParameter = grid.ParameterCount() > 0 ? 0 : -1;
    if (s.OutputParameter >= static_cast<int>(grid.Outputs().gridOutputs.size()))
        s.OutputParameter = -1;
    scene.OnUpdate(hint);
    Changed(AllLists);
}

void CKORVAView::SetViewMode(int mode) {
    scene.SetViewMode(mode);
    emit ViewModeChanged(mode);
    emit SliceChanged(Settings().CurrentSlice);
    Changed(0);
}

void CKORVAView::SetCurrentSlice(int slice) {
    scene.SetCurrentSlice(slice);
    emit SliceChanged(slice);
    Changed(0);
}

void CKORVAView::SetPlanOrientation(bool plan) {
    scene.SetPlanOrientation(plan);
    Changed(0);
}

void CKORVAView::RefreshMarkers() {
    scene.RefreshMarkers();
    Changed(0);
}

void CKORVAView::RefreshGridLines() {
    scene.Rebuild(GridLineList_ | BackgroundList);
    Changed(0);
}

void CKORVAView::RefreshCells() {
    scene.Rebuild(MarkerList | CellValueList);
    Changed(0);
}

void CKORVAView::SetInputParameter(int p) {
    const int before = Settings().CurrentSlice;
    scene.SetInputParameter(p);
    if (Settings().CurrentSlice != before) emit SliceChanged(Settings().CurrentSlice);
    emit InputParameterChanged(p);
    Changed(0);
}

void CKORVAView::SetOutputParameter(int p, int period) {
    scene.SetOutputParameter(p, period);
    emit InputParameterChanged(-1); // showing an output leaves no input parameter shown
    Changed(0);
}

void CKORVAView::SetFilter(double lo, double hi) {
    scene.SetFilter(lo, hi);
    Changed(0);
}

void CKORVAView::SetColourFromFilter(bool on) {
    scene.SetColourFromFilter(on);
    Changed(0);
}

void CKORVAView::SetHideAboveGround(bool on) {
    scene.SetHideAboveGround(on);
    Changed(0);
}

void CKORVAView::SetDrawGridLines(bool on) {
    scene.SetDrawGridLines(on);
    Changed(0);
}

void CKORVAView::SetIndexFilters(std::vector<int> rows, std::vector<int> columns,
                                 std::vector<int> layers) {
    scene.SetRowColumnLayerFilters(std::move(rows), std::move(columns), std::move(layers));
    Changed(0);
}

void CKORVAView::SetValueColour(int p, double value, uint32_t packed) {
    scene.SetValueColour(p, value, packed);
    Changed(0);
}

void CKORVAView::SetShowGroundMesh(bool show) {
    scene.SetShowGroundMesh(show);
    Changed(0);
}

void CKORVAView::ArmMouseZoom() {
    mouseZoomArmed = true;
    setCursor(Qt::CrossCursor);
}

void CKORVAView::RestoreZoom() {
    scene.MutableSettings().CurrentZoom() = {};
    setCursor(Qt::SizeAllCursor);
    update();
}

void CKORVAView::ZoomOut() {
    ZoomMargins& zoom = scene.MutableSettings().CurrentZoom();
    zoom = korva::ZoomOut(zoom);
    update();
}

void CKORVAView::SetRotation(double x, double z) {
    scene.MutableSettings().RotationX = x;
    scene.MutableSettings().RotationZ = z;
    update();
}

void CKORVAView::AssignParameter(int p, const PickedCorners& corners, int layer, double value,
                                 bool propagateDown) {
    const GridData& grid = document.Grid();
    if (p < 0 || p >= grid.ParameterCount() || layer < 0 || layer >= grid.NumLayers()) return;
    document.Execute(new ParameterFillCommand(document, p, {corners.x1, corners.y1, 0},
                                              {corners.x2, corners.y2, 0}, layer, value,
                                              propagateDown));
    // Overrides named values the parameter may no longer hold.
    scene.MutableSettings().ValueColours[static_cast<std::size_t>(p)].clear();
    RefreshCells();
    if (controlPanel) controlPanel->RefreshLegend();
}

void CKORVAView::PaintBoundary(int type, int number, const PickedCorners& corners, int layer,
                               bool add, bool propagateDown) {
    auto command = std::make_unique<BoundaryPaintCommand>(
        document, type, number, ModelPoint{corners.x1, corners.y1, 0},
        ModelPoint{corners.x2, corners.y2, 0}, layer, add, propagateDown);
    if (!command->Changes()) return;
    document.Execute(command.release());
    if (controlPanel) controlPanel->RefreshLegend();
}

bool CKORVAView::LoadBackgroundImage(const QString& path, QString& error) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("The image ") + path + QStringLiteral(" cannot be read: ") +
                reader.errorString();
        return false;
    }
    background = std::move(image);
    backgroundChanged = true;
    scene.MutableSettings().BackgroundLoaded = true;
    scene.Rebuild(BackgroundList | MarkerList); // selections turn translucent over an image
    Changed(0);
    return true;
}

void CKORVAView::BeginClipBackground() {
    if (!BackgroundLoaded()) return;
    scene.SetViewMode(BackgroundClipMode);
    emit ViewModeChanged(BackgroundClipMode);
    Changed(0);
}

void CKORVAView::RestoreBackgroundBounds() {
    scene.MutableSettings().BackgroundClip = {};
    scene.Rebuild(BackgroundList);
    Changed(0);
}

void CKORVAView::RemoveBackgroundImage() {
    background = QImage();
    backgroundChanged = true;
    scene.MutableSettings().BackgroundLoaded = false;
    scene.Rebuild(BackgroundList | MarkerList);
    Changed(0);
}

bool CKORVAView::RenderImage(int width, int height, QImage& image, QString& error) {
    OffscreenRenderRequest request;
    request.width = width;
    request.height = height;
    request.clearColour = palette().color(QPalette::Button);
    request.background = background;
    return RenderSceneImage(document.Grid(), Settings(), request, image, error);
}

// --- the mouse -----------------------------------------------------------------------

void CKORVAView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        dragStart = at;
        if (!band) band = new QRubberBand(QRubberBand::Rectangle, this);
        band->setGeometry(QRect(at, QSize()));
        band->show();
    } else if (event->button() == Qt::RightButton) {
        scene.MutableSettings().Rotating = true;
        lastRight = at;
    }
}

void CKORVAView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (band && band->isVisible()) band->setGeometry(QRect(dragStart, at).normalized());
    ViewSettings& s = scene.MutableSettings();
    if (s.Is2D()) {
        ShowHover(at);
    } else if (s.Rotating) {
        if (!(event->modifiers() & Qt::ControlModifier)) {
            RotateByDrag(s, lastRight.x(), lastRight.y(), at.x(), at.y());
            lastRight = at;
            emit RotationChanged(s.RotationX, s.RotationZ);
        }
        update();
    }
}

void CKORVAView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && band && band->isVisible()) {
        band->hide();
        FinishDrag(QRect(dragStart, at).normalized());
    } else if (event->button() == Qt::RightButton) {
        scene.MutableSettings().Rotating = false;
        const int next = NextSlice(document.Grid(), Settings());
        if (next >= 0)
            SetCurrentSlice(next);
        else
            update();
    }
}

void CKORVAView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second left press is still the start of a drag.
    if (event->button() != Qt::RightButton) {
        mousePressEvent(event);
        return;
    }
    SetRotation(0, 0);
    emit RotationChanged(0, 0);
}

void CKORVAView::FinishDrag(const QRect& qrect) {
    const PixelRect pixels = PixelRect::Normalised(qrect.left(), qrect.top(),
                                                   qrect.left() + std::max(0, qrect.width() - 1),
                                                   qrect.top() + std::max(0, qrect.height() - 1));
    ViewSettings& s = scene.MutableSettings();
    if (mouseZoomArmed) {
        s.CurrentZoom() = MouseZoom(s.CurrentZoom(), width(), height(), pixels);
        // A 2D zoom is one rectangle; the 3D display keeps zooming until restored.
        if (s.Is2D()) mouseZoomArmed = false;
        setCursor(mouseZoomArmed ? Qt::CrossCursor : Qt::SizeAllCursor);
        update();
        return;
    }
    if (s.ViewMode == BackgroundClipMode) {
        s.BackgroundClip = MouseZoom(s.BackgroundClip, width(), height(), pixels);
        SetViewMode(s.PreviousViewMode);
        scene.Rebuild(BackgroundList);
        Changed(0);
        return;
    }
    PickedCorners corners;
    // A drag whose corners cannot be unprojected has no cells: nothing is edited.
    if (!s.Is2D() || !UnprojectCorners(qrect, corners)) return;
    switch (s.ViewMode) {
    case GridEditMode:
        if (gridEdit) {
            if (s.PlanOrientation)
                gridEdit->FirstPick(corners.x1, corners.x2, corners.y1, corners.y2, true);
            else
                gridEdit->FirstPick(corners.x1, corners.x2, corners.z1, corners.z2, false);
        }
        break;
    case GridEditSecondPickMode:
        if (gridEdit) gridEdit->SecondPick(corners.x1, corners.x2, corners.y1, corners.y2);
        break;
    case ParameterEditMode:
        if (parameterPick) parameterPick(corners);
        break;
    case BoundaryEditMode:
        if (boundaryPick) boundaryPick(corners);
        update();
        break;
    case TimeSeriesCellMode:
        if (timeSeriesCells) timeSeriesCells->ToggleCells(corners, s.CurrentSlice);
        break;
    default:
        break;
    }
}

bool CKORVAView::UnprojectCorners(const QRect& rect, PickedCorners& corners) {
    const ViewSettings& s = Settings();
    const GridGeometry geometry(document.Grid());
    const Camera camera = CameraFor(s, geometry);
    const Viewport viewport{0, 0, width(), height()};
    const double depth = PickDepth(s, geometry);
    const int right = rect.left() + std::max(0, rect.width() - 1);
    const int bottom = rect.top() + std::max(0, rect.height() - 1);
    // Pixel centres, y measured from the bottom as the camera has it.
    const auto unproject = [&](int x, int y, Vec3& model) {
        return Unproject({x + 0.5, height() - (y + 0.5), depth}, camera.modelView,
                         camera.projection, viewport, model);
    };
    Vec3 a, b;
    if (!unproject(rect.left(), bottom, a) || !unproject(right, rect.top(), b)) return false;
    if (!s.PlanOrientation) {
        // Sections are drawn with z mirrored (top layer up); hand over model z.
        a.z = -a.z;
        b.z = -b.z;
        // The section shows one row: the corners lie in it.
        const int row = std::clamp(s.CurrentSlice, 0, std::max(0, geometry.rows - 1));
        if (geometry.rows > 0) a.y = b.y = geometry.RowCentre(row);
    }
    corners = {a.x, b.x, a.y, b.y, a.z, b.z};
    return true;
}

void CKORVAView::ShowHover(const QPoint& at) {
    const QRect point(at, QSize(1, 1));
    PickedCorners corners;
    if (!UnprojectCorners(point, corners)) return;
    const GridData& grid = document.Grid();
    int layer = 0, row = 0, column = 0;
    grid.LocateCell(corners.x1, corners.y1, corners.z1, layer, row, column);
    const ViewSettings& s = Settings();
    if (s.PlanOrientation) layer = std::max(0, s.CurrentSlice);
    const std::optional<std::string> text = HoverText(grid, s, layer, row, column);
    if (text) emit StatusText(QString::fromStdString(*text));
    const HoveredCell cell{layer, row, column};
    if (s.ViewMode == TimeSeriesCellMode && timeSeriesCells) timeSeriesCells->HoverCell(cell);
    if (s.ViewMode == TimeSeriesDisplayMode && timeSeriesHover) timeSeriesHover->HoverCell(cell);
    if (s.ViewMode == OutputLayerMode && outputLayer) {
        double v = 0.0;
        const bool has =
            grid.GetLocatedOutputValue(s.OutputParameter, s.OutputTimePeriod,
                                       s.PlanOrientation ? s.CurrentSlice : layer, row, column, v);
        outputLayer->HoverCell(cell, has, v);
    }
}

} // namespace korva
