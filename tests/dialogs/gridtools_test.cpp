// The grid editor's tool options, its table and total edits, the rectangle
// rescale and the delete chooser's answer.
#include "dialogs/grid/gridedittools.h"
#include "dialogs/grid/spacingedit.h"
#include "widgets/deleteitemschoice.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(GridEditTools, TheLayerOptionExcludesRowsAndColumnsAndPicksItsMode) {
    GridEditTools tools;
    EXPECT_EQ(tools.Mode(), AddTool);
    tools.SetOption(SubdivideTool, LayersOption, true);
    EXPECT_EQ(tools.Mode(), SubdivideTool);
    EXPECT_FALSE(tools.Option(SubdivideTool, RowsOption));
    EXPECT_FALSE(tools.Option(SubdivideTool, ColumnsOption));
    // The other modes keep their own options.
    EXPECT_TRUE(tools.Option(AddTool, RowsOption));

    tools.SetOption(SubdivideTool, ColumnsOption, true);
    EXPECT_FALSE(tools.Option(SubdivideTool, LayersOption));
    EXPECT_TRUE(tools.Option(SubdivideTool, ColumnsOption));
    EXPECT_FALSE(tools.Option(SubdivideTool, RowsOption));

    // Clearing an option neither changes the mode nor the others.
    tools.SetOption(DeleteTool, RowsOption, false);
    EXPECT_EQ(tools.Mode(), SubdivideTool);
    EXPECT_TRUE(tools.Option(DeleteTool, ColumnsOption));
}

TEST(GridEditTools, AMouseActionBecomesOneStepPerCheckedDirection) {
    GridEditTools tools;
    const PickedPoints plan = PointsOfPick(-1.0, 2.0, 3.0, 4.0, true, 0.25);
    EXPECT_EQ(plan.first.y, 3.0);
    EXPECT_EQ(plan.second.z, 0.25);
    std::vector<GridEditStep> steps = PlanGridEdit(tools, 1, plan);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].dimension, GridData::RowDimension);
    EXPECT_EQ(steps[1].dimension, GridData::ColumnDimension);
    EXPECT_EQ(steps[0].kind, GridEditStep::Split);

    // The vertical section shows no rows: only the column step remains.
    const PickedPoints section = PointsOfPick(-1.0, 2.0, 0.5, 0.7, false, 0.0);
    EXPECT_EQ(section.first.z, 0.5);
    steps = PlanGridEdit(tools, 1, section);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].dimension, GridData::ColumnDimension);

    tools.SetOption(AddTool, LayersOption, true);
    steps = PlanGridEdit(tools, 1, section);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].dimension, GridData::LayerDimension);
    EXPECT_EQ(steps[0].points.size(), 1u); // a layer is cut at one depth

    tools.SetOption(SubdivideTool, LayersOption, true);
    steps = PlanGridEdit(tools, 7, section);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].kind, GridEditStep::Subdivide);
    EXPECT_EQ(steps[0].parts, 7);

    tools.SetMode(DeleteTool);
    tools.SetOption(DeleteTool, RowsOption, false);
    tools.SetOption(DeleteTool, ColumnsOption, false);
    EXPECT_TRUE(PlanGridEdit(tools, 1, plan).empty());
}

TEST(SpacingEdit, EmptyDeletesAPositiveNumberSetsAndTheRestReverts) {
    EXPECT_EQ(ClassifySpacingEdit("100", "100").kind, SpacingEdit::Unchanged);
    EXPECT_EQ(ClassifySpacingEdit("", "100").kind, SpacingEdit::Delete);
    EXPECT_EQ(ClassifySpacingEdit("  ", "100").kind, SpacingEdit::Delete);
    const SpacingEdit set = ClassifySpacingEdit("25.5", "100");
    EXPECT_EQ(set.kind, SpacingEdit::Set);
    EXPECT_EQ(set.value, 25.5);
    EXPECT_EQ(ClassifySpacingEdit("0", "100").kind, SpacingEdit::Revert);
    EXPECT_EQ(ClassifySpacingEdit("-3", "100").kind, SpacingEdit::Revert);
    EXPECT_EQ(ClassifySpacingEdit("wide", "100").kind, SpacingEdit::Revert);
    EXPECT_EQ(ClassifySpacingEdit("12abc", "100").kind, SpacingEdit::Revert);
}

TEST(SpacingEdit, ATotalIsTakenOnlyWhenItIsANewPositiveNumber) {
    EXPECT_EQ(TotalEdit("600", "300"), 600.0);
    EXPECT_FALSE(TotalEdit("300", "300"));
    EXPECT_FALSE(TotalEdit("300.0", "300")); // the same value, reformatted
    EXPECT_FALSE(TotalEdit("0", "300"));
    EXPECT_FALSE(TotalEdit("", "300"));
    EXPECT_FALSE(TotalEdit("x", "300"));
}

TEST(SpacingEdit, TheDrawnRectangleScalesTheTotals) {
    const GridTotals totals = ScaledTotals({300.0, 600.0}, 30.0, 60.0, 60.0, 30.0);
    EXPECT_DOUBLE_EQ(totals.rows, 600.0);
    EXPECT_DOUBLE_EQ(totals.columns, 300.0);
    // A click draws no rectangle; nothing to scale by.
    const GridTotals unchanged = ScaledTotals({300.0, 600.0}, 0.0, 0.0, 10.0, 10.0);
    EXPECT_EQ(unchanged.rows, 300.0);
    EXPECT_EQ(unchanged.columns, 600.0);
    // A corner dragged up or left gives a negative extent.
    EXPECT_DOUBLE_EQ(ScaledTotals({300.0, 600.0}, -30.0, 60.0, 15.0, -1.0).rows, 150.0);
}

TEST(DeleteItemsChoice, PositionsComeHighestFirstOnce) {
    EXPECT_EQ(PositionsHighestFirst({0, 4, 2, 4}), (std::vector<int>{4, 2, 0}));
    EXPECT_TRUE(PositionsHighestFirst({}).empty());
}

} // namespace
} // namespace korva
