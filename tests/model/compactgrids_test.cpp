// The compact cell stores: slices of a contiguous grid, membership grids that
// hold cells only while a kind has boundaries and widen as numbers grow, and
// time-series selections held per selected cell through every shape edit.
#include "gridshape.h"
#include "model/griddata.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace korva {
namespace {

Grid3D<int> Numbered(int layers, int rows, int columns) {
    Grid3D<int> grid(layers, rows, columns);
    for (int k = 0; k < layers; ++k)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                grid(k, r, c) = 100 * k + 10 * r + c;
    return grid;
}

TEST(Grid3D, SlicesComeOutAndGoBackAlongEveryDimension) {
    for (int dimension = 0; dimension < 3; ++dimension) {
        const Grid3D<int> original = Numbered(4, 4, 5);
        Grid3D<int> grid = original;
        const Grid3D<int> removed = grid.ExtractSlices(dimension, 1, 2);
        EXPECT_EQ(dimension == 0   ? grid.Rows()
                  : dimension == 1 ? grid.Columns()
                                   : grid.Layers(),
                  (dimension == 1 ? 5 : 4) - 2);
        // Item 0 stays, the old item 3 follows it.
        EXPECT_EQ(grid(0, 0, 0), 0);
        EXPECT_EQ(dimension == 0   ? grid(0, 1, 0)
                  : dimension == 1 ? grid(0, 0, 1)
                                   : grid(1, 0, 0),
                  dimension == 0   ? 30
                  : dimension == 1 ? 3
                                   : 300);
        grid.InsertSlices(dimension, 1, removed);
        EXPECT_EQ(grid, original) << dimension;
    }
    Grid3D<int> grid = Numbered(2, 2, 2);
    EXPECT_THROW(grid.ExtractSlices(0, 1, 2), std::out_of_range);
    EXPECT_THROW(grid.At(2, 0, 0), std::out_of_range);
}

TEST(Grid3D, DuplicatesAndRegionsKeepTheirCells) {
    Grid3D<int> grid = Numbered(2, 3, 2);
    grid.DuplicateSlice(1, 1, 3); // column 1 four times
    ASSERT_EQ(grid.Columns(), 5);
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(grid(1, 2, c), 121);
    const Grid3D<int> box = grid.Region(1, 1, 0, 1, 2, 2);
    EXPECT_EQ(box(0, 1, 1), 121);
    Grid3D<int> zeros(1, 2, 2, 0);
    grid.SwapRegion(1, 1, 0, zeros);
    EXPECT_EQ(zeros, box);
    EXPECT_EQ(grid(1, 2, 1), 0);
    EXPECT_EQ(grid.Layer(1).size(), 15u);
    EXPECT_EQ(grid.Layer(1)[2 * 5 + 4], 121) << "a layer is its rows one after another";
}

// The cell of grid that item p of dimension stands in for, at (k, r, c) of a
// grid where that dimension's index is p: the reference the slice edits must
// agree with, cell by cell.
int Along(const Grid3D<int>& grid, int dimension, int p, int k, int r, int c) {
    return grid(dimension == 2 ? p : k, dimension == 0 ? p : r, dimension == 1 ? p : c);
}

int Extent(const Grid3D<int>& grid, int dimension) {
    return dimension == 0 ? grid.Rows() : dimension == 1 ? grid.Columns() : grid.Layers();
}

TEST(Grid3D, SliceEditsMoveEveryCellWhereACellByCellCopyWould) {
    const Grid3D<int> original = Numbered(3, 4, 5);
    for (int dimension = 0; dimension < 3; ++dimension) {
        const int size = Extent(original, dimension);
        for (int at = 0; at < size; ++at)
            for (int count = 1; at + count <= size; ++count) {
                Grid3D<int> grid = original;
                const Grid3D<int> removed = grid.ExtractSlices(dimension, at, count);
                ASSERT_EQ(Extent(grid, dimension), size - count);
                ASSERT_EQ(Extent(removed, dimension), count);
                for (int k = 0; k < grid.Layers(); ++k)
                    for (int r = 0; r < grid.Rows(); ++r)
                        for (int c = 0; c < grid.Columns(); ++c) {
                            const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                            ASSERT_EQ(grid(k, r, c),
                                      Along(original, dimension, p < at ? p : p + count, k, r, c))
                                << dimension << " " << at << " " << count;
                        }
                for (int k = 0; k < removed.Layers(); ++k)
                    for (int r = 0; r < removed.Rows(); ++r)
                        for (int c = 0; c < removed.Columns(); ++c) {
                            const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                            ASSERT_EQ(removed(k, r, c),
                                      Along(original, dimension, at + p, k, r, c));
                        }
                // Put back into a copy (a new array) and into the grid itself
                // (which still has the room: the runs move up in place).
                Grid3D<int> copy = grid;
                copy.InsertSlices(dimension, at, removed);
                ASSERT_EQ(copy, original) << dimension << " " << at << " " << count;
                grid.InsertSlices(dimension, at, removed);
                ASSERT_EQ(grid, original) << dimension << " " << at << " " << count;
            }

        // Slices put in at the very end, and copies of the first and the last item.
        Grid3D<int> grid = original;
        const Grid3D<int> last = grid.ExtractSlices(dimension, size - 1, 1);
        grid.InsertSlices(dimension, size - 1, last);
        EXPECT_EQ(grid, original);
        // Copies into a new array, and in place into a grid that has the room.
        for (const bool inPlace : {false, true})
            for (int at : {0, size - 1}) {
                Grid3D<int> copied = original;
                if (inPlace) {
                    copied.DuplicateSlice(dimension, 0, 2);
                    copied.ExtractSlices(dimension, 0, 2);
                    ASSERT_EQ(copied, original);
                }
                copied.DuplicateSlice(dimension, at, 2);
                ASSERT_EQ(Extent(copied, dimension), size + 2);
                for (int k = 0; k < copied.Layers(); ++k)
                    for (int r = 0; r < copied.Rows(); ++r)
                        for (int c = 0; c < copied.Columns(); ++c) {
                            const int p = dimension == 0 ? r : dimension == 1 ? c : k;
                            const int q = p <= at ? p : p <= at + 2 ? at : p - 2;
                            ASSERT_EQ(copied(k, r, c), Along(original, dimension, q, k, r, c))
                                << dimension << " " << at << " " << inPlace;
                        }
            }
    }
}

TEST(Grid3D, SliceEditsRefuseWhatDoesNotFitAndLeaveTheGridAsItWas) {
    const Grid3D<int> original = Numbered(2, 3, 4);
    Grid3D<int> grid = original;
    // Slices of another shape would read past their cells.
    EXPECT_THROW(grid.InsertSlices(0, 1, Grid3D<int>(2, 1, 3)), std::invalid_argument);
    EXPECT_THROW(grid.InsertSlices(2, 0, Grid3D<int>(1, 4, 3)), std::invalid_argument);
    EXPECT_THROW(grid.InsertSlices(1, 5, Grid3D<int>(2, 3, 1)), std::out_of_range);
    EXPECT_THROW(grid.InsertSlices(1, -1, Grid3D<int>(2, 3, 1)), std::out_of_range);
    EXPECT_THROW(grid.DuplicateSlice(2, 2, 1), std::out_of_range);
    EXPECT_THROW(grid.DuplicateSlice(0, 0, -1), std::invalid_argument);
    EXPECT_THROW(grid.ExtractSlices(1, 3, 2), std::out_of_range);
    EXPECT_EQ(grid, original);
    // An empty set of slices changes nothing.
    grid.InsertSlices(0, 3, Grid3D<int>(2, 0, 4));
    grid.DuplicateSlice(1, 3, 0);
    EXPECT_EQ(grid, original);
}

TEST(Memberships, AKindHoldsCellsFromItsFirstBoundaryToItsLast) {
    GridData grid = testing::MakeGrid({1, 1, 1}, {1, 1}, {1, 1});
    EXPECT_EQ(grid.Memberships(DrainType).CellBytes(), 0);
    grid.AppendBoundary(DrainType, "first", {});
    grid.SetBoundaryValue(DrainType, 1, 2, 1, 1);
    EXPECT_EQ(grid.Memberships(DrainType).CellBytes(), 1);
    EXPECT_EQ(grid.Memberships(BasinType).CellBytes(), 0) << "other kinds hold nothing";

    UndoRecord record;
    grid.DeleteBoundary(DrainType, 0, &record);
    EXPECT_EQ(grid.BoundaryCount(DrainType), 0);
    EXPECT_EQ(grid.Memberships(DrainType).CellBytes(), 0) << "the last boundary took the cells";
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 1, 2, 1), 0);
    grid.Revert(record);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 1, 2, 1), 1);
    testing::ExpectConsistentShape(grid);
}

