// Every edit of the model, undone through its record, gives back the model it
// started from; redone, the model it made; and both times the listeners hear
// the same changes the edit reported.
#include "gridshape.h"
#include "model/griddata.h"
#include "model/modelcheck.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korva {
namespace {

using testing::ExpectConsistentShape;
using Edit = std::function<EditResult(GridData&, UndoRecord*)>;

constexpr int HorizontalK = 1; // layered in the 3D model
constexpr int Ground = 0;      // surface

// A 3 x 4 x 3 model with values in every parameter, boundaries of every kind,
// crops on two basins, selections and settings.
GridData RichGrid() {
    GridData grid = testing::MakeGrid({10, 20, 30}, {5, 5, 10, 20}, {100, 50, 50});
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        Grid3D<double> values = grid.Parameter(p).values;
        for (int k = 0; k < values.Layers(); ++k)
            for (int r = 0; r < values.Rows(); ++r)
                for (int c = 0; c < values.Columns(); ++c)
                    values(k, r, c) = (r + c) % 5 == 4 ? NoDataValue : p + k * 0.5 + r + c * 0.1;
        grid.SetParameterValues(p, std::move(values));
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        grid.AppendBoundary(type, std::string(BoundaryTypeName(type)) + " 1", {0.1, 0.2, 0.3});
        grid.AppendBoundary(type, std::string(BoundaryTypeName(type)) + " 2", {0.4, 0.5, 0.6});
    }
    for (int k = 0; k < grid.NumLayers(); ++k)
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c)
                for (int type = 0; type < BoundaryTypeCount; ++type)
                    if (k < grid.BoundaryLayerCount(type) && (r + c + type) % 3 != 0)
                        grid.SetBoundaryValue(type, k, r, c, 1 + (r + k + type) % 2);
    grid.SetDrainCollector(0, 1);
    grid.SetDrainCollector(1, 0);
    BasinCropRecords crops = grid.GetBasinCropRecords();
    crops.cropParams = {{"Wheat", 10, 120, 0.3, 1.1, 0.4, 30, 20, 40, 60, 90},
                        {"Cotton", 5, 150, 0.2, 1.2, 0.5, 60, 30, 50, 80, 120}};
    crops.cropBasins = {{"Basin 1", "Wheat"}, {"Basin 2", "Cotton"}};
    crops.irrigation[0] = {{3, 1, 1990, 5.0, 1.2}};
    crops.YieldResponseFactors[2] = {0.8, 0.9};
    grid.SetBasinCropRecords(std::move(crops));
    grid.SetTimeSeriesSelection(0, 1, 2, {9, 4});
    grid.SetTimeSeriesSelection(2, 2, 3, {0});
    grid.SetPrintList({{6, 1, 1990}});
    grid.SetSimulationPeriod(10, 200, 1990);
    return grid;
}

struct UndoCase {
    const char* name;
    Edit edit;
};

