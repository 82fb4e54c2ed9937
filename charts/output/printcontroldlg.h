#pragma once
// PrintControlDlg ("Print Control"): the dates on which the solver prints the
// whole grid. The table is a working copy; OK hands the rebuilt print list to
// the document as one undoable step, Cancel drops the edits.
#include "printcontrolrules.h"

#include <QDialog>
#include <functional>

class QLineEdit;

namespace korva {
class CKORVADoc;
class TableCtrl;
} // namespace korva

namespace korva::charts {

class PrintControlDlg : public QDialog {
    Q_OBJECT
public:
    PrintControlDlg(CKORVADoc& document, QWidget* parent = nullptr);

    // Fills the table from the print list and the group dates from the
    // simulation period.
    void Refresh();
    // The start and end of the "Add Group" box from the simulation period.
    void RefreshPeriod();
    std::vector<PrintRow> Rows() const;

    TableCtrl* Table() const { return table_; }
    QLineEdit* CountToAdd() const { return count_; }
    // Start month, day, year, end month, day, year, interval.
    QLineEdit* GroupField(int i) const { return group_[i]; }

    void AddRows();
    void DeleteRows(const std::vector<int>& bodyRows);
    void AddGroup();

    // Asks which rows to delete ("Choose Items to Delete"); tests replace it.
    std::function<std::vector<int>(const QStringList& items)> chooseItems;

public slots:
    void accept() override;

private:
    void SetRows(const std::vector<PrintRow>& rows);
    void CorrectCell(int row, int column);

    CKORVADoc& document_;
    TableCtrl* table_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* group_[7] = {};
};

} // namespace korva::charts
