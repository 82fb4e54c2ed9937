#include "scenegrid.h"
#include "view3d/scene/camera.h"
#include "view3d/scene/scenebuilder.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::GroundPosition;
using testing::LayeredPosition;
using testing::MakeOutput;
using testing::MakeSceneGrid;

struct Rgba {
    int r, g, b, a;
};

Rgba Bytes(Rgba8 c) {
    return {RedOf(c), GreenOf(c), BlueOf(c), AlphaOf(c)};
}

void ExpectColour(Rgba8 c, int r, int g, int b, int a) {
    const Rgba got = Bytes(c);
    EXPECT_EQ(got.r, r);
    EXPECT_EQ(got.g, g);
    EXPECT_EQ(got.b, b);
    EXPECT_EQ(got.a, a);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid = MakeSceneGrid();
        settings.InputParameter = LayeredPosition;
        TimeSeriesDisplay = 1;
        TimeSeriesCellColor = {0.0, 1.0, 0.0};
    }
    // Sets the layered parameter at one cell and its range to 0..10, red to green.
    void SetValue(int layer, int row, int col, double v) {
        grid.SetValue(LayeredPosition, layer, row, col, v);
        ParameterData& p = ReaderContents(grid).parameters.at(
            grid.ParameterOrder()[static_cast<std::size_t>(LayeredPosition)]);
        p.minValue = 0.0;
        p.maxValue = 10.0;
        p.lowColor = {1, 0, 0};
        p.highColor = {0, 1, 0};
    }
    CellList Cells(int pass) const { return SceneBuilder(grid, settings).BuildCellList(pass); }

    GridData grid;
    ViewSettings settings;
};

TEST(ColourRamp, InterpolatesExtrapolatesAndKeepsEqualEnds) {
    const RgbColor lo{1, 0, 0.5}, hi{0, 1, 0.5};
    EXPECT_EQ(RampColour(5, 0, 10, lo, hi), (RgbColor{0.5, 0.5, 0.5}));
    // Outside the range the ramp goes on; the component with equal ends stays.
    EXPECT_EQ(RampColour(20, 0, 10, lo, hi), (RgbColor{-1, 2, 0.5}));
    // An empty or inverted range gives the low colour.
    EXPECT_EQ(RampColour(7, 3, 3, lo, hi), lo);
    EXPECT_EQ(RampColour(7, 5, 3, lo, hi), lo);
    // The graphics layer clamps what the ramp extrapolates.
    ExpectColour(PackRgba(-1, 2, 0.5, 0.5), 0, 255, 128, 128);
}

TEST_F(SceneTest, ThreeDimensionalCellBoxSpansItsCellInModelCoordinates) {
    SetValue(1, 1, 0, 5.0);
    const CellList cells = Cells(0);
    ASSERT_EQ(cells.boxes.size(), 1u);
    const CellBox& box = cells.boxes[0];
    EXPECT_FLOAT_EQ(box.x0, -30);
    EXPECT_FLOAT_EQ(box.x1, -10);
    EXPECT_FLOAT_EQ(box.y0, -10);
    EXPECT_FLOAT_EQ(box.y1, 20);
    EXPECT_FLOAT_EQ(box.z0, -2);
    EXPECT_FLOAT_EQ(box.z1, 1);
    ExpectColour(box.colour, 128, 128, 0, 128); // halfway, OutputTransparency 0.5

    // Z exaggeration stretches the layers about the grid's middle.
    ReaderContents(grid).ZExaggeration = 2.0;
    const CellList tall = Cells(0);
    EXPECT_FLOAT_EQ(tall.boxes[0].z0, -4);
    EXPECT_FLOAT_EQ(tall.boxes[0].z1, 2);
}

TEST_F(SceneTest, IndexAndValueFiltersDecideWhichCellsAreDrawn) {
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                SetValue(k, i, j, 1.0 + k * 4 + i * 2 + j);
    EXPECT_EQ(Cells(0).boxes.size(), 8u);

    settings.RowFilter = {1};
    settings.LayerFilter = {0, 7}; // an index past the grid is ignored
    EXPECT_EQ(Cells(0).boxes.size(), 2u);
    settings.RowFilter.clear();
    settings.LayerFilter.clear();

    settings.FilterMin = settings.FilterMax = 4.0; // only the value equal to both
    const CellList equal = Cells(0);
    ASSERT_EQ(equal.boxes.size(), 1u);
    EXPECT_FLOAT_EQ(equal.boxes[0].x0, -10); // layer 0, row 1, column 1
    EXPECT_FLOAT_EQ(equal.boxes[0].y0, -10);

    // With the ramp taken from the filter, 4 is the low end: pure red.
    settings.ColourFromFilter = true;
    settings.FilterMin = 4.0;
    settings.FilterMax = 8.0;
    const CellList rescaled = Cells(0);
    ASSERT_EQ(rescaled.boxes.size(), 5u);
    ExpectColour(rescaled.boxes[0].colour, 255, 0, 0, 128);

    settings.OutputTransparency = 0.0; // hides parameter cells entirely
    EXPECT_TRUE(Cells(0).boxes.empty());
}

