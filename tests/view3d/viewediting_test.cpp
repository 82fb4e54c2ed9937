// The view as the user drives it: a parameter value and a boundary painted by
// mouse drags in plan, checked in the model and on screen, then undone.
#include "app/document/korvadoc.h"
#include "scenegrid.h"
#include "view3d/korvaview.h"
#include "view3d/panels/boundarycontrolpaneldlg.h"
#include "view3d/panels/paramcontrolpaneldlg.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::LayeredPosition;

// Two rows and two columns of 50 m, one layer: in plan the top-left quarter
// of the view is row 1, column 0, the bottom-right quarter row 0, column 1.
void MakePlanProject(CKORVADoc& document) {
    GridData& grid = document.GridForEdit();
    ReaderContents(grid).columnSpacing = {50.0, 50.0};
    ReaderContents(grid).rowSpacing = {50.0, 50.0};
    ReaderContents(grid).layerSpacing = {200.0};
    grid.UpdateUniformSpacing();
    grid.Resize(1, 2, 2);
    document.UpdateAllViews(0);
}

void Drag(QWidget* widget, QPoint from, QPoint to) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

TEST(ViewEditing, DragsPaintAValueAndABoundaryAndUndoTakesThemBack) {
    CKORVADoc document;
    document.OnNewDocument();
    MakePlanProject(document);
    CKORVAView view(document);
    view.resize(400, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const GridData& grid = document.Grid();

    ParamControlPanelDlg parameters(view);
    parameters.SetParameter(LayeredPosition);
    parameters.SetAssignment(7.0, true, false);
    parameters.show();
    EXPECT_EQ(view.ViewMode(), ParameterEditMode);
    Drag(&view, {30, 40}, {170, 160});
    double v = 0;
    ASSERT_TRUE(grid.GetValue(LayeredPosition, 0, 1, 0, v));
    EXPECT_EQ(v, 7.0);
    for (auto [row, col] : {std::pair{0, 0}, {0, 1}, {1, 1}})
        EXPECT_FALSE(grid.GetValue(LayeredPosition, 0, row, col, v)) << row << "," << col;
    EXPECT_TRUE(document.IsModified());
    parameters.close();
    EXPECT_EQ(view.ViewMode(), Display3D);

    document.AddBoundary(DrainType, "ditch", {0.0, 0.0, 1.0});
    BoundaryControlPanelDlg boundaries(view);
    boundaries.show();
    boundaries.SelectBoundary(DrainType, 0, true);
    EXPECT_EQ(view.ViewMode(), BoundaryEditMode);
    Drag(&view, {380, 390}, {230, 250}); // dragged up and left: the same quarter
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 0, 1), 1);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 1, 0), 0);

    // What the user sees: the drain's blue in its cell, the other cells not.
    QApplication::processEvents();
    const QImage shown = view.grabFramebuffer();
    const QColor drain = shown.pixelColor(300, 300);
    EXPECT_EQ(drain.blue(), 255);
    EXPECT_EQ(drain.red(), 0);
    EXPECT_NE(shown.pixelColor(100, 300), drain);

    document.UndoStack()->undo(); // the paint
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 0, 1), 0);
    document.UndoStack()->undo(); // the new boundary
    document.UndoStack()->undo(); // the value
    EXPECT_FALSE(grid.GetValue(LayeredPosition, 0, 1, 0, v));
    EXPECT_FALSE(document.IsModified());
    boundaries.close();
}

TEST(ViewEditing, ZoomCommandsChangeOnlyTheCurrentCamera) {
    CKORVADoc document;
    document.OnNewDocument();
    MakePlanProject(document);
    CKORVAView view(document);
    view.resize(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int n = 0; n < 3; ++n)
        view.ZoomOut();
    EXPECT_NEAR(view.Settings().ZoomWindow3D.left, -0.3, 1e-12);
    EXPECT_EQ(view.Settings().ZoomWindow2D, ZoomMargins{});
    view.RestoreZoom();
    EXPECT_EQ(view.Settings().ZoomWindow3D, ZoomMargins{});
    // Armed in 3D, every drag zooms until restored.
    view.ArmMouseZoom();
    ASSERT_EQ(view.size(), QSize(200, 200));
    // (QTest takes a null point for the widget's centre, so start at 1, 1.)
    Drag(&view, {1, 1}, {100, 100}); // the top-left quarter of 200 x 200
    EXPECT_NEAR(view.Settings().ZoomWindow3D.left, 0.005, 1e-12);
    EXPECT_NEAR(view.Settings().ZoomWindow3D.right, 0.5, 1e-12);
    Drag(&view, {1, 1}, {100, 100}); // composed: half of the remaining 0.495
    EXPECT_NEAR(view.Settings().ZoomWindow3D.right, 0.5 + 0.5 * 0.495, 1e-12);
    // A right double click turns the camera back.
    view.SetRotation(30, 40);
    QTest::mouseDClick(&view, Qt::RightButton, {}, {50, 50});
    EXPECT_EQ(view.Settings().RotationX, 0);
    EXPECT_EQ(view.Settings().RotationZ, 0);
}

TEST(ViewEditing, AnUnreadableBackgroundImageLeavesTheViewAsItWas) {
    CKORVADoc document;
    document.OnNewDocument();
    CKORVAView view(document);
    QString error;
    EXPECT_FALSE(view.LoadBackgroundImage(QStringLiteral(KORVA_SOURCE_DIR "/README.md"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(view.BackgroundLoaded());
}

} // namespace
} // namespace korva

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
