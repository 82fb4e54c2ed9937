#pragma once
// "Crop Yield Function": the method and, per basin, the yield response factors
// of the four growth stages and the salinity upper bounds of the five yield
// multiplication factors. OK stores both tables as one undoable change.
#include "dialogs/records/crops/cropyieldtable.h"

#include <QDialog>

class QComboBox;

namespace korva {

class DialogDocument;
class TableCtrl;

class CropYieldEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CropYieldEditDlg(DialogDocument& document, QWidget* parent = nullptr);

    TableCtrl* ResponseTableCtrl() const { return response_; }
    TableCtrl* SalinityTableCtrl() const { return salinity_; }

    // Starts again from the project's yield lists.
    void Reload();

public slots:
    void accept() override;

protected:
    // The constants panel keeps its editors and shows them again: each
    // showing starts from the project, not from edits cancelled before.
    void showEvent(QShowEvent* event) override;

private:
    void Fill(CropYieldTable::Table which, TableCtrl* table);
    void OnEdited(CropYieldTable::Table which, TableCtrl* table, int row, int column);

    DialogDocument& document_;
    CropYieldTable table_;
    QComboBox* method_;
    TableCtrl* response_;
    TableCtrl* salinity_;
    bool storing_ = false;
};

} // namespace korva