TEST_F(SceneTest, EqualRangeDrawsMinColourAndOverridesWin) {
    SetValue(0, 0, 0, 3.0);
    SetValue(0, 0, 1, 30.0);
    ParameterData& p = ReaderContents(grid).parameters.at(
        grid.ParameterOrder()[static_cast<std::size_t>(LayeredPosition)]);
    p.minValue = p.maxValue = 3.0;
    CellList cells = Cells(0);
    ASSERT_EQ(cells.boxes.size(), 2u);
    ExpectColour(cells.boxes[0].colour, 255, 0, 0, 128);
    ExpectColour(cells.boxes[1].colour, 255, 0, 0, 128);

    settings.ValueColours[LayeredPosition][30.0] = 0x00ff0000; // blue
    cells = Cells(0);
    ExpectColour(cells.boxes[1].colour, 0, 0, 255, 128);
}

TEST_F(SceneTest, EditModesDrawOnlyTheirSlice) {
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                SetValue(k, i, j, 5.0);
    settings.ViewMode = ParameterEditMode;
    settings.CurrentSlice = 1;
    CellList plan = Cells(0);
    ASSERT_EQ(plan.boxes.size(), 4u);
    for (const CellBox& box : plan.boxes)
        EXPECT_FLOAT_EQ(box.z1, 1); // layer 1 only

    // A section shows the current row, every layer, with the top layer up:
    // the scene mirrors z there because the section camera looks with -z up.
    settings.PlanOrientation = false;
    CellList section = Cells(0);
    ASSERT_EQ(section.boxes.size(), 4u);
    for (const CellBox& box : section.boxes)
        EXPECT_FLOAT_EQ(box.y0, -10);         // row 1
    EXPECT_FLOAT_EQ(section.boxes[0].z0, -2); // layer 0 at mirrored z -2..-1
    EXPECT_FLOAT_EQ(section.boxes[0].z1, -1);

    for (int mode : {GridEditMode, BoundaryEditMode, TimeSeriesCellMode, GridEditSecondPickMode,
                     BackgroundClipMode, TimeSeriesDisplayMode}) {
        settings.ViewMode = mode;
        EXPECT_TRUE(Cells(0).boxes.empty()) << "mode " << mode;
    }
}

TEST_F(SceneTest, OutputsReplaceParametersAndHideCellsAboveGround) {
    SetValue(0, 0, 0, 5.0);
    ReaderContents(grid).outputs.gridOutputs.push_back(
        MakeOutput("US SALT CONCENTRATION", 3, 2, 2.0, 0, 4));
    settings.OutputParameter = 0;
    settings.InputParameter = -1; // as choosing an output does
    CellList cells = Cells(0);
    ASSERT_EQ(cells.boxes.size(), 8u);
    ExpectColour(cells.boxes[0].colour, 128, 128, 0, 128);

    // Ground 3 m above the bottom lies in layer 0 (the top 1 m is 3..4 m):
    // nothing is hidden. Ground at 0.5 m lies in layer 1: layer 0 is hidden there.
    grid.SetValue(GroundPosition, 0, 0, 0, 0.5);
    cells = Cells(0);
    EXPECT_EQ(cells.boxes.size(), 7u);
    settings.HideAboveGround = false;
    EXPECT_EQ(Cells(0).boxes.size(), 8u);

    // Output layer display: the current layer only.
    settings.ViewMode = OutputLayerMode;
    settings.CurrentSlice = 0;
    EXPECT_EQ(Cells(0).boxes.size(), 4u);
}

