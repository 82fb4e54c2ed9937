#include "draincollectorconnectdlg.h"

#include "selectionlistdlg.h"
#include "tablectrl.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QVBoxLayout>

namespace korva {

DrainCollectorConnectDlg::DrainCollectorConnectDlg(const RecordEditContext& context,
                                                   QWidget* parent)
    : QDialog(parent), context_(context), drains_(*context.grid), table_(new TableCtrl(this)) {
    setWindowTitle(tr("Drain-Collector Connectivity"));
    setSizeGripEnabled(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DrainCollectorConnectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &TableCtrl::CellClicked, this, &DrainCollectorConnectDlg::OnClicked);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);

    const QStringList titles = DrainCollectorTable::ColumnTitles();
    table_->SetColumnCount(static_cast<int>(titles.size()));
    table_->SetRowCount(drains_.DrainCount() + 1);
    table_->SetFixedRowCount(1);
    table_->SetFixedColumnCount(1);
    for (int c = 0; c < titles.size(); ++c)
        table_->SetItemText(0, c, titles[c]);
    for (int d = 0; d < drains_.DrainCount(); ++d) {
        table_->SetItemText(d + 1, 0, drains_.DrainName(d));
        table_->SetItemText(d + 1, 1, drains_.CollectorName(d));
        table_->SetItemState(d + 1, 1, TableCtrl::CellReadOnly); // chosen from the list
    }
    table_->AutoSizeColumns();
    table_->horizontalHeader()->setStretchLastSection(true);
    resize(420, 300);
}

void DrainCollectorConnectDlg::OnClicked(int row, int column) {
    if (row < 1 || column != 1) return;
    const int drain = row - 1;
    const int choice = SelectionListDlg::Choose(this, drains_.Choices(), drains_.ChoiceOf(drain));
    if (choice < 0) return;
    drains_.Choose(drain, choice);
    table_->SetItemText(row, 1, drains_.CollectorName(drain));
}

void DrainCollectorConnectDlg::accept() {
    context_.execute(new RecordEditCommand<DrainCollectorRecords>(
        *context_.grid, drains_.Result(), tr("Edit Drain-Collector Connectivity"),
        context_.changed));
    QDialog::accept();
}

} // namespace korva
