#pragma once
// Small helpers the dialogs share for their number fields: a line edit that
// shows a number with "%g", and reading one back with the field message when
// the text is not a number.
#include <QLineEdit>
#include <optional>

namespace korva {

QLineEdit* NewNumberEdit(QWidget* parent, int width = 90);
void ShowNumber(QLineEdit* edit, double value);
void ShowInteger(QLineEdit* edit, int value);
// The field's number; otherwise "Please enter a number." is shown, the field
// gets the focus and nothing is returned.
std::optional<double> ReadNumber(QLineEdit* edit);
std::optional<int> ReadInteger(QLineEdit* edit);

} // namespace korva
