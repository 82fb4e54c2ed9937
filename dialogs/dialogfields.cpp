#include "dialogfields.h"

#include "fieldtext.h"
#include "model/messages.h"

namespace korva {

QLineEdit* NewNumberEdit(QWidget* parent, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(width);
    edit->setMinimumWidth(width);
    return edit;
}

void ShowNumber(QLineEdit* edit, double value) {
    edit->setText(QString::fromStdString(FormatFieldDouble(value)));
}

void ShowInteger(QLineEdit* edit, int value) {
    edit->setText(QString::number(value));
}

std::optional<double> ReadNumber(QLineEdit* edit) {
    const std::optional<double> value = ParseFieldDouble(edit->text().toStdString());
    if (!value) {
        ShowMessage(EnterNumberMessage);
        edit->setFocus();
        edit->selectAll();
    }
    return value;
}

std::optional<int> ReadInteger(QLineEdit* edit) {
    const std::optional<int> value = ParseFieldInt(edit->text().toStdString());
    if (!value) {
        ShowMessage(EnterIntegerMessage);
        edit->setFocus();
        edit->selectAll();
    }
    return value;
}

} // namespace korva
