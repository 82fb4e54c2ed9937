#include "dialogs/records/selectionlistdlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace korva {

SelectionListDlg::SelectionListDlg(const QStringList& choices, int current, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(tr("Make a Selection"));
    list_->addItems(choices);
    if (current >= 0 && current < choices.size()) list_->setCurrentRow(current);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(260, 240);
}

int SelectionListDlg::Selection() const {
    return list_->currentItem() ? list_->currentRow() : -1;
}

int SelectionListDlg::Choose(QWidget* parent, const QStringList& choices, int current) {
    SelectionListDlg dialog(choices, current, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Selection() : -1;
}

} // namespace korva