std::vector<UndoCase> EveryEdit() {
    const ModelPoint topLeft{-19.9, -29.9, 0.9};
    const ModelPoint middle{1.0, 1.0, -0.2};
    return {
        {"SetValue",
         [](GridData& g, UndoRecord* u) {
             return g.SetValue(HorizontalK, 1, 2, 3, 7.5, true, false, u);
         }},
        {"SetValue down",
         [](GridData& g, UndoRecord* u) {
             return g.SetValue(HorizontalK, 0, 1, 1, 8.5, true, true, u);
         }},
        {"SetValue surface",
         [](GridData& g, UndoRecord* u) {
             return g.SetValue(Ground, 2, 0, 0, 1.5, true, false, u);
         }},
        {"ClearParameter",
         [](GridData& g, UndoRecord* u) { return g.ClearParameter(HorizontalK, u); }},
        {"FillRegion",
         [=](GridData& g, UndoRecord* u) {
             return g.FillRegion(HorizontalK, topLeft, middle, 1, 3.25, true, u);
         }},
        {"FillRegion ground",
         [=](GridData& g, UndoRecord* u) {
             return g.FillRegion(Ground, topLeft, middle, 0, 99.0, false, u);
         }},
        {"SetValueForBasin",
         [](GridData& g, UndoRecord* u) { return g.SetValueForBasin(HorizontalK, 2, 6.0, u); }},
        {"SetParameterValues",
         [](GridData& g, UndoRecord* u) {
             return g.SetParameterValues(Ground, Grid3D<double>(1, 3, 4, 2.0), u);
         }},
        {"MarkAboveGround",
         [](GridData& g, UndoRecord* u) { return g.MarkAboveGround(InactiveType, 7, u); }},
        {"TransformParameter",
         [](GridData& g, UndoRecord* u) {
             return g.TransformParameter(HorizontalK, 0, 1, GridData::MultiplyTransform, 3.0, u);
         }},
        {"SetParameterInfo",
         [](GridData& g, UndoRecord* u) {
             return g.SetParameterInfo(Ground, "Ground (m)", {0, 0, 1}, {1, 1, 0}, u);
         }},
        {"SetTotalExtent",
         [](GridData& g, UndoRecord* u) {
             return g.SetTotalExtent(GridData::ColumnDimension, 80.0, u);
         }},
        {"SetSpacing",
         [](GridData& g, UndoRecord* u) {
             return g.SetSpacing(GridData::LayerDimension, 1, 75.0, u);
         }},
        {"SetZExaggeration", [](GridData& g, UndoRecord* u) { return g.SetZExaggeration(4.0, u); }},
        {"SetUnits", [](GridData& g, UndoRecord* u) { return g.SetUnits("ft", "in", u); }},
        {"DeleteItems rows",
         [](GridData& g, UndoRecord* u) { return g.DeleteItems(GridData::RowDimension, 0, 1, u); }},
        {"DeleteItems columns",
         [](GridData& g, UndoRecord* u) {
             return g.DeleteItems(GridData::ColumnDimension, 1, 3, u);
         }},
        {"DeleteItems layers",
         [](GridData& g, UndoRecord* u) {
             return g.DeleteItems(GridData::LayerDimension, 0, 2, u);
         }},
        {"DeleteRowsColumnsInRegion",
         [=](GridData& g, UndoRecord* u) {
             return g.DeleteRowsColumnsInRegion(true, true, topLeft, middle, u);
         }},
        {"DeleteLayersInRegion",
         [=](GridData& g, UndoRecord* u) { return g.DeleteLayersInRegion(topLeft, middle, u); }},
        {"SplitRowsColumnsAt",
         [](GridData& g, UndoRecord* u) {
             return g.SplitRowsColumnsAt(true, true, {{-12, -25, 0}, {3, 7, 0}}, u);
         }},
        {"SplitLayerAt",
         [](GridData& g, UndoRecord* u) {
             return g.SplitLayerAt({0, 0, 0.5}, u);
         }},
        {"SubdivideRowsColumns",
         [=](GridData& g, UndoRecord* u) {
             return g.SubdivideRowsColumns(true, true, 2, topLeft, middle, u);
         }},
        {"SubdivideLayers",
         [=](GridData& g, UndoRecord* u) { return g.SubdivideLayers(3, topLeft, middle, u); }},
        {"SetBoundaryValue",
         [](GridData& g, UndoRecord* u) { return g.SetBoundaryValue(DrainType, 2, 2, 3, 2, u); }},
        {"SetMembershipRegion",
         [](GridData& g, UndoRecord* u) {
             return g.SetMembershipRegion(NoFlowType, 1, 1, 1, Grid3D<int32_t>(2, 2, 3, 99), u);
         }},
        {"PaintBoundaryRegion",
         [=](GridData& g, UndoRecord* u) {
             return g.PaintBoundaryRegion(CollectorType, 2, topLeft, middle, 0, true, true, u);
         }},
        {"PaintBoundaryRegion erase",
         [=](GridData& g, UndoRecord* u) {
             return g.PaintBoundaryRegion(NaturalBoundaryType, 0, topLeft, middle, -1, false, false,
                                          u);
         }},
        {"AppendBoundary",
         [](GridData& g, UndoRecord* u) {
             g.AppendBoundary(BasinType, "Basin 3", {1, 1, 1}, u);
             return EditResult{};
         }},
        {"RenameBoundary",
         [](GridData& g, UndoRecord* u) {
             return g.RenameBoundary(BasinType, 0, "North field", u);
         }},
        {"SetBoundaryColor",
         [](GridData& g, UndoRecord* u) {
             return g.SetBoundaryColor(DrainType, 1, {1, 0, 0}, u);
         }},
        {"SetBoundaryDisplayed",
         [](GridData& g, UndoRecord* u) {
             return g.SetBoundaryDisplayed(InactiveType, 0, false, u);
         }},
        {"SetBoundaryFlux",
         [](GridData& g, UndoRecord* u) { return g.SetBoundaryFlux(1, 0.02, 1.5, u); }},
        {"SetBoundaryLists",
         [](GridData& g, UndoRecord* u) {
             BoundaryTypeData r = g.Boundary(NoFlowType);
             r.names[0] = "rock";
             return g.SetBoundaryLists(NoFlowType, r, u);
         }},
        {"DeleteBoundary drain",
         [](GridData& g, UndoRecord* u) { return g.DeleteBoundary(DrainType, 0, u); }},
        {"DeleteBoundary collector",
         [](GridData& g, UndoRecord* u) { return g.DeleteBoundary(CollectorType, 0, u); }},
        {"DeleteBoundary basin",
         [](GridData& g, UndoRecord* u) { return g.DeleteBoundary(BasinType, 0, u); }},
        {"SetDrainCollector",
         [](GridData& g, UndoRecord* u) { return g.SetDrainCollector(0, -1, u); }},
        {"SetBasinCropRecords",
         [](GridData& g, UndoRecord* u) {
             BasinCropRecords r = g.GetBasinCropRecords();
             r.cropParams.pop_back();
             r.irrigation[1].push_back({});
             return g.SetBasinCropRecords(r, u);
         }},
        {"BuildCropGrid", [](GridData& g, UndoRecord* u) { return g.BuildCropGrid(u); }},
        {"SetSettings",
         [](GridData& g, UndoRecord* u) {
             SimulationSettings s = g.Settings();
             s.porosity = 0.4;
             s.DailyETUsage = {1, 2};
             return g.SetSettings(s, u);
         }},
        {"SetSimulationPeriod",
         [](GridData& g, UndoRecord* u) { return g.SetSimulationPeriod(20, 300, 1991, u); }},
        {"ApplyModelCheckValues",
         [](GridData& g, UndoRecord* u) {
             ProblemList p;
             p.Add(IrrigationTimeStepProblem, 2, 1);
             return g.ApplyModelCheckValues(p, u);
         }},
        {"SetTimeSeriesSelection",
         [](GridData& g, UndoRecord* u) {
             return g.SetTimeSeriesSelection(0, 1, 2, {13, 0, 4}, u);
         }},
        {"SetTimeSeriesSelection clear",
         [](GridData& g, UndoRecord* u) { return g.SetTimeSeriesSelection(2, 2, 3, {}, u); }},
        {"SetPrintList",
         [](GridData& g, UndoRecord* u) {
             return g.SetPrintList({{1, 2, 1990}, {3, 4, 1990}}, u);
         }},
        {"SetGridOutputParamList",
         [](GridData& g, UndoRecord* u) {
             return g.SetGridOutputParamList({2, 9}, u);
         }},
        {"SetOutputBaseName",
         [](GridData& g, UndoRecord* u) { return g.SetOutputBaseName("run1", u); }},
    };
}

