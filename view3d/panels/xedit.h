#pragma once
// XEdit: the numeric text field of the panels. It reads as a decimal number
// (text that is not one reads as 0), shows numbers as "%g", selects its text
// when it takes the focus, and moves on with Enter and the arrow keys like a
// form's fields.
#include <QLineEdit>

namespace korva {

class XEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit XEdit(QWidget* parent = nullptr);
    double Value() const;
    void SetValue(double value);
    static QString Format(double value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace korva
