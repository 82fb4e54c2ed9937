#pragma once
// ViewControlDlg ("View Controls"): the camera's rotations about x and z in
// whole degrees, following the mouse's rotation in the view.
#include <QDialog>

class QSpinBox;

namespace korva {

class CKORVAView;

class ViewControlDlg : public QDialog {
    Q_OBJECT
public:
    ViewControlDlg(CKORVAView& view, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Apply();

    CKORVAView& view;
    QSpinBox* rotationX;
    QSpinBox* rotationZ;
    QSpinBox* depth;
    bool following = false;
};

} // namespace korva
