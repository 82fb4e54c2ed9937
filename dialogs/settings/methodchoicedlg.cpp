#include "methodchoicedlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/modeledits.h"
#include "model/griddata.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace korva {

MethodChoiceDlg::MethodChoiceDlg(MethodChoice choice, DialogDocument& document, QWidget* parent)
    : QDialog(parent), info_(MethodChoiceDescription(choice)), document_(document) {
    setWindowTitle(tr(info_.title));
    box_ = new QComboBox(this);
    for (const std::string& name : info_.names)
        box_->addItem(QString::fromStdString(name));
    auto* form = new QFormLayout;
    form->addRow(tr("Method:"), box_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Load();
}

void MethodChoiceDlg::Load() {
    box_->setCurrentIndex(ShownMethodCode(info_, document_.Grid().Settings().*(info_.field)));
}

void MethodChoiceDlg::accept() {
    SimulationSettings settings = document_.Grid().Settings();
    settings.*(info_.field) = box_->currentIndex();
    ChangeSettings(document_, windowTitle(), settings);
    QDialog::accept();
}

} // namespace korva
