// The grid editor's shape changes and the parameter transform: each edit,
// undone, gives back the model exactly; redone, the model the edit made.
#include "../model/gridshape.h"
#include "dialogs/grid/gridstructureedit.h"
#include "dialogs/grid/transformedit.h"
#include "model/messages.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

// Rows edges at y -30, -20, 0, 30; columns at x -20, -15, -10, 0, 20; layers
// from z 1.0 down to 0.0, -0.5, -1.0.
GridData MakeFilledGrid() {
    GridData grid = testing::MakeGrid({10, 20, 30}, {5, 5, 10, 20}, {100, 50, 50});
    grid.AppendBoundary(DrainType, "D1", {0, 0, 1});
    grid.AppendBoundary(BasinType, "B1", {0, 1, 0});
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        ParameterData& data =
            ReaderContents(grid).parameters.at(grid.ParameterOrder()[static_cast<std::size_t>(p)]);
        for (int k = 0; k < data.values.Layers(); ++k)
            for (int r = 0; r < data.values.Rows(); ++r)
                for (int c = 0; c < data.values.Columns(); ++c)
                    data.values(k, r, c) =
                        (r + c) % 5 == 4 ? NoDataValue : p * 1000.0 + k * 100 + r * 10 + c;
        data.RecomputeRange();
    }
    for (int k = 0; k < grid.NumLayers(); ++k)
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c) {
                if (grid.BoundaryHoldsEveryLayer(DrainType) || k == 0)
                    grid.SetBoundaryValue(DrainType, k, r, c, (r + c + k) % 2);
                if (k == 0) grid.SetBoundaryValue(BasinType, 0, r, c, c % 2);
                if ((r * c + k) % 3 == 0)
                    ReaderContents(grid).TimeSeriesCellGrid.Set(k, r, c, {k, r});
            }
    return grid;
}

void ExpectSameModel(const GridData& a, const GridData& b) {
    EXPECT_EQ(a.RowSpacing(), b.RowSpacing());
    EXPECT_EQ(a.ColumnSpacing(), b.ColumnSpacing());
    EXPECT_EQ(a.LayerSpacing(), b.LayerSpacing());
    EXPECT_EQ(a.UniformSpacing(), b.UniformSpacing());
    for (const auto& [code, data] : a.Contents().parameters) {
        EXPECT_EQ(data.values, b.Contents().parameters.at(code).values) << data.name;
        EXPECT_EQ(data.minValue, b.Contents().parameters.at(code).minValue) << data.name;
        EXPECT_EQ(data.maxValue, b.Contents().parameters.at(code).maxValue) << data.name;
    }
    for (int type = 0; type < BoundaryTypeCount; ++type)
        EXPECT_EQ(a.Memberships(type), b.Memberships(type)) << type;
    EXPECT_EQ(a.TimeSeriesCellGrid(), b.TimeSeriesCellGrid());
}

GridEditStep Step(GridEditStep::Kind kind, int dimension, std::vector<ModelPoint> points,
                  int parts = 1) {
    GridEditStep step;
    step.kind = kind;
    step.dimension = dimension;
    step.points = std::move(points);
    step.parts = parts;
    return step;
}

// Applies edit to the filled grid, checks that it changed it, that undo gives
// the original back and redo the edited model again.
void ExpectUndoable(GridStructureEdit edit, const char* what) {
    SCOPED_TRACE(what);
    GridData grid = MakeFilledGrid();
    const GridData original = grid;
    ASSERT_TRUE(edit.Apply(grid));
    testing::ExpectConsistentShape(grid);
    const GridData edited = grid;
    edit.Undo(grid);
    ExpectSameModel(grid, original);
    edit.Redo(grid);
    ExpectSameModel(grid, edited);
    edit.Undo(grid);
    ExpectSameModel(grid, original);
}

