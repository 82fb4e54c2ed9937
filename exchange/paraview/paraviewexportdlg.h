#pragma once
// ParaViewExportDlg ("Export to ParaView"): the ".vtr" file to write and,
// when the project has results, whether to write them too (one file per
// output time and the ".pvd" collection ParaView animates).
#include "paraviewexportchoice.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace korva {

class ParaViewExportDlg : public QDialog {
    Q_OBJECT
public:
    ParaViewExportDlg(const ParaViewExportChoice& choice, QWidget* parent = nullptr);

    // What OK accepted: the file (".vtr" added) and whether the results go too.
    QString Path() const { return path_; }
    bool WithResults() const { return withResults_; }

    // The controls, for tests that fill them the way a user would.
    QLineEdit* FileField() const { return file_; }
    QCheckBox* ResultsBox() const { return results_; }

public slots:
    // Checks the file (a message names what is wrong and the dialog stays
    // open) and asks before replacing an existing one.
    void accept() override;

private:
    void Browse();
    void UpdateSummary();

    ParaViewExportChoice choice_;
    QLineEdit* file_;
    QCheckBox* results_;
    QLabel* summary_;
    QString confirmed_; // a file the file chooser already asked to replace
    QString path_;
    bool withResults_ = false;
};

} // namespace korva
