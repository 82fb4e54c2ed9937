#include "tablectrl.h"

#include "tablecellmodel.h"
#include "tableheader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>
#include <set>

namespace korva {

TableCtrl::TableCtrl(QWidget* parent) : QTableView(parent), cells_(new TableCellModel(this)) {
    setHorizontalHeader(new TableHeader(Qt::Horizontal, this));
    setVerticalHeader(new TableHeader(Qt::Vertical, this));
    setModel(cells_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    connect(cells_, &TableCellModel::CellEdited, this, &TableCtrl::EndEdit);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        emit CellClicked(cells_->TableRow(index), cells_->TableColumn(index));
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        emit CellClicked(cells_->FixedRows() - 1, section + cells_->FixedColumns());
    });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        emit CellClicked(section + cells_->FixedRows(), cells_->FixedColumns() - 1);
    });
    // The corner above the row heads shows the fixed top-left cell's text.
    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
    UpdateHeaders();
}

void TableCtrl::UpdateHeaders() {
    horizontalHeader()->setVisible(cells_->FixedRows() > 0);
    verticalHeader()->setVisible(cells_->FixedColumns() > 0);
}

void TableCtrl::SetRowCount(int rows) {
    cells_->SetSize(rows, cells_->Columns());
    UpdateHeaders();
}

void TableCtrl::SetColumnCount(int columns) {
    cells_->SetSize(cells_->Rows(), columns);
    UpdateHeaders();
}

void TableCtrl::SetFixedRowCount(int rows) {
    cells_->SetFixed(rows, cells_->FixedColumns());
    UpdateHeaders();
}

void TableCtrl::SetFixedColumnCount(int columns) {
    cells_->SetFixed(cells_->FixedRows(), columns);
    UpdateHeaders();
}

int TableCtrl::GetRowCount() const {
    return cells_->Rows();
}
int TableCtrl::GetColumnCount() const {
    return cells_->Columns();
}
int TableCtrl::GetFixedRowCount() const {
    return cells_->FixedRows();
}
int TableCtrl::GetFixedColumnCount() const {
    return cells_->FixedColumns();
}
bool TableCtrl::InsertRow(int row) {
    return cells_->InsertRow(row);
}
bool TableCtrl::DeleteRow(int row) {
    return cells_->RemoveRow(row);
}

bool TableCtrl::SetItemText(int row, int column, const QString& text) {
    return cells_->SetText(row, column, text);
}

QString TableCtrl::GetItemText(int row, int column) const {
    const auto* cell = cells_->CellAt(row, column);
    return cell ? cell->text : QString();
}

bool TableCtrl::SetItemBkColour(int row, int column, const QColor& colour) {
    return cells_->SetBackground(row, column, colour);
}

QColor TableCtrl::GetItemBkColour(int row, int column) const {
    const auto* cell = cells_->CellAt(row, column);
    return cell ? cell->background : QColor();
}

bool TableCtrl::SetItemState(int row, int column, int state) {
    return cells_->SetReadOnly(row, column, (state & CellReadOnly) != 0);
}

int TableCtrl::GetItemState(int row, int column) const {
    const auto* cell = cells_->CellAt(row, column);
    return cell && cell->readOnly ? CellReadOnly : CellNormal;
}

bool TableCtrl::IsItemEditable(int row, int column) const {
    return cells_->IsEditable(row, column);
}

void TableCtrl::SetEditable(bool editable) {
    cells_->SetEditable(editable);
}
bool TableCtrl::IsEditable() const {
    return cells_->Editable();
}

void TableCtrl::SetColumnWidth(int column, int pixels) {
    if (column < 0 || column >= cells_->Columns()) return;
    if (column < cells_->FixedColumns())
        verticalHeader()->setFixedWidth(pixels);
    else
        setColumnWidth(column - cells_->FixedColumns(), pixels);
}

void TableCtrl::AutoSizeColumns() {
    resizeColumnsToContents();
    horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    // Short heads (".90") still leave room to type a number.
    const int narrowest = fontMetrics().horizontalAdvance(QStringLiteral("0.000000"));
    for (int c = 0; c < cells_->Columns() - cells_->FixedColumns(); ++c)
        setColumnWidth(c, std::max({columnWidth(c), sizeHintForColumn(c), narrowest}));
    // The corner's text needs room too.
    if (cells_->FixedColumns() > 0) {
        const int corner = fontMetrics().horizontalAdvance(cells_->CornerText()) + 16;
        verticalHeader()->setMinimumWidth(corner);
    }
}

void TableCtrl::SetColumnsFillWidth(bool fill) {
    horizontalHeader()->setSectionResizeMode(fill ? QHeaderView::Stretch
                                                  : QHeaderView::Interactive);
}

QList<int> TableCtrl::GetSelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.insert(cells_->TableRow(index));
    return QList<int>(rows.begin(), rows.end());
}

int TableCtrl::GetFocusRow() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? cells_->TableRow(index) : -1;
}

