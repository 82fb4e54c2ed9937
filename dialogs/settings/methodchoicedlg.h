#pragma once
// "K-Weighting Method", "Equation Type" and "Initial Conditions": one combo
// box whose index is the stored code.
#include "methodchoices.h"

#include <QDialog>

class QComboBox;

namespace korva {

class DialogDocument;

class MethodChoiceDlg : public QDialog {
    Q_OBJECT
public:
    MethodChoiceDlg(MethodChoice choice, DialogDocument& document, QWidget* parent = nullptr);
    void Load();
    void accept() override;
    QComboBox* MethodBox() const { return box_; }

private:
    const MethodChoiceInfo& info_;
    DialogDocument& document_;
    QComboBox* box_;
};

} // namespace korva
