#pragma once
// "About KORVA": the program's picture, its version and an OK button.
#include <QDialog>

namespace korva {

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

void ShowAboutBox(QWidget* parent);

} // namespace korva
