// Deleting, splitting and subdividing: the spacings, and that every parameter,
// boundary grid and time-series list follows the same slice.
#include "gridshape.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gtest/gtest.h>
#include <random>

namespace korva {
namespace {

using testing::ExpectConsistentShape;
using testing::MakeGrid;

// What the window does with an edit's answer: shows its messages.
void Shown(const EditResult& result) {
    for (const std::string& message : result.messages)
        ShowMessage(message);
}

constexpr int HorizontalK = 1; // layered
constexpr int GroundIndex = 0; // surface

// Marks every row (column, layer) with its own number in a layered parameter,
// a surface parameter, the drain and basin grids and the time-series grid.
GridData MarkedGrid(std::vector<double> rows, std::vector<double> columns,
                    std::vector<double> layers) {
    GridData grid = MakeGrid(std::move(rows), std::move(columns), std::move(layers));
    grid.AppendBoundary(DrainType, "drain", {0, 0, 1});
    grid.AppendBoundary(BasinType, "basin", {0, 1, 0});
    for (int k = 0; k < grid.NumLayers(); ++k)
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c) {
                const int mark = 100 * k + 10 * r + c;
                grid.SetValue(HorizontalK, k, r, c, mark, false);
                if (k == 0) grid.SetValue(GroundIndex, 0, r, c, mark, false);
                grid.SetBoundaryValue(DrainType, k, r, c, mark);
                if (k == 0) grid.SetBoundaryValue(BasinType, 0, r, c, mark);
                ReaderContents(grid).TimeSeriesCellGrid.Set(k, r, c, {mark});
            }
    return grid;
}

// The mark the cell carries in every grid, or -1 when the grids disagree.
int MarkAt(const GridData& grid, int layer, int row, int col) {
    double layered = 0, surface = 0;
    grid.GetValue(HorizontalK, layer, row, col, layered);
    grid.GetValue(GroundIndex, 0, row, col, surface);
    const int drain = grid.GetBoundaryValue(DrainType, layer, row, col);
    const int basin = grid.GetBoundaryValue(BasinType, 0, row, col);
    const auto& series = grid.TimeSeriesCellGrid().Get(layer, row, col);
    if (series.size() != 1 || series[0] != drain || drain != static_cast<int>(layered)) return -1;
    // The surface grids carry the marks of layer 0.
    if (static_cast<int>(surface) != basin || basin != drain - 100 * (drain / 100)) return -1;
    return drain;
}

class GridEdit : public ::testing::Test {
protected:
    CollectingMessageSink messages;
    ScopedMessageSink useSink{messages};
};

TEST_F(GridEdit, DeletingRowZeroKeepsItsValuesAndMergesTheNextRow) {
    GridData grid = MarkedGrid({10, 20, 30}, {1, 1}, {1, 1});
    Shown(grid.DeleteItems(GridData::RowDimension, 0, 0));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{30, 30}));
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 1, 0, 1), 101);
    EXPECT_EQ(MarkAt(grid, 1, 1, 1), 121);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(GridEdit, DeletingARangeMergesEachItemIntoTheOneBefore) {
    GridData grid = MarkedGrid({10, 20, 30}, {1}, {1});
    Shown(grid.DeleteItems(GridData::RowDimension, 1, 2));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{60}));
    EXPECT_EQ(MarkAt(grid, 0, 0, 0), 0);
    ExpectConsistentShape(grid);
    Shown(grid.DeleteItems(GridData::RowDimension, 0, 0));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{60}));
    ASSERT_EQ(messages.messages, std::vector<std::string>{"Can't delete last row."});

    Shown(grid.DeleteItems(GridData::ColumnDimension, 0, 0));
    Shown(grid.DeleteItems(GridData::LayerDimension, 0, 0));
    EXPECT_EQ(messages.messages.back(), "Can't delete last layer.");
    EXPECT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[1], "Can't delete last column.");
    ExpectConsistentShape(grid);
}

TEST_F(GridEdit, DeletingAllItemsStopsAtTheLastOne) {
    GridData grid = MarkedGrid({1}, {1, 2, 3}, {1});
    Shown(grid.DeleteItems(GridData::ColumnDimension, 0, 2));
    EXPECT_EQ(grid.ColumnSpacing(), (std::vector<double>{6}));
    EXPECT_EQ(MarkAt(grid, 0, 0, 0), 0);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"Can't delete last column."});
    EXPECT_THROW(grid.DeleteItems(GridData::ColumnDimension, 0, 1), std::out_of_range);
    EXPECT_THROW(grid.DeleteItems(GridData::ColumnDimension, -1, 0), std::out_of_range);
    ExpectConsistentShape(grid);
}

TEST_F(GridEdit, DeletingALayerLeavesSurfaceGridsAlone) {
    GridData grid = MarkedGrid({1, 1}, {1}, {10, 20, 30});
    Shown(grid.DeleteItems(GridData::LayerDimension, 1, 1));
    EXPECT_EQ(grid.LayerSpacing(), (std::vector<double>{30, 30}));
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 0, 1, 0), 10);
    EXPECT_EQ(MarkAt(grid, 1, 1, 0), 210);

    GridData flat = MarkedGrid({1}, {1}, {10, 20});
    ReaderContents(flat).ModelKind = 0; // the 2D model keeps one layer in every boundary grid
    flat.Resize(2, 1, 1);
    Shown(flat.DeleteItems(GridData::LayerDimension, 0, 0));
    ExpectConsistentShape(flat);
}

