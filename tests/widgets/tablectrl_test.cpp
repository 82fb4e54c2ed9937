#include "tablectrl.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korva {
namespace {

// A table like the irrigation schedule's: one head row, no head column.
class TableCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.SetRowCount(4);
        table.SetColumnCount(3);
        table.SetFixedRowCount(1);
        table.SetItemText(0, 0, "Month");
        table.SetItemText(0, 1, "Day");
        table.SetItemText(0, 2, "Year");
        for (int r = 1; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                table.SetItemText(r, c, QString("%1,%2").arg(r).arg(c));
        table.resize(400, 300);
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    }

    void Select(int top, int left, int bottom, int right) {
        table.clearSelection();
        table.SetFocusCell(top, left);
        const QModelIndex a = table.model()->index(top - 1, left);
        const QModelIndex b = table.model()->index(bottom - 1, right);
        table.selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
    }

    QString Row(int r) {
        QStringList texts;
        for (int c = 0; c < table.GetColumnCount(); ++c)
            texts.append(table.GetItemText(r, c));
        return texts.join('|');
    }

    TableCtrl table;
};

TEST_F(TableCtrlTest, HeadsShowTheFixedRowAndBodyStartsBelowIt) {
    EXPECT_EQ(table.model()->rowCount(), 3);
    EXPECT_EQ(table.model()->headerData(1, Qt::Horizontal).toString(), "Day");
    EXPECT_TRUE(table.horizontalHeader()->isVisible());
    EXPECT_FALSE(table.verticalHeader()->isVisible());
    EXPECT_EQ(table.model()->index(0, 2).data().toString(), "1,2");
    EXPECT_FALSE(table.IsItemEditable(0, 0)); // heads are not body cells
    EXPECT_TRUE(table.IsItemEditable(1, 0));
    // Addresses outside the table are refused and read as empty.
    EXPECT_FALSE(table.SetItemText(4, 0, "x"));
    EXPECT_FALSE(table.SetItemText(-1, 0, "x"));
    EXPECT_EQ(table.GetItemText(9, 9), QString());
}

TEST_F(TableCtrlTest, ResizingKeepsExistingCells) {
    table.SetRowCount(6);
    EXPECT_EQ(Row(3), "3,0|3,1|3,2");
    EXPECT_EQ(Row(5), "||");
    table.SetColumnCount(2);
    EXPECT_EQ(Row(2), "2,0|2,1");
    EXPECT_EQ(table.GetItemText(0, 1), "Day");
    EXPECT_TRUE(table.InsertRow(2));
    EXPECT_EQ(Row(2), "|");
    EXPECT_EQ(Row(3), "2,0|2,1");
    EXPECT_TRUE(table.DeleteRow(1));
    EXPECT_EQ(Row(1), "|");
    EXPECT_FALSE(table.DeleteRow(0)); // the head row stays
}

TEST_F(TableCtrlTest, TypingIntoACellEndsWithEndEdit) {
    QSignalSpy edits(&table, &TableCtrl::EndEdit);
    table.EditCell(2, 1);
    auto* editor = table.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "31");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on a queued call
    EXPECT_EQ(table.GetItemText(2, 1), "31");
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0][0].toInt(), 2);
    EXPECT_EQ(edits[0][1].toInt(), 1);

    // Leaving a cell unchanged reports nothing.
    table.EditCell(2, 1);
    editor = table.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on a queued call
    EXPECT_EQ(edits.count(), 1);
}

TEST_F(TableCtrlTest, ReadOnlyCellsRefuseEditsPastesAndClearing) {
    table.SetItemState(2, 1, TableCtrl::CellReadOnly);
    EXPECT_EQ(table.GetItemState(2, 1), TableCtrl::CellReadOnly);
    EXPECT_FALSE(table.IsItemEditable(2, 1));
    table.EditCell(2, 1);
    EXPECT_EQ(table.findChild<QLineEdit*>(), nullptr);

    QSignalSpy edits(&table, &TableCtrl::EndEdit);
    Select(1, 0, 3, 2);
    EXPECT_EQ(table.PasteText("a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n"), 8);
    EXPECT_EQ(Row(2), "d|2,1|f");
    EXPECT_EQ(edits.count(), 8);

    QTest::keyClick(&table, Qt::Key_Delete);
    EXPECT_EQ(Row(1), "||");
    EXPECT_EQ(Row(2), "|2,1|");

    // A table made read-only as a whole still copies.
    table.SetEditable(false);
    EXPECT_EQ(table.PasteText("z"), 0);
    EXPECT_TRUE(table.SelectedText().contains("2,1"));
}

