#include "gridshape.h"
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::ExpectConsistentShape;
using testing::MakeGrid;

constexpr int HorizontalK = 1; // position of a layered parameter in the 3D list
constexpr int GroundIndex = 0; // "Ground Elevation" in the 3D list

TEST(GridModel, NewProjectIsOneEmptyCellOfTheThreeDimensionalModel) {
    GridData grid;
    EXPECT_EQ(grid.ParameterCount(), 0);
    grid.ResetModel(1);
    EXPECT_EQ(grid.ModelKind(), 1);
    EXPECT_EQ(grid.NumRows(), 1);
    EXPECT_EQ(grid.NumColumns(), 1);
    EXPECT_EQ(grid.NumLayers(), 1);
    EXPECT_EQ(grid.GetSpacing(GridData::RowDimension, 0, false), 100.0);
    EXPECT_EQ(grid.GetSpacing(GridData::LayerDimension, 0, true), 1.0);
    ASSERT_EQ(grid.ParameterCount(), 17);
    const std::vector<int> codes = {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22};
    EXPECT_EQ(grid.ParameterOrder(), codes);
    for (int i = 0; i < grid.ParameterCount(); ++i) {
        const ParameterData& data = grid.Parameter(i);
        EXPECT_EQ(data.name, GridData::ParameterDisplayName(grid.ParameterOrder()[i]));
        EXPECT_EQ(data.minValue, NoDataValue) << data.name;
        EXPECT_EQ(data.maxValue, NoDataValue) << data.name;
        double value = 0;
        EXPECT_FALSE(grid.GetValue(i, 0, 0, 0, value));
        EXPECT_EQ(value, NoDataValue);
    }
    EXPECT_FALSE(grid.Parameter(grid.ParameterIndexOfCode(3)).IsSurface());
    EXPECT_TRUE(grid.Parameter(grid.ParameterIndexOfCode(16)).IsSurface());
    EXPECT_EQ(grid.Parameter(grid.ParameterIndexOfCode(21)).FirstFileVersion, 2.3f);
    EXPECT_EQ(grid.Parameter(grid.ParameterIndexOfCode(22)).FirstFileVersion, 2.4f);
    EXPECT_EQ(grid.Boundary(DrainType).type, DrainType);
    ExpectConsistentShape(grid);
}

TEST(GridModel, TwoDimensionalModelHasTwentyOneSurfaceParameters) {
    GridData grid;
    grid.ResetModel(0);
    ASSERT_EQ(grid.ParameterCount(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(grid.ParameterOrder()[i], i);
        EXPECT_TRUE(grid.Parameter(i).IsSurface());
    }
    grid.ResetModel(7);
    EXPECT_EQ(grid.ParameterCount(), 0);
    EXPECT_EQ(grid.ModelKind(), 7);
}

TEST(GridModel, ResetKeepsSpacingListsAndGridsInOneShape) {
    GridData grid = MakeGrid({10, 20}, {5, 5, 5}, {30, 40});
    grid.ResetModel(0);
    EXPECT_EQ(grid.RowSpacing(), std::vector<double>{10});
    EXPECT_EQ(grid.ColumnSpacing(), std::vector<double>{5});
    EXPECT_EQ(grid.LayerSpacing(), std::vector<double>{30});
    ExpectConsistentShape(grid);
}

TEST(GridModel, ResizeClearsEveryCellAndRejectsEmptyDimensions) {
    GridData grid = MakeGrid({1, 1}, {1, 1, 1}, {1, 1, 1, 1});
    grid.SetValue(HorizontalK, 3, 1, 2, 5.0);
    grid.AppendBoundary(DrainType, "d", {0, 0, 1});
    grid.SetBoundaryValue(DrainType, 3, 1, 2, 1);
    ReaderContents(grid).TimeSeriesCellGrid.Set(3, 1, 2, {4});
    ExpectConsistentShape(grid);
    grid.Resize(4, 2, 3);
    double value = 0;
    EXPECT_FALSE(grid.GetValue(HorizontalK, 3, 1, 2, value));
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 3, 1, 2), 0);
    EXPECT_TRUE(grid.TimeSeriesCellGrid().Get(3, 1, 2).empty());
    EXPECT_EQ(grid.Parameter(HorizontalK).minValue, NoDataValue);
    EXPECT_THROW(grid.Resize(0, 2, 3), std::invalid_argument);
}