TEST_F(GridEdit, RegionDeleteAtRowZeroKeepsTheNextRowsValues) {
    GridData grid = MarkedGrid({10, 20, 30}, {10, 10}, {1});
    // Rows 0 and 1 lie under y = -29 and y = -11 of a grid from -30 to 30.
    Shown(grid.DeleteRowsColumnsInRegion(true, false, {0, -29, 0}, {0, -11, 0}));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{60}));
    EXPECT_EQ(MarkAt(grid, 0, 0, 1), 21);
    ExpectConsistentShape(grid);
    EXPECT_TRUE(messages.messages.empty());

    Shown(grid.DeleteRowsColumnsInRegion(true, true, {-9, 0, 0}, {9, 0, 0}));
    EXPECT_EQ(grid.ColumnSpacing(), (std::vector<double>{20}));
    EXPECT_EQ(MarkAt(grid, 0, 0, 0), 20);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"Can't delete last row."});
    ExpectConsistentShape(grid);
}

TEST_F(GridEdit, RegionDeleteOfLayersUsesPickedDepths) {
    GridData grid = MarkedGrid({1}, {1}, {100, 100, 100, 100});
    // z = 1.5 is 50 cm below the top, z = -0.5 is 250 cm down: layers 0..2
    // go, the last of them merging into the old layer 3, which remains.
    Shown(grid.DeleteLayersInRegion({0, 0, -0.5}, {0, 0, 1.5}));
    EXPECT_EQ(grid.LayerSpacing(), (std::vector<double>{400}));
    EXPECT_EQ(MarkAt(grid, 0, 0, 0), 300);
    ExpectConsistentShape(grid);
}

TEST_F(GridEdit, SplittingARowCopiesItsCellsIntoTheNewRow) {
    GridData grid = MarkedGrid({10, 20, 30}, {10, 10}, {1, 1});
    // y = -15 cuts row 1 (from -20 to 0) 5 above its lower edge.
    Shown(grid.SplitRowsColumnsAt(true, false, {{0, -15, 0}}));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{10, 5, 15, 30}));
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 1, 1, 0), 110);
    EXPECT_EQ(MarkAt(grid, 1, 2, 0), 110);
    EXPECT_EQ(MarkAt(grid, 1, 3, 0), 120);

    EXPECT_EQ(grid.UniformSpacing(), 0);

    // Outside the grid or exactly on an edge nothing is cut.
    Shown(grid.SplitRowsColumnsAt(true, true, {{50, 40, 0}, {0, 0, 0}}));
    EXPECT_EQ(grid.RowSpacing().size(), 4u);
    EXPECT_EQ(grid.ColumnSpacing().size(), 2u);
}

TEST_F(GridEdit, SplittingTheFirstColumnDuplicatesItsMemberships) {
    GridData grid = MarkedGrid({1}, {10, 10}, {1});
    Shown(grid.SplitRowsColumnsAt(false, true, {{-7, 0, 0}, {8, 0, 0}}));
    EXPECT_EQ(grid.ColumnSpacing(), (std::vector<double>{3, 7, 8, 2}));
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 0, 0, 0), 0);
    EXPECT_EQ(MarkAt(grid, 0, 0, 1), 0);
    EXPECT_EQ(MarkAt(grid, 0, 0, 2), 1);
    EXPECT_EQ(MarkAt(grid, 0, 0, 3), 1);
}

TEST_F(GridEdit, SplittingALayerCopiesItBelow) {
    GridData grid = MarkedGrid({1}, {1}, {100, 200});
    // The grid is 3 m thick: z = -0.5 lies 200 cm below the top.
    Shown(grid.SplitLayerAt({0, 0, -0.5}));
    EXPECT_EQ(grid.LayerSpacing(), (std::vector<double>{100, 100, 100}));
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 1, 0, 0), 100);
    EXPECT_EQ(MarkAt(grid, 2, 0, 0), 100);
    Shown(grid.SplitLayerAt({0, 0, 5.0})); // above the grid
    EXPECT_EQ(grid.LayerSpacing().size(), 3u);
}