class UndoEveryEdit : public ::testing::TestWithParam<std::size_t> {};

TEST_P(UndoEveryEdit, UndoAndRedoGiveBackTheModelAndTheReports) {
    const UndoCase edit = EveryEdit().at(GetParam());
    SCOPED_TRACE(edit.name);
    GridData grid = RichGrid();
    const GridData before = grid;
    std::vector<GridChange> heard;
    grid.AddChangeListener([&](const GridChange& change) { heard.push_back(change); });

    UndoRecord record;
    const std::uint64_t revision = grid.Revision();
    const EditResult result = edit.edit(grid, &record);
    ASSERT_TRUE(result.done);
    ExpectConsistentShape(grid);
    const GridData after = grid;
    const std::vector<GridChange> reported = heard;
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(record.Changes(), reported);
    EXPECT_EQ(grid.Revision(), revision + reported.size());
    EXPECT_FALSE(after.Contents() == before.Contents()) << "the edit changed nothing";

    heard.clear();
    grid.Revert(record);
    EXPECT_TRUE(record.Undone());
    EXPECT_TRUE(grid.Contents() == before.Contents()) << "undo did not restore the model";
    EXPECT_EQ(heard, reported);

    heard.clear();
    grid.Revert(record);
    EXPECT_TRUE(grid.Contents() == after.Contents()) << "redo did not make the edit again";
    EXPECT_EQ(heard, reported);

    // And once more, as an undo stack walks back and forth.
    grid.Revert(record);
    EXPECT_TRUE(grid.Contents() == before.Contents());
}