TEST(GridModel, ValuesOfLayeredAndSurfaceParameters) {
    GridData grid = MakeGrid({1, 1}, {1, 1}, {10, 10, 10, 10, 10});
    grid.SetValue(HorizontalK, 2, 1, 1, 7.0, true, true);
    double value = 0;
    for (int layer = 0; layer < 5; ++layer) {
        EXPECT_EQ(grid.GetValue(HorizontalK, layer, 1, 1, value), layer >= 2) << layer;
        EXPECT_EQ(value, layer >= 2 ? 7.0 : NoDataValue);
    }
    EXPECT_EQ(grid.Parameter(HorizontalK).minValue, 7.0);

    // A surface parameter answers from its single layer whatever the layer.
    grid.SetValue(GroundIndex, 4, 0, 1, 0.3);
    ASSERT_TRUE(grid.GetValue(GroundIndex, 2, 0, 1, value));
    EXPECT_EQ(value, 0.3);

    EXPECT_FALSE(grid.GetValue(-1, 0, 0, 0, value));
    EXPECT_THROW(grid.GetValue(grid.ParameterCount(), 0, 0, 0, value), std::out_of_range);
    EXPECT_THROW(grid.GetValue(HorizontalK, 5, 0, 0, value), std::out_of_range);
    EXPECT_THROW(grid.SetValue(HorizontalK, 0, 2, 0, 1.0), std::out_of_range);
    EXPECT_THROW(grid.SetValue(GroundIndex, 0, 0, 2, 1.0), std::out_of_range);
}

TEST(GridModel, ValueRangeSkipsMissingValues) {
    GridData grid = MakeGrid({1, 1, 1}, {1}, {1});
    grid.SetValue(HorizontalK, 0, 0, 0, 4.0, false);
    EXPECT_EQ(grid.Parameter(HorizontalK).minValue, NoDataValue); // not recomputed yet
    grid.SetValue(HorizontalK, 0, 1, 0, -2.5);
    EXPECT_EQ(grid.Parameter(HorizontalK).minValue, -2.5);
    EXPECT_EQ(grid.Parameter(HorizontalK).maxValue, 4.0);
    grid.ClearParameter(HorizontalK);
    EXPECT_EQ(grid.Parameter(HorizontalK).minValue, NoDataValue);
    EXPECT_EQ(grid.Parameter(HorizontalK).maxValue, NoDataValue);

    ParameterData empty;
    empty.RecomputeRange();
    EXPECT_EQ(empty.minValue, -1.0);
}

TEST(GridModel, DistinctValuesForTheLegend) {
    GridData grid = MakeGrid({1, 1, 1}, {1, 1}, {1, 1});
    EXPECT_TRUE(grid.DistinctValues(HorizontalK, 100).empty());
    grid.SetValue(HorizontalK, 0, 0, 0, 3.0);
    grid.SetValue(HorizontalK, 1, 2, 1, -1.0);
    grid.SetValue(HorizontalK, 0, 1, 1, 3.0);
    grid.SetValue(HorizontalK, 1, 0, 0, 0.5);
    EXPECT_EQ(grid.DistinctValues(HorizontalK, 100), (std::vector<double>{-1.0, 0.5, 3.0}));
    EXPECT_EQ(grid.DistinctValues(HorizontalK, 1).size(), 2u); // "more than one"
}

TEST(GridModel, SurfaceValuesMapToTheLayerTheyReach) {
    GridData grid = MakeGrid({1}, {1}, {100, 100, 100});
    // 1.0 m above the bottom of a 300 cm grid is 200 cm below the top.
    grid.SetValue(GroundIndex, 0, 0, 0, 1.0);
    double value = 0;
    EXPECT_FALSE(grid.GetValue(GroundIndex, 1, 0, 0, value, true));
    EXPECT_TRUE(grid.GetValue(GroundIndex, 2, 0, 0, value, true));
    EXPECT_TRUE(grid.GetValue(GroundIndex, 1, 0, 0, value, false));

    const int rootDepth = grid.ParameterIndexOfCode(GridData::InitialRootDepth);
    grid.SetValue(rootDepth, 0, 0, 0, 150.0);
    EXPECT_TRUE(grid.GetValue(rootDepth, 1, 0, 0, value, true));
    EXPECT_FALSE(grid.GetValue(rootDepth, 0, 0, 0, value, true));

    const int cropC1 = grid.ParameterIndexOfCode(GridData::CropCoefficients1);
    grid.SetValue(cropC1, 0, 0, 0, 0.5);
    EXPECT_TRUE(grid.GetValue(cropC1, 0, 0, 0, value, true));
    EXPECT_FALSE(grid.GetValue(cropC1, 2, 0, 0, value, true));

    grid.SetValue(HorizontalK, 2, 0, 0, 1.0);
    EXPECT_TRUE(grid.GetValue(HorizontalK, 2, 0, 0, value, true));
}

