// The record editors as the user works them: open on the bundled example,
// type or choose, OK or Cancel, and look at the project and its undo.
#include "charts/window/graphdlg.h"
#include "dialogs/dialogdocument.h"
#include "dialogs/records/boundaries/draincollectorconnectdlg.h"
#include "dialogs/records/boundaries/natbounddlg.h"
#include "dialogs/records/crops/cropparameterdlg.h"
#include "dialogs/records/crops/cropyieldeditdlg.h"
#include "dialogs/records/irrigation/irrscheduledlg.h"
#include "dialogs/records/recordcommands.h"
#include "dialogs/records/recordtext.h"
#include "dialogs/records/selectionlistdlg.h"
#include "examplegrid.h"
#include "tablectrl.h"
#include "tests/gridrows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva {
namespace {

class RecordDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&document, &DialogDocument::ModelChanged, [this](unsigned) { ++changes; });
    }
    DialogDocument& Context() { return document; }

    // Types text into a body cell the way a user does: start typing on the
    // cell, then Return.
    static void Type(TableCtrl* table, int row, int column, const QString& text) {
        // Editors closed before are only deleted later; let them go first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        table->SetFocusCell(row, column);
        table->EditCell(row, column);
        auto* editor = table->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    static void Click(TableCtrl* table, int row, int column) {
        const QModelIndex index = table->model()->index(row - table->GetFixedRowCount(),
                                                        column - table->GetFixedColumnCount());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    // Answers the next modal selection list with the entry named choice.
    static void ChooseSoon(const QString& choice) {
        QTimer::singleShot(0, [choice] {
            auto* dialog = qobject_cast<SelectionListDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Make a Selection");
            auto* list = dialog->findChild<QListWidget*>();
            const auto items = list->findItems(choice, Qt::MatchExactly);
            EXPECT_EQ(items.size(), 1) << choice.toStdString();
            if (items.size() != 1) {
                for (int i = 0; i < list->count(); ++i)
                    ADD_FAILURE() << "offered: " << list->item(i)->text().toStdString();
                dialog->reject();
                return;
            }
            list->setCurrentItem(items.front());
            dialog->accept();
        });
    }

    // Answers the next message box with button, keeping its text.
    void AnswerSoon(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shownMessage = box->text();
            box->button(button)->click();
        });
    }

    GridData grid = test::ExampleGrid();
    QUndoStack stack;
    UndoStackDocument document{grid, stack};
    int changes = 0;
    QString shownMessage;
};

TEST_F(RecordDialogTest, CropDataOkRebuildsTheCropGridAndUndoes) {
    const auto cropsBefore = grid.CropParams();
    CropParameterDlg dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Crop Data");
    TableCtrl* crops = dialog.CropTableCtrl();
    EXPECT_EQ(crops->GetItemText(0, 6), "Date of Planting (m/d/y)");
    ASSERT_EQ(crops->GetRowCount(), static_cast<int>(grid.CropParams().size()) + 1);

    // The first basin's crop gets a new maximum root depth.
    const std::string basin = grid.Boundary(BasinType).names[0];
    const std::string crop = grid.FindCropForBasin(basin);
    int row = 0;
    for (int r = 1; r < crops->GetRowCount(); ++r)
        if (crops->GetItemText(r, 0).toStdString() == crop) row = r;
    ASSERT_GT(row, 0);
    Type(crops, row, CropTable::MaxRootColumn, "155.0");
    EXPECT_EQ(crops->GetItemText(row, CropTable::MaxRootColumn), "155");

    // A new crop, chosen for the second basin.
    dialog.findChild<QPushButton*>(QString(), Qt::FindChildrenRecursively);
    for (auto* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "New Crop Type") button->click();
    const int added = crops->GetRowCount() - 1;
    EXPECT_EQ(crops->GetItemText(added, 0), "New Crop");
    Type(crops, added, CropTable::NameColumn, "Sorghum");
    Type(crops, added, CropTable::InitialRootColumn, "12");
    ChooseSoon("Sorghum");
    Click(dialog.BasinTableCtrl(), 2, 1);
    EXPECT_EQ(dialog.BasinTableCtrl()->GetItemText(2, 1), "Sorghum");

    dialog.accept();
    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(grid.CropParams().size(), cropsBefore.size() + 1);
    const std::string secondBasin = grid.Boundary(BasinType).names[1];
    EXPECT_EQ(grid.FindCropForBasin(secondBasin), "Sorghum");
    // The basins' cells carry the new values at once.
    const int maxRoot = grid.ParameterIndexOfCode(GridData::MaximumRootDepth);
    const int initialRoot = grid.ParameterIndexOfCode(GridData::InitialRootDepth);
    const auto members = testing::LayerRows(grid.Memberships(BasinType), 0);
    int checked = 0;
    for (std::size_t r = 0; r < members.size(); ++r)
        for (std::size_t c = 0; c < members[r].size(); ++c) {
            double value = 0;
            if (members[r][c] == 1) {
                grid.GetValue(maxRoot, 0, static_cast<int>(r), static_cast<int>(c), value);
                EXPECT_EQ(value, 155);
                ++checked;
            } else if (members[r][c] == 2) {
                grid.GetValue(initialRoot, 0, static_cast<int>(r), static_cast<int>(c), value);
                EXPECT_EQ(value, 12);
            }
        }
    EXPECT_GT(checked, 0);

    stack.undo();
    EXPECT_EQ(grid.CropParams().size(), cropsBefore.size());
    EXPECT_EQ(grid.FindCropForBasin(secondBasin),
              test::ExampleGrid().FindCropForBasin(secondBasin));
    EXPECT_EQ(grid.Parameter(maxRoot).values, test::ExampleGrid().Parameter(maxRoot).values);
}