TEST(Memberships, MoreThan255BoundariesOfAKindKeepTheirNumbers) {
    GridData grid = testing::MakeGrid({1, 1}, {1, 1, 1}, {1, 1});
    for (int i = 0; i < 300; ++i)
        grid.AppendBoundary(DrainType, "drain " + std::to_string(i + 1), {});
    grid.SetBoundaryValue(DrainType, 0, 0, 0, 255);
    EXPECT_EQ(grid.Memberships(DrainType).CellBytes(), 1);
    grid.SetBoundaryValue(DrainType, 1, 1, 2, 300);
    grid.SetBoundaryValue(DrainType, 0, 1, 1, 256);
    EXPECT_EQ(grid.Memberships(DrainType).CellBytes(), 2);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 0, 0), 255) << "widening kept the cells";

    UndoRecord record;
    grid.DeleteBoundary(DrainType, 255, &record); // number 256
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 1, 1), 0);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 1, 1, 2), 299);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 0, 0), 255);
    EXPECT_EQ(grid.Boundary(DrainType).names[255], "drain 257");
    grid.Revert(record);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 1, 1), 256);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 1, 1, 2), 300);

    // Numbers no 16 bits hold, and negative markers, widen further.
    grid.SetBoundaryValue(InactiveType, 0, 0, 0, -5);
    grid.SetBoundaryValue(InactiveType, 1, 0, 0, 70000);
    EXPECT_EQ(grid.Memberships(InactiveType).CellBytes(), 4);
    EXPECT_EQ(grid.GetBoundaryValue(InactiveType, 0, 0, 0), -5);
    EXPECT_EQ(grid.GetBoundaryValue(InactiveType, 1, 0, 0), 70000);
}