TEST(GridModel, LocatingCellsAndDepths) {
    GridData grid = MakeGrid({10, 20, 30}, {40, 60}, {100, 200});
    int layer = -1, row = -1, col = -1;
    // y = -30 + 10 is the edge between rows 0 and 1.
    EXPECT_TRUE(grid.LocateCell(0.0, -20.0, 0.0, layer, row, col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(layer, 1); // z = 0 lies 150 cm down, in the second layer
    EXPECT_FALSE(grid.LocateCell(51.0, 0.0, 0.0, layer, row, col));
    EXPECT_EQ(col, 1);
    EXPECT_FALSE(grid.LocateCell(0.0, 0.0, -2.0, layer, row, col));
    EXPECT_EQ(layer, 1);
    // Before the first edge counts as inside, in cell 0.
    EXPECT_TRUE(grid.LocateCell(-60.0, -40.0, 1.4, layer, row, col));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(layer, 0);

    ReaderContents(grid).ZExaggeration = 2.0;
    EXPECT_TRUE(grid.LocateCell(0.0, 0.0, 1.1, layer, row, col));
    EXPECT_EQ(layer, 0); // top layer spans z 3.0 .. 1.0
    EXPECT_DOUBLE_EQ(grid.DepthBelowTop(1.0), 100.0);

    EXPECT_EQ(grid.LayerOfDepth(99.9), 0);
    EXPECT_EQ(grid.LayerOfDepth(100.0), 1);
    EXPECT_EQ(grid.LayerOfDepth(5000.0), 1);
    EXPECT_EQ(grid.LayerOfHeight(199.0), 1);
    EXPECT_EQ(grid.LayerOfHeight(200.0), 0);
    EXPECT_EQ(grid.LayerOfHeight(900.0), 0);

    EXPECT_EQ(grid.TotalExtent(GridData::RowDimension, false), 60.0);
    EXPECT_EQ(grid.TotalExtent(GridData::LayerDimension, true), 3.0);
    EXPECT_THROW(grid.GetSpacing(GridData::ColumnDimension, 2, false), std::out_of_range);
    EXPECT_THROW(grid.TotalExtent(3, false), std::invalid_argument);
}

TEST(GridModel, FillRegionCoversTheLocatedRectangle) {
    GridData grid = MakeGrid({10, 10, 10}, {10, 10, 10}, {100, 100});
    grid.FillRegion(HorizontalK, {8.0, -8.0, 0}, {-2.0, 2.0, 0}, 0, 3.0, true);
    double value = 0;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const bool inside = row >= 0 && row <= 1 && col >= 1 && col <= 2;
            EXPECT_EQ(grid.GetValue(HorizontalK, 1, row, col, value), inside) << row << col;
        }
    EXPECT_EQ(grid.Parameter(HorizontalK).maxValue, 3.0);

    // A ground above the grid top is lowered to the grid's thickness.
    grid.FillRegion(GroundIndex, {0, 0, 0}, {0, 0, 0}, 0, 9.0, false);
    ASSERT_TRUE(grid.GetValue(GroundIndex, 0, 1, 1, value));
    EXPECT_EQ(value, 2.0);
}

TEST(GridModel, UniformSpacingAndTotals) {
    GridData grid = MakeGrid({5, 5}, {100, 200}, {10});
    grid.UpdateUniformSpacing();
    EXPECT_EQ(grid.UniformSpacing(), 0);
    ASSERT_TRUE(grid.SetTotalExtent(GridData::ColumnDimension, 600.0));
    EXPECT_EQ(grid.ColumnSpacing(), (std::vector<double>{200.0, 400.0}));
    ReaderContents(grid).columnSpacing = {5, 5};
    grid.UpdateUniformSpacing();
    EXPECT_EQ(grid.UniformSpacing(), 1);
    EXPECT_FALSE(grid.SetTotalExtent(GridData::RowDimension, 0.0));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{5, 5}));

    EXPECT_TRUE(grid.SetSpacing(GridData::RowDimension, 1, 7.5));
    EXPECT_EQ(grid.UniformSpacing(), 0);
    EXPECT_FALSE(grid.SetSpacing(GridData::RowDimension, 1, 0.0));
    EXPECT_FALSE(grid.SetSpacing(GridData::RowDimension, 1, -3.0));
    EXPECT_EQ(grid.RowSpacing()[1], 7.5);
    EXPECT_THROW(grid.SetSpacing(GridData::RowDimension, 2, 1.0), std::out_of_range);
}

TEST(GridModel, TransformChangesTheChosenLayersOnce) {
    GridData grid = MakeGrid({1}, {1, 1}, {1, 1, 1, 1});
    for (int layer = 0; layer < 4; ++layer)
        grid.SetValue(HorizontalK, layer, 0, 0, 1.0);
    grid.TransformParameter(HorizontalK, 1, 2, GridData::MultiplyTransform, 2.0);
    double value = 0;
    for (int layer = 0; layer < 4; ++layer) {
        grid.GetValue(HorizontalK, layer, 0, 0, value);
        EXPECT_EQ(value, layer == 1 || layer == 2 ? 2.0 : 1.0) << layer;
    }
    EXPECT_FALSE(grid.GetValue(HorizontalK, 1, 0, 1, value)); // no data stays no data

    grid.SetValue(GroundIndex, 0, 0, 0, 3.0);
    grid.TransformParameter(GroundIndex, 0, 3, GridData::MultiplyTransform, 2.0);
    grid.GetValue(GroundIndex, 0, 0, 0, value);
    EXPECT_EQ(value, 6.0);
    grid.TransformParameter(GroundIndex, 0, 3, GridData::OffsetTransform, -1.0);
    grid.GetValue(GroundIndex, 0, 0, 0, value);
    EXPECT_EQ(value, 5.0);
    EXPECT_EQ(grid.Parameter(GroundIndex).maxValue, 5.0);
    EXPECT_THROW(grid.TransformParameter(HorizontalK, 0, 4, GridData::OffsetTransform, 1.0),
                 std::out_of_range);
}

} // namespace
} // namespace korva
