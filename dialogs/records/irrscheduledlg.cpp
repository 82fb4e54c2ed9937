#include "irrscheduledlg.h"

#include "irrscheduleplot.h"
#include "model/griddata.h"
#include "tablectrl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace korva {

IrrScheduleDlg::IrrScheduleDlg(const RecordEditContext& context, QWidget* parent)
    : QDialog(parent), context_(context), edit_(*context.grid), basin_(new QComboBox(this)),
      table_(new TableCtrl(this)), addCount_(new QSpinBox(this)),
      add_(new QPushButton(tr("Add"), this)), delete_(new QPushButton(tr("Delete"), this)),
      plot_(new QPushButton(tr("Plot"), this)) {
    setWindowTitle(tr("Irrigation Schedule"));
    setSizeGripEnabled(true);
    for (int b = 0; b < edit_.BasinCount(); ++b)
        basin_->addItem(edit_.BasinName(b));
    addCount_->setRange(1, IrrigationScheduleEdit::MaxAdd);
    addCount_->setValue(1);
    plot_->setEnabled(HasIrrigationPlotter());
    if (!plot_->isEnabled())
        plot_->setToolTip(tr("The graph window is not available in this build."));

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
    shownBasin_ = basin_->currentIndex();
    Fill();
    for (int c = 0; c < titles.size(); ++c)
        table_->SetColumnWidth(c, 90);
    resize(540, 420);
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
            edit_ = IrrigationScheduleEdit(*context_.grid);
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
    const IrrigationData* schedule = edit_.Schedule(shownBasin_);
    if (!schedule) return;
    IrrigationPlotRequest request;
    request.basinName = edit_.BasinName(shownBasin_);
    request.simulationYear = context_.grid->settings.simulationYear;
    request.points = IrrigationPlotPoints(*schedule, request.simulationYear);
    PlotIrrigationSchedule(this, request);
}

void IrrScheduleDlg::Store() {
    context_.execute(new RecordEditCommand<IrrigationRecords>(
        *context_.grid, edit_.Result(), tr("Edit Irrigation Schedule"), context_.changed));
    edit_.MarkStored();
}

void IrrScheduleDlg::accept() {
    if (edit_.Pending()) Store();
    QDialog::accept();
}

} // namespace korva
