#pragma once
// "Crop Data": the crop catalogue and the crop of each basin. OK replaces both
// in the project and fills the basins' crop cells, as one undoable change.
#include "croptable.h"
#include "recordeditcontext.h"

#include <QDialog>

namespace korva {

class TableCtrl;

class CropParameterDlg : public QDialog {
    Q_OBJECT
public:
    explicit CropParameterDlg(const RecordEditContext& context, QWidget* parent = nullptr);

    TableCtrl* CropTableCtrl() const { return crops_; }
    TableCtrl* BasinTableCtrl() const { return basins_; }

public slots:
    void accept() override;

private:
    void FillCrops();
    void FillBasins();
    void OnCropEdited(int row, int column);
    void OnBasinClicked(int row, int column);
    void NewCropType();
    void DeleteCropType();

    RecordEditContext context_;
    CropTable table_;
    TableCtrl* crops_;
    TableCtrl* basins_;
};

} // namespace korva
