// The undo steps of the record editors on the bundled example.
#include "dialogs/dialogdocument.h"
#include "dialogs/records/crops/cropgridedit.h"
#include "dialogs/records/recordchange.h"
#include "examplegrid.h"
#include "tests/gridrows.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva {
namespace {

// Every crop cell value of the grid, to compare before and after.
std::vector<Grid3D<double>> CropCells(const GridData& grid) {
    std::vector<Grid3D<double>> cells;
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        const int code = grid.ParameterOrder()[static_cast<std::size_t>(p)];
        if (code >= GridData::InitialRootDepth && code <= GridData::DateOfHarvest)
            cells.push_back(grid.Parameter(p).values);
    }
    return cells;
}

double CellValue(const GridData& grid, int code, int row, int column) {
    double value = 0;
    grid.GetValue(grid.ParameterIndexOfCode(code), 0, row, column, value);
    return value;
}

TEST(CropGridEdit, OkRefillsTheBasinsAndUndoPutsEveryCellBack) {
    GridData grid = test::ExampleGrid();
    ASSERT_GE(grid.BoundaryCount(BasinType), 2);
    const CropRecords before = CropRecords::Read(grid);
    const auto cellsBefore = CropCells(grid);
    // A basin cell of the first basin.
    int row = -1, column = -1;
    const auto members = testing::LayerRows(grid.Memberships(BasinType), 0);
    for (std::size_t r = 0; r < members.size() && row < 0; ++r)
        for (std::size_t c = 0; c < members[r].size(); ++c)
            if (members[r][c] == 1) {
                row = static_cast<int>(r);
                column = static_cast<int>(c);
                break;
            }
    ASSERT_GE(row, 0);
    const std::string crop = grid.FindCropForBasin(grid.Boundary(BasinType).names[0]);

    CropRecords edited = before;
    for (CropParamData& c : edited.crops)
        if (c.cropName == crop) {
            c.datePlanting = 100;
            c.stage1 = 30;
            c.maxRootDepth = 123;
        }
    CropGridEdit edit(before, edited);
    ASSERT_TRUE(edit.Apply(grid));
    EXPECT_EQ(CellValue(grid, GridData::EndOfStage1, row, column), 130);
    EXPECT_EQ(CellValue(grid, GridData::MaximumRootDepth, row, column), 123);
    EXPECT_EQ(grid.CropParams().size(), edited.crops.size());
    EXPECT_GT(edit.ChangedCellCount(), 0u);
    // Only basin cells whose value moved are kept, never the whole grid.
    const std::size_t cells = grid.RowSpacing().size() * grid.ColumnSpacing().size();
    EXPECT_LT(edit.ChangedCellCount(), 10 * cells);

    edit.Undo(grid);
    EXPECT_EQ(CropCells(grid), cellsBefore);
    EXPECT_EQ(grid.CropParams().size(), before.crops.size());
    EXPECT_TRUE(edit.Apply(grid));
    EXPECT_EQ(CellValue(grid, GridData::EndOfStage1, row, column), 130);

    // Nothing to change, nothing to keep: OK on an untouched dialog adds no step.
    CropGridEdit again(edited, edited);
    EXPECT_FALSE(again.Apply(grid));
}

TEST(ChangeRecords, KeepsOldAndNewRecordsOfOneFamily) {
    GridData grid = test::ExampleGrid();
    QUndoStack stack;
    UndoStackDocument document(grid, stack);
    ASSERT_GE(grid.BoundaryCount(NaturalBoundaryType), 1);
    const NatBoundRecords before = NatBoundRecords::Read(grid);
    NatBoundRecords edited = before;
    edited.flux[0] = 0.25;
    ChangeRecords(document, "Edit", edited, BoundariesPart);
    ChangeRecords(document, "Edit", edited, BoundariesPart); // the same again: no step
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).flux[0], 0.25);
    stack.undo();
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).flux, before.flux);

    // Drain indices are written back exactly, even one a file left invalid.
    ReaderContents(grid).boundaries[DrainType].collectorIndex[0] = 42;
    DrainCollectorRecords drains = DrainCollectorRecords::Read(grid);
    drains.collectorIndex[0] = -1;
    ChangeRecords(document, "Edit", drains, BoundariesPart);
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], -1);
    stack.undo();
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], 42);

    // Per-basin lists keep one entry per basin.
    IrrigationRecords short_;
    ChangeRecords(document, "Edit", short_, IrrigationPart);
    EXPECT_EQ(grid.Irrigation().size(), static_cast<std::size_t>(grid.BoundaryCount(BasinType)));
}

} // namespace
} // namespace korva