TEST(GridStructureEdit, EveryMouseEditIsUndoneExactly) {
    using D = GridData;
    using S = GridEditStep;
    const ModelPoint low{-12.0, -25.0, 0.5}, high{10.0, 5.0, -0.75};
    ExpectUndoable(GridStructureEdit({Step(S::Split, D::RowDimension, {low, high})}),
                   "split rows at two points");
    ExpectUndoable(GridStructureEdit({Step(S::Split, D::RowDimension, {low, high}),
                                      Step(S::Split, D::ColumnDimension, {low, high})}),
                   "split rows and columns");
    ExpectUndoable(GridStructureEdit({Step(S::Split, D::LayerDimension, {high})}), "split a layer");
    ExpectUndoable(GridStructureEdit({Step(S::Subdivide, D::ColumnDimension, {low, high}, 2)}),
                   "subdivide columns");
    ExpectUndoable(GridStructureEdit({Step(S::Subdivide, D::RowDimension, {low, high}, 3),
                                      Step(S::Subdivide, D::ColumnDimension, {low, high}, 1)}),
                   "subdivide rows and columns");
    ExpectUndoable(GridStructureEdit({Step(S::Subdivide, D::LayerDimension, {low, low}, 2)}),
                   "subdivide a layer");
    ExpectUndoable(GridStructureEdit({Step(S::DeleteRegion, D::RowDimension, {low, low})}),
                   "delete row 0");
    ExpectUndoable(GridStructureEdit({Step(S::DeleteRegion, D::RowDimension, {high, high}),
                                      Step(S::DeleteRegion, D::ColumnDimension, {low, high})}),
                   "delete rows and columns");
    ExpectUndoable(GridStructureEdit({Step(S::DeleteRegion, D::LayerDimension, {low, high})}),
                   "delete layers");
    ExpectUndoable(GridStructureEdit::DeleteItems(D::RowDimension, 0, 0), "delete item 0");
    ExpectUndoable(GridStructureEdit::DeleteItems(D::ColumnDimension, 3, 3), "delete last");
    ExpectUndoable(GridStructureEdit::DeleteItems(D::LayerDimension, 1, 2), "delete layers");
}

TEST(GridStructureEdit, SubdividingALayerByTwoMakesThreeThirds) {
    GridData grid = MakeFilledGrid();
    GridStructureEdit edit(
        {Step(GridEditStep::Subdivide, GridData::LayerDimension, {{0, 0, 0.5}, {0, 0, 0.5}}, 2)});
    ASSERT_TRUE(edit.Apply(grid));
    ASSERT_EQ(grid.NumLayers(), 5);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(grid.LayerSpacing()[static_cast<std::size_t>(k)], 100.0 / 3.0, 1e-12);
}

TEST(GridStructureEdit, ARefusedEditChangesNothingAndIsNotKept) {
    GridData grid = testing::MakeGrid({10}, {5, 5}, {100});
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    GridStructureEdit edit = GridStructureEdit::DeleteItems(GridData::RowDimension, 0, 0);
    EXPECT_FALSE(edit.Apply(grid));
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"Can't delete last row."}));
    EXPECT_EQ(grid.NumRows(), 1);

    // A cut exactly on an edge has nothing to cut.
    GridStructureEdit onEdge(
        {Step(GridEditStep::Split, GridData::ColumnDimension, {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}})});
    EXPECT_FALSE(onEdge.Apply(grid));
}

TEST(TransformEdit, ALayerRangeChangesThoseLayersOnlyAndUndoes) {
    GridData grid = MakeFilledGrid();
    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    ASSERT_GE(moisture, 0);
    const GridData original = grid;
    TransformEdit edit(moisture, 2, 1, GridData::MultiplyTransform, 2.0); // "Layer" 3 to 2
    edit.Apply(grid);
    const ParameterData& before = original.Parameter(moisture);
    const ParameterData& after = grid.Parameter(moisture);
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t r = 0; r < 3; ++r)
            for (std::size_t c = 0; c < 4; ++c) {
                const double old = before.values(k, r, c);
                const double expected = old == NoDataValue || k == 0 ? old : old * 2.0;
                EXPECT_EQ(after.values(k, r, c), expected) << k << r << c;
            }
    EXPECT_EQ(after.maxValue, before.maxValue * 2.0);
    edit.Undo(grid);
    ExpectSameModel(grid, original);
}

TEST(TransformEdit, ASurfaceParameterIsChangedOnceWhateverTheRange) {
    GridData grid = MakeFilledGrid();
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    ASSERT_TRUE(grid.Parameter(ground).IsSurface());
    EXPECT_FALSE(TransformUsesLayerRange(grid, ground));
    const double value = grid.Parameter(ground).values(0, 0, 1);
    TransformEdit edit(ground, 0, 2, GridData::MultiplyTransform, 2.0);
    edit.Apply(grid);
    EXPECT_EQ(grid.Parameter(ground).values(0, 0, 1), value * 2.0);
    edit.Undo(grid);
    EXPECT_EQ(grid.Parameter(ground).values(0, 0, 1), value);
    edit.Redo(grid);
    EXPECT_EQ(grid.Parameter(ground).values(0, 0, 1), value * 2.0);
    edit.Undo(grid);

    TransformEdit offset(ground, 0, 2, GridData::OffsetTransform, -1.5);
    offset.Apply(grid);
    EXPECT_EQ(grid.Parameter(ground).values(0, 0, 1), value - 1.5);
}

} // namespace
} // namespace korva
