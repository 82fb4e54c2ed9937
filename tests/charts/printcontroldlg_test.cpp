// The print control window: typed cells corrected, groups added, OK as one
// undo step, Cancel changing nothing.
#include "charts/output/printcontroldlg.h"
#include "model/griddata.h"
#include "tablectrl.h"

#include <QLineEdit>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva::charts {
namespace {

GridData ModelOf2005() {
    GridData grid;
    grid.settings.simulationYear = 2005;
    grid.settings.simulationStart = 90;
    grid.settings.simulationEnd = 273;
    grid.printList = {{6, 1, 2005}};
    return grid;
}

TEST(PrintControlWindow, ShowsTheListAndThePeriod) {
    GridData grid = ModelOf2005();
    PrintControlDlg dlg(grid, {});
    EXPECT_EQ(dlg.windowTitle(), "Print Control");
    EXPECT_EQ(dlg.Table()->GetItemText(0, 0), "Month");
    EXPECT_EQ(dlg.Table()->GetItemText(1, 0), "6");
    EXPECT_EQ(dlg.GroupField(0)->text(), "4"); // day 90 of 2005 is 1 April
    EXPECT_EQ(dlg.GroupField(1)->text(), "1");
    EXPECT_EQ(dlg.GroupField(3)->text(), "10");
}

TEST(PrintControlWindow, CorrectsCellsAsTheyAreEdited) {
    GridData grid = ModelOf2005();
    PrintControlDlg dlg(grid, {});
    TableCtrl* table = dlg.Table();
    table->SetItemText(1, 0, "14");
    emit table->EndEdit(1, 0);
    EXPECT_EQ(table->GetItemText(1, 0), "12");
    table->SetItemText(1, 0, "4");
    table->SetItemText(1, 1, "31");
    emit table->EndEdit(1, 1);
    EXPECT_EQ(table->GetItemText(1, 1), "30");
    table->SetItemText(1, 2, "7");
    emit table->EndEdit(1, 2);
    EXPECT_EQ(table->GetItemText(1, 2), "1907");
}

TEST(PrintControlWindow, OkIsOneUndoStepAndCancelChangesNothing) {
    GridData grid = ModelOf2005();
    QUndoStack stack;
    {
        PrintControlDlg dlg(grid, [&](QUndoCommand* c) { stack.push(c); });
        for (int i = 0; i < 7; ++i)
            dlg.GroupField(i)->setText(QString::number(
                std::vector<int>{1, 1, 2005, 1, 10, 2005, 3}[static_cast<std::size_t>(i)]));
        dlg.AddGroup();
        EXPECT_EQ(dlg.Table()->GetRowCount(), 1 + 1 + 4);
        dlg.CountToAdd()->setText("2");
        dlg.AddRows();
        dlg.DeleteRows({5, 6}); // the two empty rows again
        dlg.reject();
    }
    EXPECT_EQ(grid.printList.size(), 1u);
    EXPECT_EQ(stack.count(), 0);

    PrintControlDlg dlg(grid, [&](QUndoCommand* c) { stack.push(c); });
    QString message;
    dlg.showMessage = [&](const QString& text) { message = text; };
    dlg.GroupField(6)->setText("0");
    dlg.AddGroup();
    EXPECT_EQ(message, "Interval must be at least 1.");
    dlg.GroupField(6)->setText("3");
    for (int i = 0; i < 6; ++i)
        dlg.GroupField(i)->setText(QString::number(
            std::vector<int>{1, 1, 2005, 1, 10, 2005}[static_cast<std::size_t>(i)]));
    dlg.AddGroup();
    dlg.accept();
    ASSERT_EQ(stack.count(), 1);
    ASSERT_EQ(grid.printList.size(), 5u);
    EXPECT_EQ(grid.printList[0].day, 1); // sorted: January before June
    EXPECT_EQ(grid.printList[3].day, 10);
    EXPECT_EQ(grid.printList[4].month, 6);
    stack.undo();
    ASSERT_EQ(grid.printList.size(), 1u);
    EXPECT_EQ(grid.printList[0].month, 6);
    stack.redo();
    EXPECT_EQ(grid.printList.size(), 5u);
}

} // namespace
} // namespace korva::charts
