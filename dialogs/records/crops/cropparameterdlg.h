#pragma once
// "Crop Data": the crop catalogue and the crop of each basin. OK replaces both
// in the project and fills the basins' crop cells, as one undoable change.
#include "dialogs/records/crops/croptable.h"

#include <QDialog>

namespace korva {

class DialogDocument;
class TableCtrl;

class CropParameterDlg : public QDialog {
    Q_OBJECT
public:
    explicit CropParameterDlg(DialogDocument& document, QWidget* parent = nullptr);

    TableCtrl* CropTableCtrl() const { return crops_; }
    TableCtrl* BasinTableCtrl() const { return basins_; }

    // Starts again from the project's records (the tables show them anew).
    void Reload();

public slots:
    void accept() override;

private:
    void OnModelChanged(unsigned parts);
    void FillCrops();
    void FillBasins();
    void OnCropEdited(int row, int column);
    void OnBasinClicked(int row, int column);
    void NewCropType();
    void DeleteCropType();

    DialogDocument& document_;
    CropTable table_;
    TableCtrl* crops_;
    TableCtrl* basins_;
    bool storing_ = false; // our own change is being applied
};

} // namespace korva
