#include "deleteitemsdlg.h"

#include "deleteitemschoice.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace korva {

DeleteItemsDlg::DeleteItemsDlg(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Choose Items to Delete"));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->addItems(names);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void DeleteItemsDlg::accept() {
    std::vector<int> selected;
    for (const QListWidgetItem* item : list_->selectedItems())
        selected.push_back(list_->row(item));
    chosen_ = PositionsHighestFirst(std::move(selected));
    QDialog::accept();
}

} // namespace korva
