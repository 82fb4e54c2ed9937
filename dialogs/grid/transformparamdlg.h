#pragma once
// "Transform Parameter": multiplies or offsets one parameter over a range of
// layers. Each button press is one undoable change. A surface parameter has
// one value per column, so its layer range does not apply and is disabled.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace korva {

class DialogDocument;

class TransformParamDlg : public QDialog {
    Q_OBJECT
public:
    TransformParamDlg(DialogDocument& document, QWidget* parent = nullptr);

    QComboBox* ParameterBox() const { return parameter_; }
    QComboBox* FromLayerBox() const { return fromLayer_; }
    QComboBox* ToLayerBox() const { return toLayer_; }
    QLineEdit* MultiplierField() const { return multiplier_; }
    QLineEdit* OffsetField() const { return offset_; }
    QPushButton* MultiplyButton() const { return multiply_; }
    QPushButton* OffsetButton() const { return offsetButton_; }

private:
    void Transform(bool multiply);
    void ParameterChosen();

    DialogDocument& document_;
    QComboBox* parameter_;
    QComboBox* fromLayer_;
    QComboBox* toLayer_;
    QLineEdit* multiplier_;
    QLineEdit* offset_;
    QPushButton* multiply_;
    QPushButton* offsetButton_;
};

} // namespace korva
