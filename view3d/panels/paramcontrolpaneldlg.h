#pragma once
// ParamControlPanelDlg ("Parameter Control Panel"): while it is open the view
// edits the chosen parameter on one layer in plan; a rectangle dragged on the
// grid gets the value of "Assign new value:".
#include "view3d/viewreceivers.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

namespace korva {

class CKORVAView;
class CColorButton;
class XEdit;

class ParamControlPanelDlg : public QDialog {
    Q_OBJECT
public:
    ParamControlPanelDlg(CKORVAView& view, QWidget* parent = nullptr);
    // The parameter (position in ParameterOrder) the panel edits.
    void SetParameter(int p);
    int Parameter() const { return parameter; }
    // The value, "Click on grid to apply" and "Apply to all layers below current".
    void SetAssignment(double value, bool clickToApply, bool allLayersBelow);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Refresh();
    void RefreshColours();
    void OnSliceChanged(int slice);
    void ChooseColour(bool high);
    void OnPick(const PickedCorners& corners);

    CKORVAView& view;
    int parameter = 0;
    XEdit* valueEdit;
    QCheckBox* clickToApply;
    QCheckBox* allBelow;
    QComboBox* layerCombo;
    QLabel* title;
    CColorButton* minColour;
    CColorButton* maxColour;
};

} // namespace korva
