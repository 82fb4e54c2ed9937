// "korva --render" end to end: small projects written to a temporary folder,
// rendered off screen, and the colours read back at cell centres.
#include "files/project/projectfile.h"
#include "scenegrid.h"
#include "view3d/render/glscenerenderer.h"
#include "view3d/render/offscreenrender.h"
#include "view3d/render/renderoptions.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::LayeredPosition;

// Two rows, two columns, one layer: (row 0, col 0) = 0 red, (0, 1) = 10
// green, (1, 0) = 5 halfway, (1, 1) unset.
GridData MakePlanGrid() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).columnSpacing = {50.0, 50.0};
    ReaderContents(grid).rowSpacing = {50.0, 50.0};
    ReaderContents(grid).layerSpacing = {200.0};
    grid.UpdateUniformSpacing();
    grid.Resize(1, 2, 2);
    grid.SetValue(LayeredPosition, 0, 0, 0, 0.0);
    grid.SetValue(LayeredPosition, 0, 0, 1, 10.0);
    grid.SetValue(LayeredPosition, 0, 1, 0, 5.0);
    grid.SetParameterInfo(LayeredPosition, grid.Parameter(LayeredPosition).name, {1, 0, 0},
                          {0, 1, 0});
    return grid;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath(QStringLiteral("plan.kvp"));
        image = dir.filePath(QStringLiteral("out.png"));
        ASSERT_TRUE(WriteProjectFile(MakePlanGrid(), project.toStdString()));
    }
    int Render(QStringList options) {
        QStringList args{QStringLiteral("--render"), image};
        args << options << project;
        return RunHeadlessRender(args);
    }
    QImage Rendered() const { return QImage(image); }
    static QColor Background() { return QGuiApplication::palette().color(QPalette::Button); }

    QTemporaryDir dir;
    QString project, image;
};