TEST_F(SceneTest, SurfaceOutputsDrawAMeshOverCellCentres) {
    for (int n = 0; n < 10; ++n)
        ReaderContents(grid).outputs.gridOutputs.push_back(
            MakeOutput("Q" + std::to_string(n), 2, 2, 1.0, 0, 2));
    ReaderContents(grid).outputs.gridOutputs[9].name = "WE WATER TABLE ELEVATION";
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            grid.SetValue(GroundPosition, 0, i, j, 3.0);
    settings.OutputParameter = 9;
    settings.InputParameter = -1;
    settings.HideAboveGround = false;
    const CellList cells = Cells(0);
    EXPECT_TRUE(cells.boxes.empty());
    ASSERT_EQ(cells.meshes.starts.size(), 1u);
    ASSERT_EQ(cells.meshes.counts[0], 4);
    // Column 0 centre x -20; rows 0 and 1 centres y -15 and 5; height
    // ground 3 minus the water table depth 1 = 2 m, z = 2 - 4/2 = 0.
    const ColouredVertex& v = cells.meshes.vertices[1];
    EXPECT_FLOAT_EQ(v.x, -20);
    EXPECT_FLOAT_EQ(v.y, 5);
    EXPECT_FLOAT_EQ(v.z, 0);
    ExpectColour(v.colour, 128, 128, 0, 255);

    // One row gives no pair of rows, so no mesh.
    ReaderContents(grid).rowSpacing = {10.0};
    grid.Resize(2, 1, 2);
    for (auto& output : ReaderContents(grid).outputs.gridOutputs)
        output.times[0].values.Assign(1, 1, 2, 1.0);
    EXPECT_TRUE(Cells(0).meshes.Empty());
}

TEST_F(SceneTest, MarkersFollowBoundaryOrderAndTimeSeriesSelections) {
    grid.AppendBoundary(DrainType, "drain", {0, 0, 1});
    grid.AppendBoundary(NaturalBoundaryType, "river", {1, 1, 0});
    grid.SetBoundaryValue(DrainType, 0, 0, 0, 1);
    grid.SetBoundaryValue(NaturalBoundaryType, 0, 0, 0, 1); // natural boundaries come first
    grid.SetBoundaryValue(DrainType, 1, 1, 1, 1);
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 0, 1, {2});
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 1, 1,
                                                {2}); // drain there too: the selection wins in 3D
    CellList markers = Cells(1);
    ASSERT_EQ(markers.boxes.size(), 3u);
    ExpectColour(markers.boxes[0].colour, 255, 255, 0, 255);
    ExpectColour(markers.boxes[1].colour, 0, 255, 0, 255);
    ExpectColour(markers.boxes[2].colour, 0, 255, 0, 255);

    settings.BackgroundLoaded = true; // selections turn translucent over an image
    ExpectColour(Cells(1).boxes[1].colour, 0, 255, 0, 128);
    settings.BackgroundLoaded = false;

    // A hidden boundary gives way to the next kind that holds the cell.
    grid.SetBoundaryDisplayed(NaturalBoundaryType, 0, false);
    ExpectColour(Cells(1).boxes[0].colour, 0, 0, 255, 255);

    // Boundary editing shows boundary colours of the current layer only.
    settings.ViewMode = BoundaryEditMode;
    settings.CurrentSlice = 1;
    markers = Cells(1);
    ASSERT_EQ(markers.boxes.size(), 1u);
    ExpectColour(markers.boxes[0].colour, 0, 0, 255, 255);

    // Time-series selection shows the selections of the current layer.
    settings.ViewMode = TimeSeriesCellMode;
    EXPECT_EQ(Cells(1).boxes.size(), 2u);
    TimeSeriesDisplay = 0; // the 3D switch does not hide them while selecting
    EXPECT_EQ(Cells(1).boxes.size(), 2u);
    settings.ViewMode = Display3D;
    EXPECT_EQ(Cells(1).boxes.size(), 2u); // the two drain cells
}

TEST_F(SceneTest, GroundMeshFollowsTheGroundAndSkipsUnsetCells) {
    settings.ShowGroundMesh = true;
    grid.SetValue(GroundPosition, 0, 0, 0, 4.0);
    grid.SetValue(GroundPosition, 0, 1, 0, 2.0);
    grid.SetValue(GroundPosition, 0, 1, 1, 3.0);
    std::vector<std::string> messages;
    const CellList markers = SceneBuilder(grid, settings).BuildCellList(1, &messages);
    ASSERT_EQ(markers.meshes.counts.size(), 1u);
    EXPECT_EQ(markers.meshes.counts[0], 3);           // the unset vertex is left out
    EXPECT_FLOAT_EQ(markers.meshes.vertices[0].z, 2); // 4 m - H/2
    EXPECT_TRUE(messages.empty());
}

