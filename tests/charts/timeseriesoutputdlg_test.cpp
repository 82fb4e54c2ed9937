// The time series output control opened from its command on the bundled
// example: cells picked in the view get the selected parameters as one undo
// step, the grid-wide list is set and shown, and the view leaves its cell mode
// when the dialog goes.
#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "charts/chartcommands.h"
#include "charts/output/timeseriescellscommand.h"
#include "charts/output/timeseriesoutputdlg.h"
#include "fakeview.h"
#include "tests/app/scriptedprompter.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva::charts {
namespace {

class TimeSeriesOutputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.OnOpenDocument(QString(KORVA_SOURCE_DIR) + "/examples/field3d.kvp"));
        RegisterChartCommands(table);
        CommandContext context;
        context.document = &document;
        context.view = &view;
        ASSERT_TRUE(table.Run(cmd::GridAssignOutput, context));
        dlg = qobject_cast<TimeSeriesOutputDlg*>(document.Modeless("timeseriesoutput"));
        ASSERT_NE(dlg, nullptr);
    }
    const OutputParamDataItem& Cell(int layer, int row, int column) {
        return document.Grid().TimeSeriesCellGrid().Get(layer, row, column);
    }
    // The model coordinates of the centre of a cell (the grid centred at the origin).
    PickedCorners Corners(int row1, int col1, int row2, int col2) {
        const GridData& g = document.Grid();
        auto centre = [](const std::vector<double>& spacing, int index) {
            double total = 0, at = 0;
            for (double s : spacing)
                total += s;
            for (int i = 0; i < index; ++i)
                at += spacing[static_cast<std::size_t>(i)];
            return -total / 2 + at + spacing[static_cast<std::size_t>(index)] / 2;
        };
        PickedCorners p;
        p.x1 = centre(g.ColumnSpacing(), col1);
        p.x2 = centre(g.ColumnSpacing(), col2);
        p.y1 = centre(g.RowSpacing(), row1);
        p.y2 = centre(g.RowSpacing(), row2);
        return p;
    }
    test::ScriptedPrompter prompts;
    testing::FakeView view;
    CKORVADoc document;
    CommandTable table;
    TimeSeriesOutputDlg* dlg = nullptr;
};

TEST_F(TimeSeriesOutputWindow, ListsTheCodesAndTakesTheView) {
    EXPECT_EQ(dlg->windowTitle(), "Time Series Output Control");
    ASSERT_EQ(dlg->List()->count(), 15);
    EXPECT_EQ(dlg->List()->item(0)->text(), "No Output");
    EXPECT_EQ(dlg->List()->item(14)->text(), "SWT");
    EXPECT_EQ(view.mode, 3);
    EXPECT_EQ(view.cells, dlg);
    dlg->hide();
    EXPECT_EQ(view.mode, -1);
    EXPECT_EQ(view.cells, nullptr);
}

TEST_F(TimeSeriesOutputWindow, PickedCellsGetTheSelectionAsOneStep) {
    dlg->SelectCodes({0, 9});
    view.cells->ToggleCells(Corners(1, 1, 2, 3), 0);
    EXPECT_EQ(Cell(0, 1, 1), (OutputParamDataItem{0, 9}));
    EXPECT_EQ(Cell(0, 2, 3), (OutputParamDataItem{0, 9}));
    EXPECT_TRUE(Cell(1, 1, 1).empty());
    EXPECT_EQ(document.UndoStack()->count(), 1);
    EXPECT_GE(view.markerRefreshes, 1);
    // The same pick again takes the selection off.
    view.cells->ToggleCells(Corners(1, 1, 1, 1), 0);
    EXPECT_TRUE(Cell(0, 1, 1).empty());
    document.UndoStack()->undo();
    EXPECT_EQ(Cell(0, 1, 1), (OutputParamDataItem{0, 9}));
    document.UndoStack()->undo();
    EXPECT_TRUE(Cell(0, 2, 3).empty());

    // All layers.
    dlg->AllLayers()->setChecked(true);
    view.cells->ToggleCells(Corners(0, 0, 0, 0), 0);
    for (int k = 0; k < document.Grid().NumLayers(); ++k)
        EXPECT_EQ(Cell(k, 0, 0), (OutputParamDataItem{0, 9})) << k;

    // In the show mode a pick changes nothing and a hover shows the cell's codes.
    dlg->ShowCellMode()->setChecked(true);
    const int steps = document.UndoStack()->count();
    view.cells->ToggleCells(Corners(3, 3, 3, 3), 0);
    EXPECT_EQ(document.UndoStack()->count(), steps);
    dlg->SelectCodes({});
    view.cells->HoverCell({0, 0, 0});
    EXPECT_EQ(dlg->SelectedCodes(), (OutputParamDataItem{0, 9}));
}

TEST_F(TimeSeriesOutputWindow, GridListAndClear) {
    dlg->SelectCodes({2, 4});
    dlg->SetSelection();
    EXPECT_EQ(document.Grid().GridOutputParamList(), (OutputParamDataItem{2, 4}));
    dlg->SelectCodes({});
    dlg->ShowSelection();
    EXPECT_EQ(dlg->SelectedCodes(), (OutputParamDataItem{2, 4}));
    document.UndoStack()->undo();
    EXPECT_NE(document.Grid().GridOutputParamList(), (OutputParamDataItem{2, 4}));

    const int before = document.Grid().CountTimeSeriesSelections();
    ASSERT_GT(before, 0); // the example follows a few cells
    dlg->ClearCells();
    EXPECT_EQ(document.Grid().CountTimeSeriesSelections(), 0);
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().CountTimeSeriesSelections(), before);
}

TEST(CellToggles, KeepOnlyTheCellsThatChange) {
    GridData grid;
    ReaderContents(grid).TimeSeriesCellGrid.Reset(1, 2, 2);
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 0, 1, {1});
    const auto changes = ToggleCellSelections(grid, {0, 5}, 0, 1, 1, 7, {1});
    // (0,1) holds {1} already and is cleared; (1,1) gets {1}; the rest is outside.
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(changes[0].after.empty());
    EXPECT_EQ(changes[1].after, (OutputParamDataItem{1}));
}

} // namespace
} // namespace korva::charts