void ExpectPixel(const QImage& image, int x, int y, int r, int g, int b, int tolerance = 2) {
    const QColor c = image.pixelColor(x, y);
    EXPECT_NEAR(c.red(), r, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(c.green(), g, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(c.blue(), b, tolerance) << "at " << x << "," << y;
}

TEST_F(RenderTest, PlanViewShowsEachCellInItsColourAndUnsetCellsNotAtAll) {
    ASSERT_EQ(Render({"--view", "plan", "--size", "200x160", "--parameter",
                      "Horizontal Hydraulic Conductivity", "--transparency", "1"}),
              0);
    const QImage out = Rendered();
    ASSERT_EQ(out.size(), QSize(200, 160));
    // Row 0 is at the bottom of the plan (y points up), column 0 on the left.
    ExpectPixel(out, 50, 120, 255, 0, 0);
    ExpectPixel(out, 150, 120, 0, 255, 0);
    ExpectPixel(out, 50, 40, 128, 128, 0);
    const QColor bg = Background();
    ExpectPixel(out, 150, 40, bg.red(), bg.green(), bg.blue());
}

TEST_F(RenderTest, FilteredCellsAreNotDrawnAndTransparencyBlends) {
    // The code number names the parameter too; the filter drops the 0 cell.
    ASSERT_EQ(Render({"--view", "plan", "--size", "200x160", "--parameter", "3", "--filter", "4,10",
                      "--transparency", "0.5", "--no-grid-lines"}),
              0);
    const QImage out = Rendered();
    const QColor bg = Background();
    ExpectPixel(out, 50, 120, bg.red(), bg.green(), bg.blue());
    ExpectPixel(out, 150, 120, bg.red() / 2, (bg.green() + 255) / 2, bg.blue() / 2, 3);
}

TEST_F(RenderTest, ThreeDimensionalViewFillsTheRequestedImage) {
    ASSERT_EQ(Render({"--size", "320x240", "--rotate", "30,45", "--parameter", "3",
                      "--transparency", "1"}),
              0);
    const QImage out = Rendered();
    ASSERT_EQ(out.size(), QSize(320, 240));
    // The grid lies in the middle of the picture; the corners show the background.
    const QColor bg = Background();
    ExpectPixel(out, 0, 0, bg.red(), bg.green(), bg.blue());
    EXPECT_NE(out.pixelColor(160, 120), bg);
    // A JPEG by its extension.
    image = dir.filePath(QStringLiteral("out.jpg"));
    ASSERT_EQ(Render({"--size", "64x48"}), 0);
    EXPECT_EQ(QImage(image).size(), QSize(64, 48));
}

TEST_F(RenderTest, BadRequestsFailWithoutWritingAnImage) {
    EXPECT_EQ(Render({"--parameter", "No Such Parameter"}), 1);
    EXPECT_EQ(Render({"--output", "US SALT CONCENTRATION"}), 1); // the project has no run
    EXPECT_EQ(Render({"--view", "plan", "--slice", "1"}), 1);    // one layer only
    EXPECT_FALSE(QFile::exists(image));
    project = dir.filePath(QStringLiteral("missing.kvp"));
    EXPECT_EQ(Render({}), 1);
    EXPECT_FALSE(QFile::exists(image));
}

TEST(BoxTableBuilding, EachBoxIsItsCellsBoundsAndColourAndStrangersAreRefused) {
    GridData grid = testing::MakeSceneGrid();
    const int p = testing::LayeredPosition;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                grid.SetValue(p, k, i, j, k + 2 * i + 4 * j, false);
    grid.RecomputeRange(p);
    GridScene scene(grid);
    scene.MutableSettings().InputParameter = p;
    scene.Rebuild(AllLists);
    const GridGeometry& geometry = scene.Geometry();
    const CellList& list = scene.CellValues();
    ASSERT_EQ(list.boxes.size(), 8u);
    BoxTable table;
    ASSERT_TRUE(table.Build(list, geometry.rows, geometry.columns, geometry.layers));
    ASSERT_EQ(table.texels.size(), 4 * list.boxes.size());
    // The bounds a box's texel points at are the box's own, bit for bit,
    // so neighbouring faces still meet on the same depths.
    for (std::size_t n = 0; n < list.boxes.size(); ++n) {
        const CellBox& box = list.boxes[n];
        const uint32_t* texel = &table.texels[4 * n];
        EXPECT_EQ(table.edges[2 * texel[0]], box.x0);
        EXPECT_EQ(table.edges[2 * texel[0] + 1], box.x1);
        EXPECT_EQ(table.edges[2 * texel[1]], box.y0);
        EXPECT_EQ(table.edges[2 * texel[1] + 1], box.y1);
        EXPECT_EQ(table.edges[2 * texel[2]], box.z0);
        EXPECT_EQ(table.edges[2 * texel[2] + 1], box.z1);
        EXPECT_EQ(texel[3], box.colour);
    }
    // A box out of line with its column, a cell outside the grid, or
    // boxes without their cells: nothing is drawn rather than misplaced.
    CellList moved = list;
    moved.boxes.back().x1 += 1.0f;
    EXPECT_FALSE(table.Build(moved, geometry.rows, geometry.columns, geometry.layers));
    EXPECT_TRUE(table.texels.empty());
    CellList outside = list;
    outside.cells.back() =
        static_cast<uint32_t>(geometry.rows * geometry.columns * geometry.layers);
    EXPECT_FALSE(table.Build(outside, geometry.rows, geometry.columns, geometry.layers));
    CellList unnumbered = list;
    unnumbered.cells.clear();
    EXPECT_FALSE(table.Build(unnumbered, geometry.rows, geometry.columns, geometry.layers));
}

TEST(RenderOptionsParsing, ReadsEveryOptionAndRejectsMistakes) {
    QString error;
    const auto options = ParseRenderOptions({"--render",
                                             "a.png",
                                             "--size",
                                             "10x20",
                                             "--view",
                                             "section",
                                             "--slice",
                                             "2",
                                             "--output",
                                             "3",
                                             "--time",
                                             "1",
                                             "--rotate",
                                             "10,20",
                                             "--zoom",
                                             "0.1,0.2,0.3,0.4",
                                             "--filter",
                                             "1,2",
                                             "--rescale-legend",
                                             "--show-above-ground",
                                             "--no-grid-lines",
                                             "--transparency",
                                             "0.25",
                                             "p.kvp"},
                                            error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->width, 10);
    EXPECT_EQ(options->height, 20);
    EXPECT_EQ(options->view, RenderOptions::View::Section);
    EXPECT_EQ(options->slice, 2);
    EXPECT_EQ(*options->output, "3");
    EXPECT_EQ(options->time, 1);
    EXPECT_EQ(*options->rotateZ, 20.0);
    EXPECT_EQ(options->zoom->bottom, 0.4);
    EXPECT_EQ(*options->filterMax, 2.0);
    EXPECT_TRUE(options->rescaleLegend && options->showAboveGround && options->noGridLines);
    EXPECT_EQ(options->transparency, 0.25);
    EXPECT_EQ(options->projectPath, "p.kvp");

    for (const QStringList& bad : std::initializer_list<QStringList>{
             {"--render"},
             {"--render", "a.gif", "p.kvp"},
             {"--render", "a.png"},
             {"--render", "a.png", "p.kvp", "q.kvp"},
             {"--render", "a.png", "--size", "0x10", "p.kvp"},
             {"--render", "a.png", "--size", "10", "p.kvp"},
             {"--render", "a.png", "--view", "top", "p.kvp"},
             {"--render", "a.png", "--slice", "-1", "p.kvp"},
             {"--render", "a.png", "--rotate", "1", "p.kvp"},
             {"--render", "a.png", "--filter", "2,1", "p.kvp"},
             {"--render", "a.png", "--transparency", "1.5", "p.kvp"},
             {"--render", "a.png", "--parameter", "1", "--output", "1", "p.kvp"},
             {"--render", "a.png", "--bogus", "p.kvp"},
             {"--render", "a.png", "p.kvp", "--time"}}) {
        error.clear();
        EXPECT_FALSE(ParseRenderOptions(bad, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(RenderOptionsApplying, DefaultsFollowTheShownQuantity) {
    GridData grid = MakePlanGrid();
    QString error;
    ViewSettings settings;
    auto options = ParseRenderOptions({"--render", "a.png", "--view", "plan", "p.kvp"}, error);
    ASSERT_TRUE(ApplyRenderOptions(*options, grid, settings, error));
    EXPECT_EQ(settings.ViewMode, ParameterEditMode);
    EXPECT_EQ(settings.CurrentSlice, 0);
    EXPECT_EQ(settings.InputParameter, 0);
    EXPECT_TRUE(settings.HideAboveGround);
    EXPECT_TRUE(ApplyRenderOptions(*options, grid, settings, error));

    options = ParseRenderOptions(
        {"--render", "a.png", "--parameter", "3", "--zoom", "0.1,0,0,0", "p.kvp"}, error);
    ASSERT_TRUE(ApplyRenderOptions(*options, grid, settings, error));
    EXPECT_EQ(settings.ViewMode, Display3D);
    EXPECT_EQ(settings.InputParameter, LayeredPosition);
    EXPECT_EQ(settings.FilterMin, 0.0); // the parameter's full range
    EXPECT_EQ(settings.FilterMax, 10.0);
    EXPECT_EQ(settings.ZoomWindow3D.left, 0.1);
    EXPECT_EQ(settings.ZoomWindow2D.left, 0.0);
}

} // namespace
} // namespace korva

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
