// The view's undoable changes: what redo writes, what undo restores, and
// the edits that must change nothing.
#include "app/document/korvadoc.h"
#include "scenegrid.h"
#include "view3d/edits/boundarypaintcommand.h"
#include "view3d/edits/panelcommands.h"
#include "view3d/edits/parameterfillcommand.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::GroundPosition;
using testing::LayeredPosition;

class EditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        document.OnNewDocument();
        GridData& grid = document.GridForEdit();
        ReaderContents(grid).columnSpacing = {20.0, 40.0};
        ReaderContents(grid).rowSpacing = {10.0, 30.0};
        ReaderContents(grid).layerSpacing = {100.0, 100.0, 200.0};
        grid.UpdateUniformSpacing();
        grid.Resize(3, 2, 2);
        grid.SetValue(LayeredPosition, 2, 1, 1, 4.0);
    }
    const GridData& Grid() const { return document.Grid(); }
    double Value(int p, int k, int i, int j) const {
        double v = NoDataValue;
        Grid().GetValue(p, k, i, j, v);
        return v;
    }

    CKORVADoc document;
    // Model points inside (row 0, column 0) and (row 1, column 1).
    const ModelPoint lowCorner{-25, -15, 0};
    const ModelPoint highCorner{20, 10, 0};
};

TEST_F(EditsTest, FillDownwardsIsUndoneWithTheOldValuesAndRange) {
    const double oldMax = Grid().Parameter(LayeredPosition).maxValue;
    document.Execute(
        new ParameterFillCommand(document, LayeredPosition, highCorner, lowCorner, 1, 9.0, true));
    for (int k = 1; k < 3; ++k)
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                EXPECT_EQ(Value(LayeredPosition, k, i, j), 9.0);
    EXPECT_EQ(Value(LayeredPosition, 0, 0, 0), NoDataValue); // the layer above is untouched
    document.UndoStack()->undo();
    EXPECT_EQ(Value(LayeredPosition, 2, 1, 1), 4.0);
    EXPECT_EQ(Value(LayeredPosition, 1, 0, 0), NoDataValue);
    EXPECT_EQ(Grid().Parameter(LayeredPosition).maxValue, oldMax);
    document.UndoStack()->redo();
    EXPECT_EQ(Value(LayeredPosition, 2, 1, 1), 9.0);
}

TEST_F(EditsTest, SurfaceFillKeepsOneLayerAndAClickIsOneCell) {
    document.Execute(
        new ParameterFillCommand(document, GroundPosition, lowCorner, lowCorner, 2, 3.5, true));
    EXPECT_EQ(Value(GroundPosition, 0, 0, 0), 3.5);
    EXPECT_EQ(Value(GroundPosition, 0, 1, 1), NoDataValue);
    document.UndoStack()->undo();
    EXPECT_EQ(Value(GroundPosition, 0, 0, 0), NoDataValue);
}

TEST_F(EditsTest, BoundaryPaintAndTheEditsThatChangeNothing) {
    document.AddBoundary(DrainType, "drain", {0, 0, 1});
    document.AddBoundary(BasinType, "basin", {1, 1, 0});
    BoundaryPaintCommand drain(document, DrainType, 1, lowCorner, highCorner, -1, true, false);
    ASSERT_TRUE(drain.Changes());
    // Basins live on the top layer only; a number that names no boundary paints nothing.
    EXPECT_FALSE(BoundaryPaintCommand(document, BasinType, 1, lowCorner, highCorner, 1, true, false)
                     .Changes());
    EXPECT_FALSE(BoundaryPaintCommand(document, DrainType, 5, lowCorner, highCorner, 0, true, false)
                     .Changes());

    // Layer -1 is the grid's last layer.
    document.Execute(
        new BoundaryPaintCommand(document, DrainType, 1, lowCorner, highCorner, -1, true, false));
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 2, 0, 1), 1);
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 1, 0, 1), 0);
    // Removing from layer 1 down clears what the paint put on layer 2.
    document.Execute(
        new BoundaryPaintCommand(document, DrainType, 1, lowCorner, lowCorner, 1, false, true));
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 2, 0, 0), 0);
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 2, 1, 1), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 2, 0, 0), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(Grid().GetBoundaryValue(DrainType, 2, 0, 0), 0);
}

TEST_F(EditsTest, PanelCommandsUndoExactly) {
    document.AddBoundary(DrainType, "a", {0, 0, 1});
    document.AddBoundary(NoFlowType, "b", {0, 1, 0});
    TimeSeriesDisplay = 1;
    // "Show" in the header inverts every flag; twice restores them.
    document.GridForEdit().SetBoundaryDisplayed(NoFlowType, 0, false);
    document.Execute(MakeToggleAllShownCommand(document));
    EXPECT_EQ(Grid().Boundary(DrainType).displayed[0], 0);
    EXPECT_EQ(Grid().Boundary(NoFlowType).displayed[0], 1);
    EXPECT_EQ(TimeSeriesDisplay, 0);
    document.Execute(MakeToggleAllShownCommand(document));
    EXPECT_EQ(Grid().Boundary(DrainType).displayed[0], 1);
    EXPECT_EQ(Grid().Boundary(NoFlowType).displayed[0], 0);
    EXPECT_EQ(TimeSeriesDisplay, 1);

    document.Execute(MakeZExaggerationCommand(document, 5.0));
    EXPECT_EQ(Grid().ZExaggeration(), 5.0);
    document.Execute(MakeClearParameterCommand(document, LayeredPosition));
    EXPECT_EQ(Value(LayeredPosition, 2, 1, 1), NoDataValue);
    document.Execute(MakeTimeSeriesColourCommand(document, {1, 0, 0}));
    EXPECT_EQ(TimeSeriesCellColor[0], 1.0);
    document.UndoStack()->undo();
    EXPECT_EQ(TimeSeriesCellColor[0], 0.0);
    document.UndoStack()->undo();
    EXPECT_EQ(Value(LayeredPosition, 2, 1, 1), 4.0);
    document.UndoStack()->undo();
    EXPECT_EQ(Grid().ZExaggeration(), 1.0);
}

} // namespace
} // namespace korva
