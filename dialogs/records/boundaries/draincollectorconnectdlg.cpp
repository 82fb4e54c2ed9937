#include "dialogs/records/boundaries/draincollectorconnectdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/records/recordchange.h"
#include "dialogs/records/selectionlistdlg.h"
#include "tablectrl.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QVBoxLayout>

namespace korva {

DrainCollectorConnectDlg::DrainCollectorConnectDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), drains_(document.Grid()), table_(new TableCtrl(this)) {
    setWindowTitle(tr("Drain-Collector Connectivity"));
    setSizeGripEnabled(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DrainCollectorConnectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &TableCtrl::CellClicked, this, &DrainCollectorConnectDlg::OnClicked);
    // Modeless: follow changes made elsewhere, so OK never writes stale indices.
    connect(&document_, &DialogDocument::ModelChanged, this, [this](unsigned parts) {
        if (!storing_ && (parts & unsigned(BoundariesPart)) != 0) Reload();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);

    Fill();
    table_->AutoSizeColumns();
    table_->horizontalHeader()->setStretchLastSection(true);
    resize(420, 300);
}

void DrainCollectorConnectDlg::Fill() {
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
}

void DrainCollectorConnectDlg::Reload() {
    drains_ = DrainCollectorTable(document_.Grid());
    Fill();
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
    storing_ = true;
    ChangeRecords(document_, tr("Edit Drain-Collector Connectivity"), drains_.Result(),
                  BoundariesPart);
    storing_ = false;
    QDialog::accept();
}

} // namespace korva
