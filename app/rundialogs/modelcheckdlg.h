#pragma once
// ModelCheckDlg: the critical problems found before a run, in a table whose
// "Current Value" cells the user may correct. OK reads them back; Cancel
// (or closing the dialog) stops the run.
#include "model/modelcheck.h"

#include <QDialog>

namespace korva {

class TableCtrl;

class ModelCheckDlg : public QDialog {
    Q_OBJECT
public:
    explicit ModelCheckDlg(const ProblemList& problems, QWidget* parent = nullptr);
    // The problems with the current values as typed (valid after OK).
    const ProblemList& Problems() const { return problems_; }
    TableCtrl* Table() const { return table_; }

    void accept() override;

private:
    ProblemList problems_;
    TableCtrl* table_;
};

// The check step of a run: shows the dialog; true (with problems updated) on OK.
bool ResolveProblemsWithDialog(ProblemList& problems, QWidget* parent);

} // namespace korva