TEST_F(TableCtrlTest, CopyAndPasteRoundTripThroughTheClipboard) {
    Select(1, 1, 2, 2);
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1,1\t1,2\r\n2,1\t2,2\r\n");

    QSignalSpy edits(&table, &TableCtrl::EndEdit);
    Select(2, 0, 2, 0);
    QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row(2), "1,1|1,2|2,2");
    EXPECT_EQ(Row(3), "2,1|2,2|3,2");
    EXPECT_EQ(edits.count(), 4);

    // The other keys of the same commands.
    QApplication::clipboard()->clear();
    Select(3, 2, 3, 2);
    QTest::keyClick(&table, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "3,2\r\n");
    Select(1, 0, 1, 0);
    QTest::keyClick(&table, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(table.GetItemText(1, 0), "3,2");
}

TEST_F(TableCtrlTest, PasteLargerThanTheTableIsClippedNotGrown) {
    Select(3, 1, 3, 1);
    const int changed = table.PasteText("a\tb\tc\td\r\ne\tf\r\n");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(Row(3), "3,0|a|b");
    EXPECT_EQ(table.GetRowCount(), 4);
    EXPECT_EQ(table.GetColumnCount(), 3);
}

TEST_F(TableCtrlTest, OneValuePastedOnARangeFillsIt) {
    Select(1, 0, 2, 1);
    EXPECT_EQ(table.PasteText("0\r\n"), 4);
    EXPECT_EQ(Row(1), "0|0|1,2");
    EXPECT_EQ(Row(2), "0|0|2,2");
}

TEST_F(TableCtrlTest, ClicksReportTableRowsAndColumns) {
    QSignalSpy clicks(&table, &TableCtrl::CellClicked);
    const QModelIndex body = table.model()->index(1, 2);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(body).center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 2);
    EXPECT_EQ(clicks[0][1].toInt(), 2);

    QHeaderView* heads = table.horizontalHeader();
    const int x = heads->sectionViewportPosition(1) + heads->sectionSize(1) / 2;
    QTest::mouseClick(heads->viewport(), Qt::LeftButton, {}, QPoint(x, heads->height() / 2));
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks[1][0].toInt(), 0);
    EXPECT_EQ(clicks[1][1].toInt(), 1);
}

TEST(TableCtrlHeads, HeadColumnAndCornerFollowTheFixedCells) {
    // Like the yield table: a head row and a head column of basin names.
    TableCtrl table;
    table.SetRowCount(3);
    table.SetColumnCount(3);
    table.SetFixedRowCount(1);
    table.SetFixedColumnCount(1);
    table.SetItemText(0, 0, "Basin");
    table.SetItemText(1, 0, "North");
    table.SetItemText(2, 0, "South");
    table.SetItemBkColour(1, 1, QColor(Qt::yellow));
    EXPECT_EQ(table.model()->rowCount(), 2);
    EXPECT_EQ(table.model()->columnCount(), 2);
    EXPECT_EQ(table.model()->headerData(1, Qt::Vertical).toString(), "South");
    EXPECT_EQ(table.model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(Qt::yellow));
    EXPECT_EQ(table.GetItemBkColour(1, 1), QColor(Qt::yellow));
    table.SetItemBkColour(1, 1, QColor());
    EXPECT_FALSE(table.model()->index(0, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(table.IsItemEditable(1, 0));

    // Selected rows come back as table rows.
    table.selectionModel()->select(table.model()->index(1, 1), QItemSelectionModel::Select);
    EXPECT_EQ(table.GetSelectedRows(), QList<int>{2});
}

TEST(TableCtrlColours, TextColourIsPerCellAndMovesWithItsRow) {
    // Like the legend: text kept readable on each cell's own colour.
    TableCtrl table;
    table.SetColumnCount(2);
    table.SetRowCount(3);
    table.SetFixedRowCount(1);
    table.SetItemBkColour(1, 0, QColor(Qt::black));
    table.SetItemFgColour(1, 0, QColor(Qt::white));
    table.SetItemFgColour(2, 1, QColor(Qt::red));
    const auto shown = [&](int bodyRow, int column) {
        return table.model()->index(bodyRow, column).data(Qt::ForegroundRole);
    };
    EXPECT_EQ(shown(0, 0).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_EQ(shown(1, 1).value<QBrush>().color(), QColor(Qt::red));
    // Cells without one keep the table's own text colour.
    EXPECT_FALSE(shown(0, 1).isValid());
    EXPECT_FALSE(table.GetItemFgColour(2, 0).isValid());
    // Outside the table: refused, and read as no colour.
    EXPECT_FALSE(table.SetItemFgColour(5, 0, QColor(Qt::blue)));
    EXPECT_FALSE(table.GetItemFgColour(5, 0).isValid());

    // A row inserted above carries its colours with it.
    ASSERT_TRUE(table.InsertRow(1));
    EXPECT_FALSE(table.GetItemFgColour(1, 0).isValid());
    EXPECT_EQ(table.GetItemFgColour(2, 0), QColor(Qt::white));
    EXPECT_EQ(table.GetItemFgColour(3, 1), QColor(Qt::red));

    table.SetItemFgColour(2, 0, QColor());
    EXPECT_FALSE(shown(1, 0).isValid());
}

} // namespace
} // namespace korva
