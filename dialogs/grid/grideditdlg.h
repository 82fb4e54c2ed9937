#pragma once
// "Edit Grid Dimensions": the totals and spacing tables of rows, columns and
// layers, and the mouse tools that add, subdivide and delete them in the 3D
// view. While it is open the view hands it every rectangle picked in the grid
// edit modes. Every change is one undoable step of the document.
#include "gridedittools.h"
#include "view3d/viewreceivers.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace korva {

class DialogDocument;
class TableCtrl;

class GridEditDlg : public QDialog, public GridEditPickReceiver {
    Q_OBJECT
public:
    // view may be null (no view to pick in: the tables and totals still work).
    // A view that is a QObject may go before the dialog; the dialog then
    // leaves it alone.
    GridEditDlg(DialogDocument& document, ViewReceiverHost* view, QWidget* parent = nullptr);
    ~GridEditDlg() override;

    // Shows the dialog and puts the view into its grid edit mode.
    void Start();

    // GridEditPickReceiver
    void FirstPick(double a1, double a2, double b1, double b2, bool planOrientation) override;
    void SecondPick(double x1, double x2, double y1, double y2) override;

    // Widgets, for tests.
    TableCtrl* SpacingTable(int dimension) const { return tables_[std::size_t(dimension)]; }
    QLineEdit* TotalField(int dimension) const { return totals_[std::size_t(dimension)]; }
    QLineEdit* HorizontalUnitsField() const { return horizontalUnits_; }
    QLineEdit* VerticalUnitsField() const { return verticalUnits_; }
    QCheckBox* OptionBox(int mode, int option) const {
        return options_[std::size_t(mode)][std::size_t(option)];
    }
    QRadioButton* ModeButton(int mode) const { return modes_[std::size_t(mode)]; }
    QLineEdit* SubdivisionsField() const { return subdivisions_; }
    const GridEditTools& Tools() const { return tools_; }

public slots:
    // Refills the totals and tables from the model.
    void Refresh();
    // "Done": ends the view's tool mode, stores the unit texts, closes.
    void Done();
    // "Set Width && Height Using Mouse": the next rectangle rescales the grid.
    void StartSpanPick();

    // Escape ends the tool like "Done".
    void reject() override { Done(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void TotalEdited(int dimension);
    void SpacingEdited(int dimension, int row, int column);
    void OptionToggled(int mode, int option, bool checked);
    void ShowTools();
    void StoreUnits();
    void StopPicking();
    void ScheduleRefresh(int delayMs);

    DialogDocument& document_;
    // The view, while it exists.
    ViewReceiverHost* View() const;

    ViewReceiverHost* view_;
    QPointer<QObject> viewObject_; // set when the view is a QObject
    bool viewIsObject_;
    GridEditTools tools_;
    std::array<QLineEdit*, 3> totals_{};
    std::array<QString, 3> shownTotals_;
    std::array<TableCtrl*, 3> tables_{};
    std::array<QStringList, 3> shownSpacings_;
    QLineEdit* horizontalUnits_;
    QLineEdit* verticalUnits_;
    std::array<QRadioButton*, 3> modes_{};
    std::array<std::array<QCheckBox*, 3>, 3> options_{};
    QLineEdit* subdivisions_;
    bool refreshPending_ = false;
};

} // namespace korva
