#pragma once

#include "tabtext.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTableView>

namespace korva {

class TableCellModel;

// The program's table control: rows and columns of text cells, the first
// rows and columns optionally fixed as heads that stay in place while the body
// scrolls, a background colour and a read-only state per cell, editing in
// place, and copy and paste of cell ranges as tab-separated text (the form a
// spreadsheet puts on the clipboard).
//
// Rows and columns are counted over the whole table, heads included: with one
// fixed row, SetItemText(0, c, ...) names column c and row 1 is the first body
// row. Addresses outside the table are ignored by setters and read as empty.
class TableCtrl : public QTableView {
    Q_OBJECT
public:
    enum CellState { CellNormal = 0, CellReadOnly = 1 };

    explicit TableCtrl(QWidget* parent = nullptr);

    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    void SetFixedRowCount(int rows);
    void SetFixedColumnCount(int columns);
    int GetRowCount() const;
    int GetColumnCount() const;
    int GetFixedRowCount() const;
    int GetFixedColumnCount() const;
    // An empty body row before `row` (GetRowCount() appends); false outside the body.
    bool InsertRow(int row);
    bool DeleteRow(int row);

    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    // An invalid colour gives the cell back the table's own background.
    bool SetItemBkColour(int row, int column, const QColor& colour);
    QColor GetItemBkColour(int row, int column) const;
    bool SetItemState(int row, int column, int state);
    int GetItemState(int row, int column) const;
    bool IsItemEditable(int row, int column) const;
    // A table that is not editable still selects and copies.
    void SetEditable(bool editable);
    bool IsEditable() const;

    void SetColumnWidth(int column, int pixels);
    // Fits every column to its head and cells.
    void AutoSizeColumns();
    // Shares the table's width among the body columns (for tables of a few
    // columns in a resizable dialog); the user then no longer drags them.
    void SetColumnsFillWidth(bool fill);

    // The body rows holding a selected cell, ascending, in table rows.
    QList<int> GetSelectedRows() const;
    // The current cell in table rows and columns; (-1, -1) when there is none.
    int GetFocusRow() const;
    int GetFocusColumn() const;
    void SetFocusCell(int row, int column);
    // Starts editing a cell as if the user had double-clicked it.
    void EditCell(int row, int column);

    // The selected range as tab-separated text (cells between selected ones
    // inside the range come out empty).
    QString SelectedText() const;
    // Writes a block of texts from the top-left selected cell. What falls past
    // the table's edge is dropped (the table never grows), read-only cells keep
    // their text, and one cell pasted onto a selection fills the selection.
    // EndEdit follows for each cell that changed. Returns the cells changed.
    int PasteText(const QString& text);

public slots:
    void Copy();
    void Paste();
    // Empties the selected editable cells (the Delete key).
    void ClearSelectedCells();

signals:
    // The user changed the text of a cell: typed into it, pasted over it or
    // cleared it. Handlers may read, check and rewrite the cell.
    void EndEdit(int row, int column);
    // A body cell or a head was clicked; heads report their fixed row or column.
    void CellClicked(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateHeaders();
    bool SelectionBounds(int& top, int& left, int& bottom, int& right) const;

    TableCellModel* cells_;
};

} // namespace korva
