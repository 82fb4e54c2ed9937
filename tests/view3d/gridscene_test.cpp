#include "scenegrid.h"
#include "view3d/scene/gridscene.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::LayeredPosition;
using testing::MakeSceneGrid;

TEST(GridSceneTriggers, EachSetterRebuildsOnlyTheListsItFeeds) {
    GridData grid = MakeSceneGrid();
    GridScene scene(grid);
    scene.Rebuild(AllLists);
    EXPECT_EQ(scene.TakeChanged(), AllLists);
    EXPECT_EQ(scene.TakeChanged(), 0u); // a repaint finds nothing to upload

    scene.SetHideAboveGround(false);
    EXPECT_EQ(scene.TakeChanged(), unsigned{CellValueList});
    scene.SetDrawGridLines(false);
    EXPECT_EQ(scene.TakeChanged(), unsigned{GridLineList_});
    scene.SetCurrentSlice(1);
    EXPECT_EQ(scene.TakeChanged(), unsigned{CellValueList | MarkerList});
    scene.OnUpdate(2);
    EXPECT_EQ(scene.TakeChanged(), unsigned{CellValueList | MarkerList});
    scene.OnUpdate(5); // repaint only
    EXPECT_EQ(scene.TakeChanged(), 0u);
    scene.OnUpdate(0);
    EXPECT_EQ(scene.TakeChanged(), unsigned{AllLists});
}

TEST(GridSceneTriggers, ModeAndParameterSettersKeepTheirRules) {
    GridData grid = MakeSceneGrid();
    GridScene scene(grid);
    scene.SetViewMode(ParameterEditMode);
    EXPECT_EQ(scene.Settings().CurrentSlice, 0);
    EXPECT_EQ(scene.Settings().PreviousViewMode, Display3D);
    scene.SetCurrentSlice(1);
    // A surface parameter lives on one layer: choosing it goes back to layer 0.
    scene.SetInputParameter(0);
    EXPECT_EQ(scene.Settings().CurrentSlice, 0);
    scene.SetOutputParameter(2, 3);
    EXPECT_EQ(scene.Settings().InputParameter, -1);
    EXPECT_EQ(scene.Settings().OutputTimePeriod, 3);
    scene.SetInputParameter(LayeredPosition);
    EXPECT_EQ(scene.Settings().OutputParameter, -1);
    scene.SetViewMode(Display3D);
    EXPECT_EQ(scene.Settings().CurrentSlice, -1);

    // Hint 1 (a colour changed elsewhere) drops the legend overrides of the shown parameter.
    scene.SetValueColour(LayeredPosition, 2.0, 0xff);
    EXPECT_EQ(scene.Settings().ValueColours[LayeredPosition].size(), 1u);
    scene.OnUpdate(1);
    EXPECT_TRUE(scene.Settings().ValueColours[LayeredPosition].empty());
}

} // namespace
} // namespace korva
