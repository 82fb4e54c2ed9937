// The grid dialogs on the bundled example: totals, spacing tables, the mouse
// tools through the view's receiver, the rectangle rescale, the transform and
// the delete chooser. Each change is one undo step that gives the model back.
#include "dialogs/grid/dimensionspandlg.h"
#include "dialogs/grid/grideditdlg.h"
#include "dialogs/grid/transformparamdlg.h"
#include "dialogtestfixture.h"
#include "widgets/deleteitemsdlg.h"
#include "widgets/tablectrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace korva {
namespace {

// The 3D view as the grid editor sees it.
class FakeView : public ViewReceiverHost {
public:
    void SetGridEditReceiver(GridEditPickReceiver* receiver) override { gridEdit = receiver; }
    void SetTimeSeriesCellsReceiver(TimeSeriesCellsReceiver*) override {}
    void SetTimeSeriesHoverReceiver(TimeSeriesHoverReceiver*) override {}
    void SetOutputLayerReceiver(OutputLayerReceiver*) override {}
    void SetViewMode(int m) override { mode = m; }
    int ViewMode() const override { return mode; }
    void SetCurrentSlice(int s) override { slice = s; }
    int CurrentSlice() const override { return slice; }
    void SetPlanOrientation(bool p) override { plan = p; }
    bool PlanOrientation() const override { return plan; }
    void RefreshMarkers() override {}
    void RefreshGridLines() override { ++gridLineRefreshes; }

    GridEditPickReceiver* gridEdit = nullptr;
    int mode = -1;
    int slice = 0;
    bool plan = true;
    int gridLineRefreshes = 0;
};

class GridDialogs : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        dialog = std::make_unique<GridEditDlg>(*document, &view);
        dialog->Start();
    }
    void TearDown() override { dialog.reset(); }
    void WaitForRefresh() { QTest::qWait(150); }

    FakeView view;
    std::unique_ptr<GridEditDlg> dialog;
};

TEST_F(GridDialogs, OpeningTakesTheViewsMouseAndDoneGivesItBack) {
    EXPECT_EQ(view.gridEdit, dialog.get());
    EXPECT_EQ(view.mode, 0);
    EXPECT_EQ(dialog->TotalField(GridData::ColumnDimension)->text(), "390");
    EXPECT_EQ(dialog->SpacingTable(GridData::LayerDimension)->GetRowCount(), 7);
    Type(dialog->HorizontalUnitsField(), "ft");
    Click(dialog.get(), "Done");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(view.gridEdit, nullptr);
    EXPECT_EQ(view.mode, -1);
    EXPECT_EQ(grid.HorizontalUnits(), "ft");
    stack.undo();
    EXPECT_EQ(grid.HorizontalUnits(), "m");
}

TEST_F(GridDialogs, ATotalRescalesEveryWidthOfItsDimension) {
    const std::vector<double> columns = grid.ColumnSpacing();
    Type(dialog->TotalField(GridData::ColumnDimension), "780");
    for (std::size_t c = 0; c < columns.size(); ++c)
        EXPECT_DOUBLE_EQ(grid.ColumnSpacing()[c], columns[c] * 2);
    EXPECT_EQ(dialog->SpacingTable(GridData::ColumnDimension)->GetItemText(1, 1), "30");
    Type(dialog->TotalField(GridData::ColumnDimension), "-5"); // refused, shown again
    EXPECT_EQ(dialog->TotalField(GridData::ColumnDimension)->text(), "780");
    ASSERT_EQ(stack.count(), 1);
    stack.undo();
    EXPECT_EQ(grid.ColumnSpacing(), columns);
    WaitForRefresh();
    EXPECT_EQ(dialog->TotalField(GridData::ColumnDimension)->text(), "390");
}

