#include "scenegrid.h"
#include "view3d/scene/camera.h"
#include "view3d/scene/gridgeometry.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::MakeSceneGrid;

void ExpectMatrix(const Mat4& m, const std::array<double, 16>& rowMajor) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(m(r, c), rowMajor[static_cast<std::size_t>(r * 4 + c)], 1e-12)
                << "row " << r << " column " << c;
}

TEST(CameraMath, MatricesMatchTheFixedFunctionFormulas) {
    // Looking down -z from (0, 0, 10) is a plain translation.
    ExpectMatrix(LookAt(0, 0, 10, 0, 0, 0, 0, 1, 0),
                 {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -10, 0, 0, 0, 1});
    // From (0, 20, 0) with -z up: x stays, eye y becomes -z, eye z becomes y - 20.
    ExpectMatrix(LookAt(0, 20, 0, 0, 0, 0, 0, 0, -1),
                 {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, -20, 0, 0, 0, 1});
    ExpectMatrix(Frustum(-2, 2, -1, 1, 4, 20),
                 {2, 0, 0, 0, 0, 4, 0, 0, 0, 0, -1.5, -10, 0, 0, -1, 0});
    ExpectMatrix(Ortho(-30, 30, -20, 20, 4, 20),
                 {1.0 / 30, 0, 0, 0, 0, 0.05, 0, 0, 0, 0, -0.125, -1.5, 0, 0, 0, 1});
    ExpectMatrix(Rotation(90, 1, 0, 0), {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1});
    ExpectMatrix(Rotation(90, 0, 0, 1), {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    Mat4 inverse;
    EXPECT_FALSE(Invert(Mat4{}, inverse));
    ASSERT_TRUE(Invert(Frustum(-2, 2, -1, 1, 4, 20), inverse));
    ExpectMatrix(Frustum(-2, 2, -1, 1, 4, 20) * inverse, Mat4::Identity().m);
}

TEST(CameraMath, ThreeDimensionalCameraLooksFromTwiceTheLargestExtent) {
    const GridData grid = MakeSceneGrid();
    const GridGeometry geometry(grid);
    ViewSettings settings;
    settings.ZoomWindow3D = {0.1, 0.2, 0.3, 0.4};
    const Camera camera = CameraFor(settings, geometry);
    // L = max(D 40, W 60, H 4) = 60: eye at z 120, frustum 60..300.
    ExpectMatrix(camera.modelView, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -120, 0, 0, 0, 1});
    // left -24, right 12, bottom -6, top 18.
    ExpectMatrix(camera.projection, {120.0 / 36, 0, -12.0 / 36, 0, 0, 120.0 / 24, 12.0 / 24, 0, 0,
                                     0, -1.5, -150, 0, 0, -1, 0});
    settings.RotationX = 90;
    const Camera turned = CameraFor(settings, geometry);
    Vec3 window;
    // Tilted by 90 degrees about x, the grid's +y edge comes towards the eye.
    ASSERT_TRUE(Project({0, 20, 0}, turned.modelView, turned.projection, {0, 0, 100, 100}, window));
    Vec3 flat;
    ASSERT_TRUE(Project({0, 0, 0}, turned.modelView, turned.projection, {0, 0, 100, 100}, flat));
    EXPECT_LT(window.z, flat.z);
}

// Projects the centre of every cell of the current slice and picks it back.
void ExpectCellsPickBack(const GridData& grid, ViewSettings settings) {
    const GridGeometry g(grid);
    const Viewport viewport{0, 0, 640, 480};
    const Camera camera = CameraFor(settings, g);
    const double depth = PickDepth(settings, g);
    for (int i = 0; i < g.rows; ++i)
        for (int j = 0; j < g.columns; ++j) {
            int layer = 0, row = 0, col = 0;
            Vec3 centre{g.ColumnCentre(j), g.RowCentre(i), 0};
            if (!settings.PlanOrientation) {
                if (i != settings.CurrentSlice) continue;
                // The section is drawn with z mirrored; the view mirrors it back.
                centre = {g.ColumnCentre(j), 0, -(g.zEdges[0] + g.zEdges[1]) / 2};
            }
            Vec3 window, model;
            ASSERT_TRUE(Project(centre, camera.modelView, camera.projection, viewport, window));
            ASSERT_TRUE(Unproject({window.x, window.y, depth}, camera.modelView, camera.projection,
                                  viewport, model));
            if (!settings.PlanOrientation) {
                model.z = -model.z;
                model.y = g.RowCentre(settings.CurrentSlice);
            }
            grid.LocateCell(model.x, model.y, model.z, layer, row, col);
            EXPECT_EQ(row, i);
            EXPECT_EQ(col, j);
            if (!settings.PlanOrientation) {
                EXPECT_EQ(layer, 0);
            }
        }
}

TEST(CameraMath, CellCentresPickBackToTheSameCell) {
    GridData grid = MakeSceneGrid();
    ViewSettings settings;
    settings.ViewMode = ParameterEditMode;
    settings.CurrentSlice = 1;
    ExpectCellsPickBack(grid, settings);
    settings.ZoomWindow2D = MouseZoom({}, 640, 480, {100, 50, 500, 400});
    ExpectCellsPickBack(grid, settings);
    settings.PlanOrientation = false;
    ExpectCellsPickBack(grid, settings);
    settings.ZoomWindow2D = {};
    ExpectCellsPickBack(grid, settings);
    settings.CurrentSlice = 0;
    ExpectCellsPickBack(grid, settings);
}

TEST(CameraMath, PickDepthLiesAtTheCurrentSlice) {
    const GridData grid = MakeSceneGrid();
    const GridGeometry g(grid);
    ViewSettings settings;
    settings.ViewMode = ParameterEditMode;
    settings.CurrentSlice = 1; // 1 m of layers above it, T = 4 m
    EXPECT_DOUBLE_EQ(PickDepth(settings, g), (2.0 + 1.0) / 8.0);
    settings.PlanOrientation = false; // 10 m of rows before row 1, D = 40 m
    EXPECT_DOUBLE_EQ(PickDepth(settings, g), (20.0 + 10.0) / 80.0);
}

TEST(CameraMath, ZoomMarginsComposeAndWiden) {
    const ZoomMargins none;
    EXPECT_EQ(MouseZoom(none, 200, 100, {0, 0, 200, 100}), none); // whole client area
    // The left half, then the left half of that: three quarters cut on the right.
    const ZoomMargins once = MouseZoom(none, 200, 100, {0, 0, 100, 100});
    const ZoomMargins twice = MouseZoom(once, 200, 100, {0, 0, 100, 100});
    EXPECT_DOUBLE_EQ(twice.left, 0.0);
    EXPECT_DOUBLE_EQ(twice.right, 0.75);
    EXPECT_DOUBLE_EQ(twice.top, 0.0);
    const ZoomMargins out = ZoomOut(ZoomOut(ZoomOut(none)));
    for (double m : {out.left, out.top, out.right, out.bottom})
        EXPECT_NEAR(m, -0.3, 1e-12);
    // A drag from bottom right to top left is the same rectangle.
    const PixelRect rect = PixelRect::Normalised(150, 90, 10, 20);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 150);
    EXPECT_EQ(rect.bottom, 90);
    EXPECT_EQ(MouseZoom(none, 0, 100, rect), none); // no client area: nothing changes
}

} // namespace
} // namespace korva
