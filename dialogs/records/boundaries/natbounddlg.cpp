#include "dialogs/records/boundaries/natbounddlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/records/recordchange.h"
#include "tablectrl.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace korva {

NatBoundDlg::NatBoundDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), bounds_(document.Grid()), table_(new TableCtrl(this)) {
    setWindowTitle(tr("Natural Boundary Properties"));
    setSizeGripEnabled(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NatBoundDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);

    const QStringList titles = NatBoundTable::ColumnTitles();
    table_->SetColumnCount(static_cast<int>(titles.size()));
    table_->SetRowCount(bounds_.BoundaryCount() + 1);
    table_->SetFixedRowCount(1);
    table_->SetFixedColumnCount(1);
    for (int c = 0; c < titles.size(); ++c)
        table_->SetItemText(0, c, titles[c]);
    for (int b = 0; b < bounds_.BoundaryCount(); ++b)
        for (int c = 0; c < NatBoundTable::ColumnCount; ++c)
            table_->SetItemText(b + 1, c, bounds_.Cell(b, c));
    connect(table_, &TableCtrl::EndEdit, this, [this](int row, int column) {
        table_->SetItemText(row, column,
                            bounds_.SetCell(row - 1, column, table_->GetItemText(row, column)));
    });
    table_->AutoSizeColumns();
    table_->SetColumnsFillWidth(true);
    resize(460, 300);
}

void NatBoundDlg::accept() {
    ChangeRecords(document_, tr("Edit Natural Boundary Properties"), bounds_.Result(),
                  BoundariesPart);
    QDialog::accept();
}

} // namespace korva