TEST_F(RecordDialogTest, CancelChangesNothing) {
    const GridData before = test::ExampleGrid();
    {
        CropParameterDlg dialog(Context());
        Type(dialog.CropTableCtrl(), 1, CropTable::Coeff1Column, "9");
        dialog.reject();
    }
    {
        NatBoundDlg dialog(Context());
        Type(dialog.BoundaryTableCtrl(), 1, NatBoundTable::FluxColumn, "9");
        dialog.reject();
    }
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(grid.CropParams()[0].cropC1, before.CropParams()[0].cropC1);
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).flux, before.Boundary(NaturalBoundaryType).flux);
}

TEST_F(RecordDialogTest, YieldTablesStorePerBasinLists) {
    CropYieldEditDlg dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Crop Yield Function");
    TableCtrl* response = dialog.ResponseTableCtrl();
    TableCtrl* salinity = dialog.SalinityTableCtrl();
    EXPECT_EQ(response->GetItemText(0, 0), "Basin");
    EXPECT_EQ(salinity->GetItemText(0, 2), ".90");
    EXPECT_EQ(response->GetItemText(1, 0),
              QString::fromStdString(grid.Boundary(BasinType).names[0]));
    Type(response, 2, 3, "0.45");
    Type(salinity, 1, 5, "twelve");
    dialog.accept();
    EXPECT_EQ(grid.YieldResponseFactors()[2][1], 0.45);
    EXPECT_EQ(grid.SalinityUpperBounds()[4][0], 0);
    stack.undo();
    EXPECT_EQ(grid.YieldResponseFactors(), test::ExampleGrid().YieldResponseFactors());
    EXPECT_EQ(grid.SalinityUpperBounds(), test::ExampleGrid().SalinityUpperBounds());
    // The open editor followed the undo.
    EXPECT_EQ(response->GetItemText(2, 3), FormatNumber(grid.YieldResponseFactors()[2][1]));
}

TEST_F(RecordDialogTest, YieldEditorShownAgainForgetsCancelledEdits) {
    auto make = CropYieldEditorFactory(document);
    std::unique_ptr<QDialog> dialog(make(nullptr));
    auto* yield = qobject_cast<CropYieldEditDlg*>(dialog.get());
    ASSERT_NE(yield, nullptr);
    yield->show();
    Type(yield->ResponseTableCtrl(), 1, 1, "0.99");
    yield->reject();
    yield->show();
    EXPECT_EQ(yield->ResponseTableCtrl()->GetItemText(1, 1),
              FormatNumber(grid.YieldResponseFactors()[0][0]));
    yield->accept();
    EXPECT_EQ(stack.count(), 0); // nothing changed, no step
}

