#pragma once
// "Crop Yield Function": the method and, per basin, the yield response factors
// of the four growth stages and the salinity upper bounds of the five yield
// multiplication factors. OK stores both tables as one undoable change.
#include "cropyieldtable.h"

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

public slots:
    void accept() override;

private:
    void Fill(CropYieldTable::Table which, TableCtrl* table);
    void OnEdited(CropYieldTable::Table which, TableCtrl* table, int row, int column);

    DialogDocument& document_;
    CropYieldTable table_;
    QComboBox* method_;
    TableCtrl* response_;
    TableCtrl* salinity_;
};

} // namespace korva
