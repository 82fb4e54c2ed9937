#pragma once
// "Irrigation Schedule": the schedule of the basin chosen under "Basin:", with
// "Add", "Delete" and "Plot". OK stores every basin's schedule as one undoable
// change.
#include "dialogs/records/irrigation/irrigationscheduleedit.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace korva {

class DialogDocument;
class TableCtrl;

class IrrScheduleDlg : public QDialog {
    Q_OBJECT
public:
    explicit IrrScheduleDlg(DialogDocument& document, QWidget* parent = nullptr);

    TableCtrl* ScheduleTableCtrl() const { return table_; }
    QComboBox* BasinChoice() const { return basin_; }
    QSpinBox* AddCount() const { return addCount_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* PlotButton() const { return plot_; }

    // Starts again from the project's schedules and basin list (edits not yet
    // stored are dropped).
    void Reload();

public slots:
    void accept() override;

private:
    void Fill();
    void FillRow(int item);
    void OnEdited(int row, int column);
    void OnBasinChanged(int basin);
    void AddItems();
    void DeleteItems();
    void Plot();
    // Hands the working schedules to the project as one undoable change.
    void Store();

    DialogDocument& document_;
    IrrigationScheduleEdit edit_;
    int shownBasin_ = -1;
    QComboBox* basin_;
    TableCtrl* table_;
    QSpinBox* addCount_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* plot_;
    bool storing_ = false;
};

} // namespace korva
