#include "dialogs/records/irrigation/irrscheduledlg.h"

#include "charts/window/irrigationplot.h"
#include "dialogs/dialogdocument.h"
#include "dialogs/records/recordchange.h"
#include "model/griddata.h"
#include "tablectrl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace korva {

IrrScheduleDlg::IrrScheduleDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), edit_(document.Grid()), basin_(new QComboBox(this)),
      table_(new TableCtrl(this)), addCount_(new QSpinBox(this)),
      add_(new QPushButton(tr("Add"), this)), delete_(new QPushButton(tr("Delete"), this)),
      plot_(new QPushButton(tr("Plot"), this)) {
    setWindowTitle(tr("Irrigation Schedule"));
    setSizeGripEnabled(true);
    addCount_->setRange(1, IrrigationScheduleEdit::MaxAdd);
    addCount_->setValue(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &IrrScheduleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(basin_, &QComboBox::currentIndexChanged, this, &IrrScheduleDlg::OnBasinChanged);
    connect(table_, &TableCtrl::EndEdit, this, &IrrScheduleDlg::OnEdited);
    connect(add_, &QPushButton::clicked, this, &IrrScheduleDlg::AddItems);
    connect(delete_, &QPushButton::clicked, this, &IrrScheduleDlg::DeleteItems);
    connect(plot_, &QPushButton::clicked, this, &IrrScheduleDlg::Plot);

    auto* basinRow = new QHBoxLayout;
    basinRow->addWidget(new QLabel(tr("Basin:"), this));
    basinRow->addWidget(basin_, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(new QLabel(tr("# to add:"), this));
    addRow->addWidget(addCount_);
    addRow->addWidget(add_);
    addRow->addStretch();
    addRow->addWidget(delete_);
    addRow->addWidget(plot_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(basinRow);
    layout->addWidget(table_);
    layout->addLayout(addRow);
    layout->addWidget(buttons);

    const QStringList titles = IrrigationScheduleEdit::ColumnTitles();
    table_->SetColumnCount(static_cast<int>(titles.size()));
    table_->SetRowCount(1);
    table_->SetFixedRowCount(1);
    for (int c = 0; c < titles.size(); ++c)
        table_->SetItemText(0, c, titles[c]);
    Reload();
    // Modeless: a basin added or deleted elsewhere, or an undo, must reach the
    // working copy, or OK would give schedules to the wrong basins.
    connect(&document_, &DialogDocument::ModelChanged, this, [this](unsigned parts) {
        if (!storing_ && (parts & (unsigned(IrrigationPart) | unsigned(BoundariesPart))) != 0)
            Reload();
    });
    table_->SetColumnsFillWidth(true);
    resize(540, 420);
}

void IrrScheduleDlg::Reload() {
    edit_ = IrrigationScheduleEdit(document_.Grid());
    const int keep = std::max(basin_->currentIndex(), 0);
    {
        const QSignalBlocker quiet(basin_);
        basin_->clear();
        for (int b = 0; b < edit_.BasinCount(); ++b)
            basin_->addItem(edit_.BasinName(b));
        basin_->setCurrentIndex(std::min(keep, edit_.BasinCount() - 1));
    }
    shownBasin_ = basin_->currentIndex();
    table_->clearSelection();
    Fill();
}

void IrrScheduleDlg::Fill() {
    table_->SetRowCount(edit_.ItemCount(shownBasin_) + 1);
    for (int item = 0; item < edit_.ItemCount(shownBasin_); ++item)
        FillRow(item);
}

void IrrScheduleDlg::FillRow(int item) {
    for (int c = 0; c < IrrigationScheduleEdit::ColumnCount; ++c)
        table_->SetItemText(item + 1, c, edit_.Cell(shownBasin_, item, c));
}

void IrrScheduleDlg::OnEdited(int row, int column) {
    const int item = row - 1;
    QStringList before;
    for (int c = 0; c < IrrigationScheduleEdit::ColumnCount; ++c)
        before.append(edit_.Cell(shownBasin_, item, c));
    edit_.SetCell(shownBasin_, item, column, table_->GetItemText(row, column));
    // The edited cell shows the stored value; a month or year can move the
    // day too. Cells not changed here keep their text: in a pasted row they
    // hold values whose own check is still to come.
    for (int c = 0; c < IrrigationScheduleEdit::ColumnCount; ++c) {
        const QString now = edit_.Cell(shownBasin_, item, c);
        if (c == column || now != before[c]) table_->SetItemText(row, c, now);
    }
}

void IrrScheduleDlg::OnBasinChanged(int basin) {
    if (edit_.Pending()) {
        const auto answer =
            QMessageBox::question(this, windowTitle(), tr("Save edits to Irrigation Schedule?"),
                                  QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            Store();
        } else {
            // The edits are dropped: the working copy starts again from the project.
            edit_ = IrrigationScheduleEdit(document_.Grid());
        }
    }
    shownBasin_ = basin;
    table_->clearSelection();
    Fill();
}

void IrrScheduleDlg::AddItems() {
    if (edit_.BasinCount() == 0 || shownBasin_ < 0) {
        QMessageBox::information(this, windowTitle(),
                                 tr("Please add a basin using the boundary dialog."));
        return;
    }
    const int first = edit_.ItemCount(shownBasin_);
    edit_.Add(shownBasin_, addCount_->value());
    Fill();
    table_->SetFocusCell(first + 1, IrrigationScheduleEdit::MonthColumn);
    table_->scrollToBottom();
}

void IrrScheduleDlg::DeleteItems() {
    std::vector<int> items;
    for (int row : table_->GetSelectedRows())
        items.push_back(row - 1);
    if (items.empty()) return;
    edit_.Delete(shownBasin_, items);
    table_->clearSelection();
    Fill();
}

void IrrScheduleDlg::Plot() {
    // The working schedule, edits included: what the table shows is plotted.
    if (const IrrigationData* schedule = edit_.Schedule(shownBasin_))
        charts::ShowIrrigationPlot(*schedule, QDir::currentPath(), this);
}

void IrrScheduleDlg::Store() {
    storing_ = true;
    ChangeRecords(document_, tr("Edit Irrigation Schedule"), edit_.Result(), IrrigationPart);
    storing_ = false;
    edit_.MarkStored();
}

void IrrScheduleDlg::accept() {
    if (edit_.Pending()) Store();
    QDialog::accept();
}

} // namespace korva
