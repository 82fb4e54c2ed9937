// The print control window opened from its command: typed cells corrected,
// groups added, OK as one undo step of the document, Cancel changing nothing.
#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "charts/chartcommands.h"
#include "charts/output/printcontroldlg.h"
#include "tablectrl.h"
#include "tests/app/scriptedprompter.h"

#include <QLineEdit>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva::charts {
namespace {

class PrintControlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.OnOpenDocument(QString(KORVA_SOURCE_DIR) + "/examples/field3d.kvp"));
        RegisterChartCommands(table);
        CommandContext context;
        context.document = &document;
        ASSERT_TRUE(table.Run(cmd::DataPrintControl, context));
        dlg = qobject_cast<PrintControlDlg*>(document.Modeless("printcontrol"));
        ASSERT_NE(dlg, nullptr);
        before = document.Grid().PrintList();
    }
    void SetGroup(std::vector<int> values) {
        for (int i = 0; i < 7; ++i)
            dlg->GroupField(i)->setText(QString::number(values[static_cast<std::size_t>(i)]));
    }
    test::ScriptedPrompter prompts;
    CKORVADoc document;
    CommandTable table;
    PrintControlDlg* dlg = nullptr;
    std::vector<PrintDataItem> before;
};

TEST_F(PrintControlWindow, ShowsTheListAndTheSimulationPeriod) {
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "Print Control");
    EXPECT_EQ(dlg->Table()->GetItemText(0, 0), "Month");
    EXPECT_EQ(dlg->Table()->GetRowCount(), 1 + static_cast<int>(before.size()));
    EXPECT_EQ(dlg->GroupField(0)->text(), "4"); // the example runs from 1 April 2005
    EXPECT_EQ(dlg->GroupField(1)->text(), "1");
    EXPECT_EQ(dlg->GroupField(2)->text(), "2005");
    // The period follows the document.
    document.SetSimulationPeriod(100, 200, 2005);
    EXPECT_EQ(dlg->GroupField(1)->text(), "11");
}

TEST_F(PrintControlWindow, CorrectsCellsAsTheyAreEdited) {
    dlg->AddRows();
    TableCtrl* table = dlg->Table();
    const int row = table->GetRowCount() - 1;
    table->SetItemText(row, 0, "14");
    emit table->EndEdit(row, 0);
    EXPECT_EQ(table->GetItemText(row, 0), "12");
    table->SetItemText(row, 0, "4");
    table->SetItemText(row, 1, "31");
    emit table->EndEdit(row, 1);
    EXPECT_EQ(table->GetItemText(row, 1), "30");
    table->SetItemText(row, 2, "7");
    emit table->EndEdit(row, 2);
    EXPECT_EQ(table->GetItemText(row, 2), "1907");
}

TEST_F(PrintControlWindow, CancelChangesNothing) {
    SetGroup({1, 1, 2005, 1, 10, 2005, 3});
    dlg->AddGroup();
    dlg->reject();
    EXPECT_EQ(document.Grid().PrintList().size(), before.size());
    EXPECT_EQ(document.UndoStack()->count(), 0);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(PrintControlWindow, OkIsOneUndoStep) {
    SetGroup({1, 1, 2005, 1, 10, 2005, 0});
    dlg->AddGroup();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "Interval must be at least 1.");
    SetGroup({1, 1, 2005, 1, 10, 2005, 3});
    dlg->AddGroup();
    EXPECT_EQ(dlg->Table()->GetRowCount(), 1 + static_cast<int>(before.size()) + 4);
    dlg->accept();
    ASSERT_EQ(document.UndoStack()->count(), 1);
    EXPECT_TRUE(document.IsModified());
    const auto& list = document.Grid().PrintList();
    ASSERT_EQ(list.size(), before.size() + 4);
    // January 2005 sorts before the example's own dates.
    EXPECT_EQ(list[0].month, 1);
    EXPECT_EQ(list[0].day, 1);
    EXPECT_EQ(list[3].day, 10);
    document.UndoStack()->undo();
    ASSERT_EQ(document.Grid().PrintList().size(), before.size());
    EXPECT_FALSE(document.IsModified());
    document.UndoStack()->redo();
    EXPECT_EQ(document.Grid().PrintList().size(), before.size() + 4);
}

} // namespace
} // namespace korva::charts