TEST_F(RecordDialogTest, IrrigationScheduleClampsAddsAndAsksWhenTheBasinChanges) {
    ASSERT_GE(grid.BoundaryCount(BasinType), 2);
    const auto before = grid.Irrigation();
    IrrScheduleDlg dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Irrigation Schedule");
    TableCtrl* table = dialog.ScheduleTableCtrl();
    EXPECT_EQ(table->GetItemText(0, 3), "Depth (cm)");
    ASSERT_EQ(table->GetRowCount(), static_cast<int>(before[0].size()) + 1);

    dialog.AddCount()->setValue(3);
    dialog.AddButton()->click();
    const int last = table->GetRowCount() - 1;
    ASSERT_EQ(last, static_cast<int>(before[0].size()) + 3);
    EXPECT_EQ(table->GetItemText(last, 4), "0");
    Type(table, last, 0, "13");
    EXPECT_EQ(table->GetItemText(last, 0), "12");
    Type(table, last, 0, "4");
    Type(table, last, 1, "31");
    EXPECT_EQ(table->GetItemText(last, 1), "30");
    Type(table, last, 0, "2");
    Type(table, last, 1, "29");
    Type(table, last, 2, "2001");
    EXPECT_EQ(table->GetItemText(last, 1), "28");

    // A pasted block is checked cell by cell too.
    table->SetFocusCell(last - 1, 0);
    table->PasteText("14\t40\t2000\t3.5\t0.2\r\n");
    EXPECT_EQ(table->GetItemText(last - 1, 0), "12");
    EXPECT_EQ(table->GetItemText(last - 1, 1), "31");
    EXPECT_EQ(table->GetItemText(last - 1, 3), "3.5");

    // Delete the first of the three new rows.
    table->clearSelection();
    table->selectRow(last - 3);
    dialog.DeleteButton()->click();
    EXPECT_EQ(table->GetRowCount(), last);

    // Switching basins with pending edits asks; Yes stores them.
    AnswerSoon(QMessageBox::Yes);
    dialog.BasinChoice()->setCurrentIndex(1);
    EXPECT_EQ(shownMessage, "Save edits to Irrigation Schedule?");
    ASSERT_EQ(stack.count(), 1);
    ASSERT_EQ(grid.Irrigation()[0].size(), before[0].size() + 2);
    EXPECT_EQ(grid.Irrigation()[0].back().day, 28);
    EXPECT_EQ(table->GetRowCount(), static_cast<int>(before[1].size()) + 1);

    // An edit of the second basin, then OK: a second undo step.
    dialog.AddButton()->click();
    dialog.accept();
    ASSERT_EQ(stack.count(), 2);
    EXPECT_EQ(grid.Irrigation()[1].size(), before[1].size() + 3);
    stack.undo();
    stack.undo();
    EXPECT_EQ(grid.Irrigation().size(), before.size());
    EXPECT_EQ(grid.Irrigation()[0].size(), before[0].size());
    EXPECT_EQ(grid.Irrigation()[1].size(), before[1].size());
}

TEST_F(RecordDialogTest, IrrigationAddWithoutBasinsSaysSo) {
    grid = GridData();
    IrrScheduleDlg dialog(Context());
    AnswerSoon(QMessageBox::Ok);
    dialog.AddButton()->click();
    EXPECT_EQ(shownMessage, "Please add a basin using the boundary dialog.");
    dialog.accept();
    EXPECT_EQ(stack.count(), 0);
}

TEST_F(RecordDialogTest, PlotDrawsTheWorkingScheduleInAGraphWindow) {
    IrrScheduleDlg dialog(Context());
    dialog.PlotButton()->click();
    charts::GraphDlg* graph = dialog.findChild<charts::GraphDlg*>();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->windowTitle(), "Irrigation Schedule");
    graph->close();
}

TEST_F(RecordDialogTest, DrainCollectorChoiceAndNone) {
    ASSERT_GE(grid.BoundaryCount(DrainType), 1);
    ASSERT_GE(grid.BoundaryCount(CollectorType), 1);
    DrainCollectorConnectDlg dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Drain-Collector Connectivity");
    TableCtrl* table = dialog.DrainTableCtrl();
    EXPECT_EQ(table->GetItemText(0, 1), "Collector");
    const QString collector = QString::fromStdString(grid.Boundary(CollectorType).names[0]);
    EXPECT_EQ(table->GetItemText(1, 1), collector);
    ChooseSoon("<none>");
    Click(table, 1, 1);
    EXPECT_EQ(table->GetItemText(1, 1), "<none>");
    dialog.accept();
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], -1);
    stack.undo();
    EXPECT_EQ(grid.Boundary(DrainType).collectorIndex[0], 0);
}

TEST_F(RecordDialogTest, NaturalBoundaryValues) {
    ASSERT_GE(grid.BoundaryCount(NaturalBoundaryType), 1);
    NatBoundDlg dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Natural Boundary Properties");
    TableCtrl* table = dialog.BoundaryTableCtrl();
    EXPECT_EQ(table->GetItemText(0, 2), "Water Quality (m/day)");
    Type(table, 1, NatBoundTable::FluxColumn, "0.035");
    Type(table, 1, NatBoundTable::QualityColumn, "salty");
    EXPECT_EQ(table->GetItemText(1, NatBoundTable::QualityColumn), "0");
    dialog.accept();
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).flux[0], 0.035);
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).waterQuality[0], 0);
    EXPECT_EQ(changes, 1);
    stack.undo();
    EXPECT_EQ(grid.Boundary(NaturalBoundaryType).flux,
              test::ExampleGrid().Boundary(NaturalBoundaryType).flux);
}

} // namespace
} // namespace korva
