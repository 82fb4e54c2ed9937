#pragma once
// ControlPanelView ("3D Controls & Legend"): the pane beside the view that
// chooses what the view shows (input or output parameters, which one, which
// time period), filters cells by value and by row, column and layer, shows
// the legend, and carries the Z exaggeration.
#include "controlpanellogic.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QTimer;

namespace korva {

class CKORVAView;
class TableCtrl;
class XEdit;

class ControlPanelView : public QWidget {
    Q_OBJECT
public:
    ControlPanelView(CKORVAView& view, QWidget* parent = nullptr);

    // The form's refresh after a change of the model (hint 0).
    void Refresh();
    void RefreshLegend();
    TableCtrl* Legend() const { return legend; }

signals:
    // "Edit": the parameter control panel for the chosen input parameter.
    void EditParameterRequested(int p);

private:
    void ApplySelection();
    void OnFilterEdited(bool minimum);
    void ResetFilter();
    void OnIndexListChanged();
    void FillIndexLists();
    void OnLegendClicked(int row, int column);
    void OnPlay();
    void OnTick();
    int DisplayKind() const;
    // The value range of the chosen input parameter or output quantity.
    bool ChosenRange(double& min, double& max) const;

    CKORVAView& view;
    QComboBox* kindCombo;
    QComboBox* parameterCombo;
    QComboBox* periodCombo;
    QPushButton* playButton;
    QPushButton* editButton;
    QCheckBox* gridLines;
    QCheckBox* rescale;
    QCheckBox* hideOutOfBounds;
    XEdit* zEdit;
    XEdit* filterMin;
    XEdit* filterMax;
    QListWidget* rowList;
    QListWidget* columnList;
    QListWidget* layerList;
    TableCtrl* legend;
    std::vector<LegendRow> legendRows;
    std::vector<double> boundsMin, boundsMax; // per parameter index of the chosen kind
    int seenRows = -1, seenColumns = -1, seenLayers = -1;
    PeriodPlayer player;
    QTimer* timer;
    bool filling = false;
};

} // namespace korva
