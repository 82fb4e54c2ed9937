#include "tablecellmodel.h"

#include <QBrush>
#include <algorithm>

namespace korva {

TableCellModel::TableCellModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableCellModel::SetSize(int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == rows_ && columns == columns_) return;
    beginResetModel();
    std::vector<Cell> resized(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    const int keepRows = std::min(rows, rows_);
    const int keepColumns = std::min(columns, columns_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepColumns; ++c)
            resized[static_cast<size_t>(r) * columns + c] =
                std::move(cells_[static_cast<size_t>(r) * columns_ + c]);
    cells_ = std::move(resized);
    rows_ = rows;
    columns_ = columns;
    fixedRows_ = std::min(fixedRows_, rows_);
    fixedColumns_ = std::min(fixedColumns_, columns_);
    endResetModel();
}

void TableCellModel::SetFixed(int fixedRows, int fixedColumns) {
    fixedRows = std::clamp(fixedRows, 0, rows_);
    fixedColumns = std::clamp(fixedColumns, 0, columns_);
    if (fixedRows == fixedRows_ && fixedColumns == fixedColumns_) return;
    beginResetModel();
    fixedRows_ = fixedRows;
    fixedColumns_ = fixedColumns;
    endResetModel();
}

bool TableCellModel::InsertRow(int row) {
    if (row < fixedRows_ || row > rows_ || columns_ == 0) return false;
    const int body = row - fixedRows_;
    beginInsertRows({}, body, body);
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(row) * columns_,
                  static_cast<size_t>(columns_), Cell{});
    ++rows_;
    endInsertRows();
    return true;
}

bool TableCellModel::RemoveRow(int row) {
    if (row < fixedRows_ || row >= rows_) return false;
    const int body = row - fixedRows_;
    beginRemoveRows({}, body, body);
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
    cells_.erase(first, first + columns_);
    --rows_;
    endRemoveRows();
    return true;
}

bool TableCellModel::IsValid(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

const TableCellModel::Cell* TableCellModel::CellAt(int row, int column) const {
    if (!IsValid(row, column)) return nullptr;
    return &cells_[static_cast<size_t>(row) * columns_ + column];
}

TableCellModel::Cell* TableCellModel::Mutable(int row, int column) {
    return const_cast<Cell*>(CellAt(row, column));
}

void TableCellModel::NotifyCell(int row, int column) {
    if (row >= fixedRows_ && column >= fixedColumns_) {
        const QModelIndex index = BodyIndex(row, column);
        emit dataChanged(index, index);
        return;
    }
    // A fixed cell is shown by a header (or the corner).
    if (row < fixedRows_ && column >= fixedColumns_)
        emit headerDataChanged(Qt::Horizontal, column - fixedColumns_, column - fixedColumns_);
    if (column < fixedColumns_ && row >= fixedRows_)
        emit headerDataChanged(Qt::Vertical, row - fixedRows_, row - fixedRows_);
    if (row < fixedRows_ && column < fixedColumns_)
        emit headerDataChanged(Qt::Horizontal, 0, 0); // repaints the corner too
}

bool TableCellModel::SetText(int row, int column, const QString& text) {
    Cell* cell = Mutable(row, column);
    if (!cell) return false;
    if (cell->text != text) {
        cell->text = text;
        NotifyCell(row, column);
    }
    return true;
}

bool TableCellModel::SetBackground(int row, int column, const QColor& colour) {
    Cell* cell = Mutable(row, column);
    if (!cell) return false;
    cell->background = colour;
    NotifyCell(row, column);
    return true;
}

bool TableCellModel::SetForeground(int row, int column, const QColor& colour) {
    Cell* cell = Mutable(row, column);
    if (!cell) return false;
    cell->foreground = colour;
    NotifyCell(row, column);
    return true;
}

bool TableCellModel::SetReadOnly(int row, int column, bool readOnly) {
    Cell* cell = Mutable(row, column);
    if (!cell) return false;
    cell->readOnly = readOnly;
    NotifyCell(row, column);
    return true;
}

bool TableCellModel::IsEditable(int row, int column) const {
    const Cell* cell = CellAt(row, column);
    return editable_ && cell && !cell->readOnly && row >= fixedRows_ && column >= fixedColumns_;
}

QModelIndex TableCellModel::BodyIndex(int row, int column) const {
    if (!IsValid(row, column) || row < fixedRows_ || column < fixedColumns_) return {};
    return index(row - fixedRows_, column - fixedColumns_);
}

QString TableCellModel::CornerText() const {
    if (fixedRows_ == 0 || fixedColumns_ == 0) return {};
    QStringList parts;
    for (int r = 0; r < fixedRows_; ++r)
        if (const QString& text = CellAt(r, 0)->text; !text.isEmpty()) parts.append(text);
    return parts.join(u'\n');
}

int TableCellModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_ - fixedRows_;
}

int TableCellModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_ - fixedColumns_;
}

QVariant TableCellModel::data(const QModelIndex& index, int role) const {
    const Cell* cell = CellAt(TableRow(index), TableColumn(index));
    if (!index.isValid() || !cell) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell->text;
    case Qt::BackgroundRole:
        if (cell->background.isValid()) return QBrush(cell->background);
        return {};
    case Qt::ForegroundRole:
        if (cell->foreground.isValid()) return QBrush(cell->foreground);
        return {};
    default:
        return {};
    }
}

bool TableCellModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int row = TableRow(index);
    const int column = TableColumn(index);
    if (role != Qt::EditRole || !index.isValid() || !IsEditable(row, column)) return false;
    const QString text = value.toString();
    if (CellAt(row, column)->text == text)
        return true; // nothing changed: nobody needs to re-read the cell
    SetText(row, column, text);
    emit CellEdited(row, column);
    return true;
}

Qt::ItemFlags TableCellModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsEditable(TableRow(index), TableColumn(index))) f |= Qt::ItemIsEditable;
    return f;
}

QVariant TableCellModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    QStringList parts;
    if (orientation == Qt::Horizontal) {
        const int column = section + fixedColumns_;
        for (int r = 0; r < fixedRows_; ++r)
            if (const Cell* cell = CellAt(r, column); cell && !cell->text.isEmpty())
                parts.append(cell->text);
        return parts.join(u'\n');
    }
    const int row = section + fixedRows_;
    for (int c = 0; c < fixedColumns_; ++c)
        if (const Cell* cell = CellAt(row, c); cell && !cell->text.isEmpty())
            parts.append(cell->text);
    return parts.join(u' ');
}

} // namespace korva
