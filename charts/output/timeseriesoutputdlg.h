#pragma once
// TimeSeriesOutputDlg ("Time Series Output Control"): which output parameters
// the solver records as time series, per cell (picked in the 3D view, which
// is in its time-series cell mode while the dialog is shown) and for the whole
// grid. Every change goes to the document as one undoable step.
#include "model/outputselection.h"
#include "view3d/viewreceivers.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QRadioButton;

namespace korva {
class CKORVADoc;
}

namespace korva::charts {

class TimeSeriesOutputDlg : public QDialog, public TimeSeriesCellsReceiver {
    Q_OBJECT
public:
    TimeSeriesOutputDlg(CKORVADoc& document, ViewReceiverHost* view, QWidget* parent = nullptr);
    ~TimeSeriesOutputDlg() override;

    QListWidget* List() const { return list_; }
    QRadioButton* SetCellMode() const { return setMode_; }
    QRadioButton* ShowCellMode() const { return showMode_; }
    QCheckBox* AllLayers() const { return allLayers_; }
    QComboBox* Layer() const { return layer_; }

    // The codes selected in the list ("No Output" selects none).
    OutputParamDataItem SelectedCodes() const;
    void SelectCodes(const OutputParamDataItem& codes);

    // "Set Selection", "Show Selection", "Clear".
    void SetSelection();
    void ShowSelection();
    void ClearCells();

    void ToggleCells(const PickedCorners& corners, int layer) override;
    void HoverCell(const HoveredCell& cell) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FillLayers();
    void LeaveView();

    CKORVADoc& document_;
    ViewReceiverHost* view_ = nullptr;
    QListWidget* list_ = nullptr;
    QRadioButton* setMode_ = nullptr;
    QRadioButton* showMode_ = nullptr;
    QCheckBox* allLayers_ = nullptr;
    QGroupBox* layerBox_ = nullptr;
    QComboBox* layer_ = nullptr;
};

} // namespace korva::charts