TEST_F(SceneTest, GridLinesDrawEveryBoundaryOrTheOutline) {
    const GridLineList all = SceneBuilder(grid, settings).BuildGridLineList();
    // The marker, then 3 levels x 3 row boundaries along x, 3 x 3 along y,
    // 3 x 3 verticals.
    ASSERT_EQ(all.lines.starts.size(), 28u);
    const ColouredVertex& top = all.lines.vertices[1];
    EXPECT_FLOAT_EQ(top.x, -30);
    EXPECT_FLOAT_EQ(top.y, -20);
    EXPECT_FLOAT_EQ(top.z, 3); // 1.5 * H / 2
    ExpectColour(top.colour, 255, 0, 0, 255);

    settings.DrawGridLines = false;
    EXPECT_EQ(SceneBuilder(grid, settings).BuildGridLineList().lines.starts.size(), 13u);
    settings.ViewMode = GridEditMode; // grid editing always shows every line
    EXPECT_EQ(SceneBuilder(grid, settings).BuildGridLineList().lines.starts.size(), 28u);
    settings.PlanOrientation = false;
    EXPECT_FLOAT_EQ(SceneBuilder(grid, settings).BuildGridLineList().lines.vertices[1].z, -3);
}

TEST_F(SceneTest, BackgroundQuadUsesTheClipMargins) {
    EXPECT_FALSE(SceneBuilder(grid, settings).BuildBackground().present);
    settings.BackgroundLoaded = true;
    // Two clips of a 100 x 100 client: the right half, then its top half.
    settings.BackgroundClip = MouseZoom({}, 100, 100, {50, 0, 100, 100});
    settings.BackgroundClip = MouseZoom(settings.BackgroundClip, 100, 100, {0, 0, 100, 50});
    const BackgroundQuad quad = SceneBuilder(grid, settings).BuildBackground();
    ASSERT_TRUE(quad.present);
    EXPECT_FLOAT_EQ(quad.corners[0][0], 30);
    EXPECT_FLOAT_EQ(quad.corners[0][1], 20);
    EXPECT_FLOAT_EQ(quad.corners[0][2], -3);     // a metre under the grid
    EXPECT_FLOAT_EQ(quad.texCoords[1][0], 0.5f); // (cl, ct)
    EXPECT_FLOAT_EQ(quad.texCoords[1][1], 0.0f);
    EXPECT_FLOAT_EQ(quad.texCoords[3][0], 1.0f); // (1 - cr, 1 - cb)
    EXPECT_FLOAT_EQ(quad.texCoords[3][1], 0.5f);
    settings.BackgroundClip = {}; // restoring the bounds brings the whole image back
    const BackgroundQuad whole = SceneBuilder(grid, settings).BuildBackground();
    EXPECT_FLOAT_EQ(whole.texCoords[2][0], 0.0f);
    EXPECT_FLOAT_EQ(whole.texCoords[2][1], 1.0f);
}

TEST_F(SceneTest, LegendListsFilteredValuesWithOverrides) {
    SetValue(0, 0, 0, 2.0);
    SetValue(0, 0, 1, 4.0);
    SetValue(0, 1, 0, 6.0);
    settings.FilterMin = 2.0;
    settings.FilterMax = 4.0;
    settings.ValueColours[LayeredPosition][4.0] = 0x00123456;
    const std::vector<LegendEntry> legend = GetLegendEntries(grid, settings, LayeredPosition);
    ASSERT_EQ(legend.size(), 2u);
    EXPECT_EQ(legend[0].value, 2.0);
    EXPECT_EQ(legend[0].colour, 0x000000ffu); // the ramp's low end over 2..4
    EXPECT_EQ(legend[1].colour, 0x00123456u);

    // More than 100 distinct values: the two ends only.
    GridData big = MakeSceneGrid();
    ReaderContents(big).rowSpacing.assign(11, 1.0);
    ReaderContents(big).columnSpacing.assign(11, 1.0);
    big.Resize(2, 11, 11);
    for (int i = 0; i < 11; ++i)
        for (int j = 0; j < 11; ++j)
            big.SetValue(LayeredPosition, 0, i, j, i * 11 + j);
    settings.FilterMin = 0;
    settings.FilterMax = 120;
    settings.ValueColours[LayeredPosition].clear();
    const std::vector<LegendEntry> ends = GetLegendEntries(big, settings, LayeredPosition);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].value, 120.0);
}

} // namespace
} // namespace korva