INSTANTIATE_TEST_SUITE_P(Model, UndoEveryEdit, ::testing::Range<std::size_t>(0, 48),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string name = EveryEdit().at(info.param).name;
                             for (char& ch : name)
                                 if (ch == ' ') ch = '_';
                             return name;
                         });

TEST(Undo, TheListCoversEveryCase) {
    EXPECT_EQ(EveryEdit().size(), 48u);
}

TEST(Undo, AHistoryOfEditsUndoesInReverseOrder) {
    GridData grid = RichGrid();
    std::vector<GridData> states{grid};
    std::vector<UndoRecord> history;
    for (const UndoCase& edit : EveryEdit()) {
        UndoRecord record;
        if (!edit.edit(grid, &record).done) continue;
        history.push_back(std::move(record));
        states.push_back(grid);
    }
    ASSERT_GT(history.size(), 30u);
    for (std::size_t i = history.size(); i-- > 0;) {
        grid.Revert(history[i]);
        ASSERT_TRUE(grid.Contents() == states[i].Contents()) << EveryEdit()[i].name;
    }
    for (std::size_t i = 0; i < history.size(); ++i) {
        grid.Revert(history[i]);
        ASSERT_TRUE(grid.Contents() == states[i + 1].Contents());
    }
}

TEST(Undo, ARefusedEditKeepsNothingAndReportsNothing) {
    GridData grid = testing::MakeGrid({10}, {10}, {10});
    int heard = 0;
    grid.AddChangeListener([&](const GridChange&) { ++heard; });
    UndoRecord record;
    const EditResult result = grid.DeleteItems(GridData::RowDimension, 0, 0, &record);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Can't delete last row."});
    EXPECT_TRUE(record.Empty());
    EXPECT_EQ(heard, 0);
    EXPECT_FALSE(grid.SetSpacing(GridData::RowDimension, 0, -1.0, &record));
    EXPECT_TRUE(record.Empty());
}

TEST(Undo, RecordsHoldOnlyTheCellsTheyChange) {
    GridData grid = testing::MakeGrid(std::vector<double>(100, 1.0), std::vector<double>(100, 1.0),
                                      std::vector<double>(10, 1.0));
    UndoRecord fill;
    grid.FillRegion(HorizontalK, {-49.5, -49.5, 0}, {-40.5, -45.5, 0}, 2, 1.0, false, &fill);
    EXPECT_EQ(fill.HeldBytes(), 10u * 5u * sizeof(double));
    grid.AppendBoundary(DrainType, "d", {});
    UndoRecord paint;
    grid.PaintBoundaryRegion(DrainType, 1, {-49.5, -49.5, 0}, {-45.5, -49.5, 0}, 7, true, true,
                             &paint);
    EXPECT_EQ(paint.HeldBytes(), 3u * 5u * sizeof(int32_t));
    // A delete keeps the removed row of each grid, an insert nothing at all.
    UndoRecord cut;
    grid.DeleteItems(GridData::RowDimension, 5, 5, &cut);
    const std::size_t row = 100 * sizeof(double);
    EXPECT_LT(cut.HeldBytes(), 20 * 10 * row);
    UndoRecord split;
    grid.SplitLayerAt({0, 0, 0.01}, &split);
    EXPECT_LT(split.HeldBytes(), 1000u);
}

TEST(Undo, ListenersStayWithTheirModel) {
    GridData grid = testing::MakeGrid({10, 10}, {10}, {10});
    int heard = 0;
    const int handle = grid.AddChangeListener([&](const GridChange&) { ++heard; });
    GridData copy = grid;
    copy.SetValue(Ground, 0, 0, 0, 1.0);
    EXPECT_EQ(heard, 0);
    grid.ReplaceModel(std::move(copy));
    EXPECT_EQ(heard, 1);
    grid.RemoveChangeListener(handle);
    grid.SetValue(Ground, 0, 0, 0, 2.0);
    EXPECT_EQ(heard, 1);
}

} // namespace
} // namespace korva