TEST_F(GridEdit, SubdividingMakesEqualCopies) {
    GridData grid = MarkedGrid({30, 30}, {10, 20}, {90, 30});
    Shown(grid.SubdivideRowsColumns(true, false, 2, {-14, -29, 0}, {-6, -1, 0}));
    EXPECT_EQ(grid.RowSpacing(), (std::vector<double>{10, 10, 10, 30}));
    EXPECT_EQ(grid.ColumnSpacing(), (std::vector<double>{10, 20}));
    ExpectConsistentShape(grid);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(MarkAt(grid, 1, r, 1), 101);
    EXPECT_EQ(MarkAt(grid, 1, 3, 1), 111);

    Shown(grid.SubdivideLayers(2, {0, 0, 0.5}, {0, 0, 0.5}));
    EXPECT_EQ(grid.LayerSpacing(), (std::vector<double>{30, 30, 30, 30}));
    EXPECT_EQ(grid.UniformSpacing(), 0); // rows 10, 10, 10, 30
    Shown(grid.SubdivideRowsColumns(true, false, 2, {0, 29, 0}, {0, 29, 0}));
    EXPECT_EQ(grid.UniformSpacing(), 0); // columns 10, 20
    Shown(grid.SubdivideRowsColumns(false, true, 1, {14, 0, 0}, {14, 0, 0}));
    EXPECT_EQ(grid.UniformSpacing(), 1);
    ExpectConsistentShape(grid);
    EXPECT_EQ(MarkAt(grid, 2, 0, 0), 0);
    EXPECT_EQ(MarkAt(grid, 3, 3, 1), 111);

    EXPECT_THROW(grid.SubdivideLayers(0, {}, {}), std::invalid_argument);
    EXPECT_THROW(grid.SubdivideRowsColumns(true, false, GridData::MaxSubdivisions + 1, {}, {}),
                 std::invalid_argument);
}

} // namespace
} // namespace korva

namespace korva {
namespace {

TEST_F(GridEdit, AnEditThatWouldExhaustMemoryIsRefused) {
    GridData grid =
        testing::MakeGrid(std::vector<double>(100, 1.0), std::vector<double>(100, 1.0), {1.0});
    // 100 x 100 columns, each row into 100001 parts: a billion cells.
    Shown(grid.SubdivideRowsColumns(true, false, GridData::MaxSubdivisions, {-50, -50, 0},
                                    {49, 49, 0}));
    EXPECT_EQ(grid.NumRows(), 100);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "The grid would have 1000010000 cells; at most 20000000 are "
                                    "possible.");
    ExpectConsistentShape(grid);
}

} // namespace
} // namespace korva

namespace korva {
namespace {

// Random sequences of every kind of edit, in both model kinds, must leave
// every grid in the shape of the spacing lists; since deletes merge their
// extent into a neighbour, the grid's totals never change either.
TEST_F(GridEdit, RandomEditSequencesKeepEveryGridInShape) {
    for (int kind = 0; kind <= 1; ++kind) {
        std::mt19937 random(1234u + static_cast<unsigned>(kind));
        GridData grid;
        grid.ResetModel(kind);
        ReaderContents(grid).rowSpacing = {10, 20, 30};
        ReaderContents(grid).columnSpacing = {5, 15};
        ReaderContents(grid).layerSpacing = {50, 50, 100};
        grid.Resize(3, 3, 2);
        grid.AppendBoundary(BasinType, "b", {0, 0, 0});
        grid.AppendBoundary(NoFlowType, "n", {0, 0, 0});
        const double width = grid.TotalExtent(GridData::ColumnDimension, false);
        const double height = grid.TotalExtent(GridData::RowDimension, false);
        const double depth = grid.TotalExtent(GridData::LayerDimension, false);
        auto coordinate = [&](double extent) {
            return std::uniform_real_distribution<double>(-0.6 * extent, 0.6 * extent)(random);
        };
        auto point = [&] {
            return ModelPoint{coordinate(width), coordinate(height), coordinate(depth / 100.0)};
        };
        for (int step = 0; step < 300; ++step) {
            switch (random() % 7) {
            case 0:
                Shown(grid.SplitRowsColumnsAt(random() % 2 == 0, true, {point(), point()}));
                break;
            case 1:
                Shown(grid.SplitLayerAt(point()));
                break;
            case 2:
                Shown(grid.SubdivideRowsColumns(true, random() % 2 == 0, 1, point(), point()));
                break;
            case 3:
                Shown(grid.SubdivideLayers(1, point(), point()));
                break;
            case 4:
                Shown(grid.DeleteRowsColumnsInRegion(true, random() % 2 == 0, point(), point()));
                break;
            case 5:
                Shown(grid.DeleteLayersInRegion(point(), point()));
                break;
            default: {
                const int dimension = static_cast<int>(random() % 3);
                const int count = dimension == 0   ? grid.NumRows()
                                  : dimension == 1 ? grid.NumColumns()
                                                   : grid.NumLayers();
                const int first = static_cast<int>(random() % static_cast<unsigned>(count));
                Shown(grid.DeleteItems(dimension, first, first));
            }
            }
            ExpectConsistentShape(grid);
            ASSERT_NEAR(grid.TotalExtent(GridData::ColumnDimension, false), width, 1e-9);
            ASSERT_NEAR(grid.TotalExtent(GridData::RowDimension, false), height, 1e-9);
            ASSERT_NEAR(grid.TotalExtent(GridData::LayerDimension, false), depth, 1e-9);
            // Keep the grid small so the sequence explores deletes as well.
            if (grid.NumRows() * grid.NumColumns() * grid.NumLayers() > 400)
                Shown(grid.DeleteItems(GridData::RowDimension, 0, grid.NumRows() - 1));
        }
    }
}

} // namespace
} // namespace korva
