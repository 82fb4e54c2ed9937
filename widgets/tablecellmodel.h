#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <vector>

namespace korva {

// The cells of a table control. Rows and columns are counted over the whole
// table, fixed header rows and columns included (row 0 is the first header row
// when there is one), which is how the dialogs address them. The Qt side sees
// only the scrolling body; the fixed cells are served as header data, so they
// stay in place while the body scrolls.
class TableCellModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Cell {
        QString text;
        QColor background; // invalid: the view's own colour
        QColor foreground; // the text's colour; invalid: the view's own
        bool readOnly = false;
    };

    explicit TableCellModel(QObject* parent = nullptr);

    // Whole-table geometry. Growing keeps every existing cell; shrinking drops
    // the cells beyond the new edge. Fixed counts are limited to the size.
    void SetSize(int rows, int columns);
    void SetFixed(int fixedRows, int fixedColumns);
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    int FixedRows() const { return fixedRows_; }
    int FixedColumns() const { return fixedColumns_; }

    // Inserts an empty row before `row` (Rows() appends); removes one row.
    bool InsertRow(int row);
    bool RemoveRow(int row);

    bool IsValid(int row, int column) const;
    const Cell* CellAt(int row, int column) const; // nullptr outside the table
    bool SetText(int row, int column, const QString& text);
    bool SetBackground(int row, int column, const QColor& colour);
    bool SetForeground(int row, int column, const QColor& colour);
    bool SetReadOnly(int row, int column, bool readOnly);
    // Editable by the user: a body cell, not read-only, table editable.
    bool IsEditable(int row, int column) const;
    void SetEditable(bool editable) { editable_ = editable; }
    bool Editable() const { return editable_; }

    // Body index <-> table row/column.
    int TableRow(const QModelIndex& index) const { return index.row() + fixedRows_; }
    int TableColumn(const QModelIndex& index) const { return index.column() + fixedColumns_; }
    QModelIndex BodyIndex(int row, int column) const;
    // The text shown in the top-left corner above the row headers.
    QString CornerText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The user changed a cell's text in the table (typed into it); row and
    // column count over the whole table.
    void CellEdited(int row, int column);

private:
    Cell* Mutable(int row, int column);
    void NotifyCell(int row, int column);

    int rows_ = 0;
    int columns_ = 0;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    bool editable_ = true;
    std::vector<Cell> cells_; // row-major, rows_ * columns_
};

} // namespace korva