TEST_F(GridDialogs, TableEditsSetDeleteOrRevert) {
    TableCtrl* rows = dialog->SpacingTable(GridData::RowDimension);
    TypeIntoCell(*rows, 2, 1, "0"); // not a width: the old one comes back
    EXPECT_EQ(rows->GetItemText(2, 1), "30");
    EXPECT_EQ(stack.count(), 0);

    TypeIntoCell(*rows, 2, 1, "45.5");
    EXPECT_EQ(grid.RowSpacing()[1], 45.5);

    const std::vector<double> before = grid.RowSpacing();
    TypeIntoCell(*rows, 3, 1, ""); // empties the third row: it goes
    EXPECT_EQ(grid.NumRows(), 11);
    EXPECT_DOUBLE_EQ(grid.RowSpacing()[1], 45.5 + 35);
    WaitForRefresh();
    EXPECT_EQ(rows->GetRowCount(), 12);
    EXPECT_EQ(dialog->TotalField(GridData::RowDimension)->text(), "355.5");

    ASSERT_EQ(stack.count(), 2);
    stack.undo();
    EXPECT_EQ(grid.RowSpacing(), before);
    EXPECT_EQ(grid.Contents().parameters.at(GridData::GroundElevation).values.Rows(), 12);
    WaitForRefresh();
    EXPECT_EQ(rows->GetRowCount(), 13);
}

TEST_F(GridDialogs, TheOnlyLayerCannotBeDeleted) {
    dialog.reset();
    ReaderContents(grid).layerSpacing = {100};
    grid.Resize(1, grid.NumRows(), grid.NumColumns());
    dialog = std::make_unique<GridEditDlg>(*document, &view);
    dialog->Start();
    TableCtrl* layers = dialog->SpacingTable(GridData::LayerDimension);
    TypeIntoCell(*layers, 1, 1, "");
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"Can't delete last layer."}));
    WaitForRefresh();
    EXPECT_EQ(layers->GetItemText(1, 1), "100");
    EXPECT_EQ(stack.count(), 0);
}

TEST_F(GridDialogs, ToolOptionsExcludeEachOtherAndPickTheirMode) {
    QTest::mouseClick(dialog->OptionBox(SubdivideTool, LayersOption), Qt::LeftButton);
    EXPECT_TRUE(dialog->ModeButton(SubdivideTool)->isChecked());
    EXPECT_FALSE(dialog->OptionBox(SubdivideTool, RowsOption)->isChecked());
    EXPECT_FALSE(dialog->OptionBox(SubdivideTool, ColumnsOption)->isChecked());
    QTest::mouseClick(dialog->OptionBox(SubdivideTool, RowsOption), Qt::LeftButton);
    EXPECT_FALSE(dialog->OptionBox(SubdivideTool, LayersOption)->isChecked());
    QTest::mouseClick(dialog->ModeButton(DeleteTool), Qt::LeftButton);
    EXPECT_EQ(dialog->Tools().Mode(), DeleteTool);
}

TEST_F(GridDialogs, SubdividingALayerWithTheMouseMakesThirds) {
    QTest::mouseClick(dialog->OptionBox(SubdivideTool, LayersOption), Qt::LeftButton);
    Type(dialog->SubdivisionsField(), "0");
    view.plan = false;
    // A section pick in the third layer (40 cm, from 50 to 90 cm below the top).
    const double top = grid.TotalExtent(GridData::LayerDimension, true) * grid.ZExaggeration() / 2;
    const double z = top - 0.7 * grid.ZExaggeration();
    view.gridEdit->FirstPick(-10, -10, z, z, false);
    EXPECT_EQ(messages.messages,
              (std::vector<std::string>{"Please enter an integer between 1 and 100000."}));
    EXPECT_EQ(grid.NumLayers(), 6);

    Type(dialog->SubdivisionsField(), "2");
    view.gridEdit->FirstPick(-10, -10, z, z, false);
    ASSERT_EQ(grid.NumLayers(), 8);
    for (int k = 2; k < 5; ++k)
        EXPECT_NEAR(grid.LayerSpacing()[std::size_t(k)], 40.0 / 3.0, 1e-9);
    EXPECT_EQ(dialog->SpacingTable(GridData::LayerDimension)->GetRowCount(), 9);
    EXPECT_GT(view.gridLineRefreshes, 0);
    stack.undo();
    EXPECT_EQ(grid.NumLayers(), 6);
    EXPECT_EQ(grid.LayerSpacing()[2], 40.0);
}

TEST_F(GridDialogs, AddingInThePlanSplitsTheRowAndColumnUnderThePoint) {
    // Plan picks: x = -190 lies in the first column (15 m wide from -195),
    // y = 0.5 in the sixth row (from -30 to 5).
    view.gridEdit->FirstPick(-190, -190, 0.5, 0.5, true);
    EXPECT_EQ(grid.NumColumns(), 16);
    EXPECT_EQ(grid.NumRows(), 13);
    ASSERT_EQ(stack.count(), 1);
    stack.undo();
    EXPECT_EQ(grid.NumColumns(), 15);
    EXPECT_EQ(grid.NumRows(), 12);
}

