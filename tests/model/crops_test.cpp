#include "gridshape.h"
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(Crops, LookUpsUseExactNamesAndTheFirstMatch) {
    GridData grid;
    ReaderContents(grid).cropBasins = {{"north", "wheat"}, {"south", "rice"}};
    CropParamData first;
    first.cropName = "wheat";
    first.maxRootDepth = 90;
    CropParamData second = first;
    second.maxRootDepth = 10;
    ReaderContents(grid).cropParams = {first, second};
    EXPECT_EQ(grid.FindCropForBasin("north"), "wheat");
    EXPECT_EQ(grid.FindCropForBasin("North"), "");
    CropParamData found;
    ASSERT_EQ(grid.FindCropParams("wheat", found), 1);
    EXPECT_EQ(found.maxRootDepth, 90);
    EXPECT_EQ(grid.FindCropParams("rice", found), 0);
}

TEST(Crops, BuilderWritesAbsoluteDaysIntoBasinCells) {
    GridData grid = testing::MakeGrid({1}, {1, 1, 1}, {1, 1});
    grid.AppendBoundary(BasinType, "north", {0, 0, 0});
    grid.AppendBoundary(BasinType, "south", {0, 0, 0});
    grid.AppendBoundary(BasinType, "fallow", {0, 0, 0});
    grid.SetBoundaryValue(BasinType, 0, 0, 0, 1);
    grid.SetBoundaryValue(BasinType, 0, 0, 1, 2);
    grid.SetBoundaryValue(BasinType, 0, 0, 2, 3);
    CropParamData wheat;
    wheat.cropName = "wheat";
    wheat.initialRootDepth = 5;
    wheat.cropC2 = 0.8;
    wheat.datePlanting = 100;
    wheat.stage1 = 30;
    wheat.dateHarvest = 120;
    ReaderContents(grid).cropParams = {wheat};
    // "south" points at a crop that was deleted, "fallow" has none.
    ReaderContents(grid).cropBasins = {{"north", "wheat"}, {"south", "barley"}};
    const int stage1 = grid.ParameterIndexOfCode(GridData::EndOfStage1);
    const int harvest = grid.ParameterIndexOfCode(GridData::DateOfHarvest);
    const int rootDepth = grid.ParameterIndexOfCode(GridData::InitialRootDepth);
    const int c2 = grid.ParameterIndexOfCode(GridData::CropCoefficients2);
    grid.SetValue(stage1, 0, 0, 1, 42.0);
    grid.BuildCropGrid();

    double value = 0;
    ASSERT_TRUE(grid.GetValue(stage1, 0, 0, 0, value));
    EXPECT_EQ(value, 130.0);
    ASSERT_TRUE(grid.GetValue(harvest, 0, 0, 0, value));
    EXPECT_EQ(value, 220.0);
    ASSERT_TRUE(grid.GetValue(rootDepth, 0, 0, 0, value));
    EXPECT_EQ(value, 5.0);
    ASSERT_TRUE(grid.GetValue(c2, 0, 0, 0, value));
    EXPECT_EQ(value, 0.8);
    ASSERT_TRUE(grid.GetValue(stage1, 0, 0, 1, value));
    EXPECT_EQ(value, 42.0);
    EXPECT_FALSE(grid.GetValue(stage1, 0, 0, 2, value));
    EXPECT_EQ(grid.Parameter(stage1).minValue, 42.0);
    EXPECT_EQ(grid.Parameter(stage1).maxValue, 130.0);
    // Parameters that are no crop values stay untouched.
    EXPECT_FALSE(
        grid.GetValue(grid.ParameterIndexOfCode(GridData::GroundElevation), 0, 0, 0, value));
}

TEST(Crops, ValueForBasinFillsEveryLayerOfALayeredParameter) {
    GridData grid = testing::MakeGrid({1}, {1, 1}, {1, 1, 1});
    grid.AppendBoundary(BasinType, "b", {0, 0, 0});
    grid.SetBoundaryValue(BasinType, 0, 0, 1, 1);
    const int k = grid.ParameterIndexOfCode(GridData::HorizontalHydraulicConductivity);
    grid.SetValueForBasin(k, 1, 2.0);
    double value = 0;
    for (int layer = 0; layer < 3; ++layer) {
        EXPECT_TRUE(grid.GetValue(k, layer, 0, 1, value));
        EXPECT_FALSE(grid.GetValue(k, layer, 0, 0, value));
    }
    EXPECT_EQ(grid.Parameter(k).maxValue, 2.0);
}

} // namespace
} // namespace korva
