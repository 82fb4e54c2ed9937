#include "cropeditcommand.h"

#include "model/griddata.h"

#include <QCoreApplication>

namespace korva {

CropEditCommand::CropEditCommand(GridData& grid, CropRecords newRecords, ModelChangedFn changed)
    : QUndoCommand(QCoreApplication::translate("CropEditCommand", "Edit Crop Data")), grid_(grid),
      new_(std::move(newRecords)), changed_(std::move(changed)) {}

void CropEditCommand::redo() {
    if (!built_) {
        built_ = true;
        BasinCropRecords records = grid_.GetBasinCropRecords();
        records.cropParams = new_.crops;
        records.cropBasins = new_.basinCrops;
        grid_.SetBasinCropRecords(std::move(records), &record_);
        grid_.BuildCropGrid(&record_);
        new_ = CropRecords{}; // the record holds all a redo needs
    } else {
        grid_.Revert(record_);
    }
    if (changed_) changed_();
}

void CropEditCommand::undo() {
    grid_.Revert(record_);
    if (changed_) changed_();
}

} // namespace korva
