#pragma once
// BoundaryControlPanelDlg ("Boundary Control Panel"): creates and deletes
// boundaries, and while it is open a rectangle dragged on the grid adds the
// chosen boundary's cells on the editing layer, or removes them.
#include "model/griddata.h"
#include "view3d/viewreceivers.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace korva {

class CKORVAView;

// A position in the list of every boundary of every kind, in kind order, as
// (kind, index within the kind); false past the end.
bool BoundaryOfListIndex(const GridData& grid, int listIndex, int& type, int& index);
// "Depth from surface:": the thickness of the layers above layer, "%g", and the units.
QString DepthFromSurfaceText(const GridData& grid, int layer);

class BoundaryControlPanelDlg : public QDialog {
    Q_OBJECT
public:
    BoundaryControlPanelDlg(CKORVAView& view, QWidget* parent = nullptr);
    // Selects boundary index of kind type, and whether a drag adds or removes.
    void SelectBoundary(int type, int index, bool add);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FillBoundaries(int selectType = -1, int selectIndex = -1);
    void OnSliceChanged(int slice);
    void Create();
    void Delete();
    void Drape();
    void OnPick(const PickedCorners& corners);

    CKORVAView& view;
    QComboBox* typeCombo;
    QComboBox* boundaryCombo;
    QRadioButton* addButton;
    QRadioButton* removeButton;
    QComboBox* layerCombo;
    QCheckBox* allBelow;
    QLabel* depthText;
};

} // namespace korva