TEST_F(GridDialogs, TheDrawnRectangleRescalesTheGrid) {
    Click(dialog.get(), "Set Width && Height Using Mouse");
    EXPECT_EQ(view.mode, 4);
    QTimer::singleShot(0, [this] {
        auto* span = qobject_cast<DimensionSpanDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(span, nullptr);
        EXPECT_EQ(span->windowTitle(), "New Width & Height");
        EXPECT_EQ(span->HeightField()->text(), "34");
        EXPECT_EQ(span->WidthField()->text(), "42");
        Type(span->HeightField(), "68");
        ClickOk(span);
    });
    const double rows = grid.TotalExtent(GridData::RowDimension, false);
    const double columns = grid.TotalExtent(GridData::ColumnDimension, false);
    view.gridEdit->SecondPick(0, 42, 10, -24);
    EXPECT_DOUBLE_EQ(grid.TotalExtent(GridData::RowDimension, false), rows * 2);
    EXPECT_DOUBLE_EQ(grid.TotalExtent(GridData::ColumnDimension, false), columns);
    EXPECT_EQ(view.mode, 0);
    stack.undo();
    EXPECT_DOUBLE_EQ(grid.TotalExtent(GridData::RowDimension, false), rows);
}

// A view that is a window object and may close before the dialog.
class ClosingView : public QObject, public FakeView {};

TEST_F(GridDialogs, AViewThatClosesFirstIsLeftAlone) {
    auto closing = std::make_unique<ClosingView>();
    GridEditDlg other(*document, closing.get());
    other.Start();
    EXPECT_EQ(closing->gridEdit, &other);
    closing.reset();
    Click(&other, "Done"); // would tell the closed view to leave its mode
    EXPECT_FALSE(other.isVisible());
}

class TransformDialog : public DialogTest {};

TEST_F(TransformDialog, ALayeredParameterOverTwoLayersAndASurfaceOneOnce) {
    TransformParamDlg dialog(*document);
    dialog.show();
    EXPECT_EQ(dialog.ToLayerBox()->currentText(), "6");
    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    dialog.ParameterBox()->setCurrentIndex(moisture);
    EXPECT_TRUE(dialog.FromLayerBox()->isEnabled());
    dialog.FromLayerBox()->setCurrentIndex(1);
    dialog.ToLayerBox()->setCurrentIndex(2);
    const ParameterData before = grid.Parameter(moisture);
    Type(dialog.MultiplierField(), "2");
    QTest::mouseClick(dialog.MultiplyButton(), Qt::LeftButton);
    const ParameterData& after = grid.Parameter(moisture);
    for (std::size_t k = 0; k < 6; ++k) {
        const double old = before.values(k, 3, 4);
        const double expected = (k == 1 || k == 2) && old != NoDataValue ? old * 2 : old;
        EXPECT_EQ(after.values(k, 3, 4), expected) << k;
    }

    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    dialog.ParameterBox()->setCurrentIndex(ground);
    EXPECT_FALSE(dialog.FromLayerBox()->isEnabled());
    const double elevation = grid.Parameter(ground).values(0, 0, 0);
    QTest::mouseClick(dialog.MultiplyButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(grid.Parameter(ground).values(0, 0, 0), elevation * 2);
    Type(dialog.OffsetField(), "-1");
    QTest::mouseClick(dialog.OffsetButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(grid.Parameter(ground).values(0, 0, 0), elevation * 2 - 1);

    ASSERT_EQ(stack.count(), 3);
    stack.undo();
    stack.undo();
    stack.undo();
    EXPECT_EQ(grid.Parameter(ground).values(0, 0, 0), elevation);
    EXPECT_EQ(grid.Parameter(moisture).values, before.values);
}

TEST(DeleteItemsDialog, TheChosenPositionsComeHighestFirst) {
    DeleteItemsDlg dialog({"Drain 1", "Drain 2", "Drain 3", "Drain 4"});
    EXPECT_EQ(dialog.windowTitle(), "Choose Items to Delete");
    dialog.show();
    dialog.List()->item(1)->setSelected(true);
    dialog.List()->item(3)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(dialog.Chosen(), (std::vector<int>{3, 1}));
}

} // namespace
} // namespace korva