TEST(Memberships, LayersComeOutInTheirOwnWidth) {
    MembershipGrid cells(2, 2, 3);
    EXPECT_TRUE(cells.Layer8(0).empty());
    cells.Set(1, 1, 2, 7);
    ASSERT_EQ(cells.Layer8(1).size(), 6u);
    EXPECT_EQ(cells.Layer8(1)[5], 7);
    EXPECT_TRUE(cells.Layer16(1).empty());
    cells.Set(0, 0, 0, 1000);
    EXPECT_EQ(cells.Layer16(1)[5], 7);
    EXPECT_EQ(cells.LayerValues(0)[0], 1000);
}

TEST(Selections, FollowTheirCellThroughSplitSubdivideAndCut) {
    GridData grid = testing::MakeGrid({10, 10, 10}, {10, 10}, {100, 100});
    grid.SetTimeSeriesSelection(1, 1, 0, {9, 2, 4});
    grid.SetTimeSeriesSelection(0, 2, 1, {13});
    const GridContents start = grid.Contents();

    // A cut through row 1 gives both halves the cell's selections.
    ASSERT_TRUE(grid.SplitRowsColumnsAt(true, false, {{0, -2, 0}}));
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(1, 1, 0), (OutputParamDataItem{9, 2, 4}));
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(1, 2, 0), (OutputParamDataItem{9, 2, 4}));
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(0, 3, 1), (OutputParamDataItem{13}));
    // Column 0 into three: every part keeps them, in the order selected.
    ASSERT_TRUE(grid.SubdivideRowsColumns(false, true, 2, {-5, 0, 0}, {-5, 0, 0}));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid.TimeSeriesCellGrid().Get(1, 2, c), (OutputParamDataItem{9, 2, 4}));
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(0, 3, 3), (OutputParamDataItem{13}));
    EXPECT_EQ(grid.CountTimeSeriesSelections(), 2 * 3 * 3 + 1);
    // Layer 1 into two.
    ASSERT_TRUE(grid.SplitLayerAt({0, 0, -0.5}));
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(2, 2, 1), (OutputParamDataItem{9, 2, 4}));

    // Listed in layer, row, column order, as the files write them.
    std::vector<std::array<int, 3>> order;
    grid.TimeSeriesCellGrid().ForEach([&](const SelectionGrid::Cell& cell) {
        order.push_back({cell.layer, cell.row, cell.column});
    });
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(order.front(), (std::array<int, 3>{0, 3, 3}));

    // Cutting the new items back leaves one cell of each again.
    ASSERT_TRUE(grid.DeleteLayersInRegion({0, 0, -0.75}, {0, 0, -0.75}));
    ASSERT_TRUE(grid.DeleteItems(GridData::ColumnDimension, 1, 2));
    ASSERT_TRUE(grid.DeleteItems(GridData::RowDimension, 2, 2));
    EXPECT_EQ(grid.NumRows(), 3);
    EXPECT_EQ(grid.NumColumns(), 2);
    EXPECT_EQ(grid.NumLayers(), 2);
    EXPECT_TRUE(grid.TimeSeriesCellGrid() == start.TimeSeriesCellGrid);
    testing::ExpectConsistentShape(grid);
}

} // namespace
} // namespace korva