int TableCtrl::GetFocusColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? cells_->TableColumn(index) : -1;
}

void TableCtrl::SetFocusCell(int row, int column) {
    const QModelIndex index = cells_->BodyIndex(row, column);
    if (index.isValid()) setCurrentIndex(index);
}

void TableCtrl::EditCell(int row, int column) {
    const QModelIndex index = cells_->BodyIndex(row, column);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    edit(index);
}

bool TableCtrl::SelectionBounds(int& top, int& left, int& bottom, int& right) const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (!current.isValid()) return false;
        top = bottom = current.row();
        left = right = current.column();
        return true;
    }
    top = left = std::numeric_limits<int>::max();
    bottom = right = -1;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    return true;
}

QString TableCtrl::SelectedText() const {
    int top, left, bottom, right;
    if (!SelectionBounds(top, left, bottom, right)) return {};
    const QItemSelectionModel* selection = selectionModel();
    const bool anySelected = selection->hasSelection();
    TabTextBlock block;
    for (int r = top; r <= bottom; ++r) {
        QStringList row;
        for (int c = left; c <= right; ++c) {
            const QModelIndex index = cells_->index(r, c);
            row.append(!anySelected || selection->isSelected(index)
                           ? index.data(Qt::DisplayRole).toString()
                           : QString());
        }
        block.append(row);
    }
    return FormatTabText(block);
}

int TableCtrl::PasteText(const QString& text) {
    int top, left, bottom, right;
    if (!SelectionBounds(top, left, bottom, right)) top = left = bottom = right = 0;
    TabTextBlock block = ParseTabText(text);
    if (block.isEmpty()) return 0;
    // One value onto a range fills the range, as spreadsheets do.
    const bool fill =
        block.size() == 1 && block.front().size() == 1 && (bottom > top || right > left);
    const int bodyRows = cells_->rowCount();
    const int bodyColumns = cells_->columnCount();
    QList<QPair<int, int>> changed;
    auto put = [&](int r, int c, const QString& value) {
        if (r >= bodyRows || c >= bodyColumns)
            return; // past the edge: clipped, the table does not grow
        const int row = r + cells_->FixedRows();
        const int column = c + cells_->FixedColumns();
        if (!cells_->IsEditable(row, column) || cells_->CellAt(row, column)->text == value) return;
        cells_->SetText(row, column, value);
        changed.append({row, column});
    };
    if (fill) {
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                put(r, c, block.front().front());
    } else {
        for (qsizetype r = 0; r < block.size(); ++r)
            for (qsizetype c = 0; c < block[r].size(); ++c)
                put(top + static_cast<int>(r), left + static_cast<int>(c), block[r][c]);
    }
    // Handlers run after the whole block is in, so a check that rewrites a
    // cell sees its pasted neighbours.
    for (const auto& [row, column] : changed)
        emit EndEdit(row, column);
    return static_cast<int>(changed.size());
}

void TableCtrl::Copy() {
    const QString text = SelectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TableCtrl::Paste() {
    PasteText(QApplication::clipboard()->text());
}

void TableCtrl::ClearSelectedCells() {
    QList<QPair<int, int>> changed;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        const int row = cells_->TableRow(index);
        const int column = cells_->TableColumn(index);
        if (cells_->IsEditable(row, column) && !cells_->CellAt(row, column)->text.isEmpty()) {
            cells_->SetText(row, column, QString());
            changed.append({row, column});
        }
    }
    for (const auto& [row, column] : changed)
        emit EndEdit(row, column);
}

void TableCtrl::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                 Qt::AltModifier | Qt::MetaModifier);
    const int key = event->key();
    if ((modifiers == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_Insert)) ||
        event->matches(QKeySequence::Copy)) {
        Copy();
        event->accept();
        return;
    }
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_V) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert) ||
        event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_Delete && state() != EditingState) {
        ClearSelectedCells();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TableCtrl::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"), this, &TableCtrl::Copy);
    QAction* paste = menu.addAction(tr("&Paste"), this, &TableCtrl::Paste);
    copy->setEnabled(selectionModel()->hasSelection() || currentIndex().isValid());
    paste->setEnabled(IsEditable() && !QApplication::clipboard()->text().isEmpty());
    menu.exec(event->globalPos());
}

bool TableCtrl::viewportEvent(QEvent* event) {
    // A cell too narrow for its text shows the whole text as a tip.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const QString text = index.data(Qt::DisplayRole).toString();
            const int needed = fontMetrics().horizontalAdvance(text) + 8;
            if (needed > visualRect(index).width()) {
                QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QTableView::viewportEvent(event);
}

bool TableCtrl::eventFilter(QObject* watched, QEvent* event) {
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint && cells_->FixedRows() > 0 &&
        cells_->FixedColumns() > 0) {
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.textAlignment = Qt::AlignCenter;
        option.text = cells_->CornerText();
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace korva
