#include "scenegrid.h"
#include "view3d/panels/boundarycontrolpaneldlg.h"
#include "view3d/panels/controlpanellogic.h"
#include "view3d/scene/hoverreadout.h"
#include "view3d/scene/viewinteraction.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::LayeredPosition;
using testing::MakeSceneGrid;

TEST(PanelLogic, FilterFieldsFallBackToTheRangeEnds) {
    EXPECT_EQ(ClampFilterField(true, 3, 0, 10), 3);
    EXPECT_EQ(ClampFilterField(true, 12, 0, 10), 0); // a minimum above the maximum
    EXPECT_EQ(ClampFilterField(true, -1, 0, 10), 0);
    EXPECT_EQ(ClampFilterField(false, 12, 0, 10), 10);
    EXPECT_EQ(ClampFilterField(false, -5, 0, 10), 10);
    EXPECT_EQ(ClampFilterField(false, 10, 0, 10), 10);
}

TEST(PanelLogic, IndexListsStartWithAllWhichAddsNothing) {
    EXPECT_EQ(IndexListEntries(3), (QStringList{"all", "1", "2", "3"}));
    EXPECT_TRUE(IndexFilterFromSelection({"all"}).empty());
    EXPECT_EQ(IndexFilterFromSelection({"all", "2", "3"}), (std::vector<int>{1, 2}));
}

TEST(PanelLogic, ZExaggerationReadsNumbersAndTurnsZeroIntoOne) {
    EXPECT_EQ(ParseZExaggeration("2.5"), 2.5);
    EXPECT_EQ(ParseZExaggeration(" 10 "), 10.0);
    EXPECT_EQ(ParseZExaggeration("0"), 1.0);
    EXPECT_EQ(ParseZExaggeration("abc"), 1.0);
    EXPECT_EQ(ParseZExaggeration(""), 1.0);
}

TEST(PanelLogic, PlayerStepsThroughThePeriodsAndStops) {
    PeriodPlayer player(3);
    player.Start(0);
    EXPECT_TRUE(player.Playing());
    EXPECT_EQ(player.Tick(), 1);
    EXPECT_EQ(player.Tick(), 2);
    EXPECT_EQ(player.Tick(), 0);
    EXPECT_FALSE(player.Playing());
    PeriodPlayer none;
    EXPECT_FALSE(none.CanPlay());
    none.Start(0);
    EXPECT_FALSE(none.Playing());
}

TEST(PanelLogic, LegendRowsCarryColoursReadableText) {
    GridData grid = MakeSceneGrid();
    grid.AppendBoundary(DrainType, "ditch", {0.9, 0.2, 0.6});
    grid.SetBoundaryDisplayed(DrainType, 0, false);
    grid.SetValue(LayeredPosition, 0, 0, 0, 1.0);
    grid.SetValue(LayeredPosition, 0, 0, 1, 3.0);
    ViewSettings settings;
    settings.FilterMin = 1;
    settings.FilterMax = 3;
    TimeSeriesDisplay = 1;
    TimeSeriesCellColor = {0, 1, 0};
    grid.SetParameterInfo(LayeredPosition, grid.Parameter(LayeredPosition).name, {0, 0, 0},
                          {1, 1, 1});
    const std::vector<LegendRow> rows = BuildLegendRows(grid, settings, 0, LayeredPosition);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].text, "ditch (Drain)");
    EXPECT_EQ(rows[0].show, "No");
    EXPECT_EQ(rows[0].colour, QColor(229, 51, 153));
    EXPECT_EQ(rows[0].textColour, QColor(0, 255, 0)); // per component: dark text on light
    EXPECT_EQ(rows[1].text, "Ground Elevation Mesh");
    EXPECT_EQ(rows[2].show, "Yes");
    EXPECT_EQ(rows[3].text, "1");
    EXPECT_EQ(rows[3].textColour, QColor(255, 255, 255)); // white on black
    EXPECT_EQ(rows[4].textColour, QColor(0, 0, 0));
    // Output display: no value rows.
    EXPECT_EQ(BuildLegendRows(grid, settings, 1, 0).size(), 3u);
}

TEST(PanelLogic, BoundaryListPositionsMapToKindAndIndex) {
    GridData grid = MakeSceneGrid();
    grid.AppendBoundary(NaturalBoundaryType, "a", {0, 0, 0});
    grid.AppendBoundary(BasinType, "b", {0, 0, 0});
    grid.AppendBoundary(BasinType, "c", {0, 0, 0});
    int type = -1, index = -1;
    ASSERT_TRUE(BoundaryOfListIndex(grid, 2, type, index));
    EXPECT_EQ(type, BasinType);
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(BoundaryOfListIndex(grid, 3, type, index));
    EXPECT_FALSE(BoundaryOfListIndex(grid, -1, type, index));
    EXPECT_EQ(DepthFromSurfaceText(grid, 1), "100 cm");
}

TEST(ViewInteraction, RightButtonStepsTheEditingLayerRoundAndTurnsTheCamera) {
    GridData grid = MakeSceneGrid();
    ReaderContents(grid).layerSpacing = {100, 100, 100};
    grid.Resize(3, 2, 2);
    ViewSettings settings;
    settings.ViewMode = ParameterEditMode;
    settings.InputParameter = LayeredPosition;
    settings.CurrentSlice = 0;
    for (int expected : {1, 2, 0}) {
        settings.CurrentSlice = NextSlice(grid, settings);
        EXPECT_EQ(settings.CurrentSlice, expected);
    }
    settings.InputParameter = 0; // a surface parameter has one layer
    EXPECT_EQ(NextSlice(grid, settings), -1);
    settings.ViewMode = Display3D;
    EXPECT_EQ(NextSlice(grid, settings), -1);

    // dx = last - x = 10, dy = -20: a degree a pixel.
    RotateByDrag(settings, 100, 100, 90, 120);
    EXPECT_EQ(settings.RotationZ, 350);
    EXPECT_EQ(settings.RotationX, 20);
    RotateByDrag(settings, 0, 0, -800, 0); // more than two turns in one move
    EXPECT_EQ(settings.RotationZ, -90);
}

TEST(HoverReadout, TextsNameTheSameCellSetOrUnset) {
    GridData grid = MakeSceneGrid();
    ViewSettings settings;
    settings.ViewMode = ParameterEditMode;
    settings.CurrentSlice = 1;
    settings.InputParameter = LayeredPosition;
    const std::string name = grid.Parameter(LayeredPosition).name;
    EXPECT_EQ(HoverText(grid, settings, 1, 0, 1),
              "(Layer 2, row 1, column 2) Parameter " + name + " is unset.");
    grid.SetValue(LayeredPosition, 1, 0, 1, 2.5);
    EXPECT_EQ(HoverText(grid, settings, 1, 0, 1),
              "(Layer 2, row 1, column 2) Parameter " + name + " has value 2.5");
    settings.ViewMode = GridEditMode;
    EXPECT_EQ(HoverText(grid, settings, 0, 1, 0), "Layer 1, row 2, column 1");
    settings.ViewMode = BoundaryEditMode;
    settings.InputParameter = -1;
    EXPECT_EQ(HoverText(grid, settings, 1, 1, 1), "(Layer 2, row 2, column 2)");
    settings.ViewMode = OutputLayerMode; // no output chosen: the status stays
    EXPECT_FALSE(HoverText(grid, settings, 1, 1, 1));
    settings.ViewMode = Display3D;
    EXPECT_FALSE(HoverText(grid, settings, 1, 1, 1));
}

} // namespace
} // namespace korva
