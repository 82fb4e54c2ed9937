#pragma once
// The change made by the crop dialog's OK: the new crop catalogue and
// basin-crop table, and the crop grid built from them. The model's undo
// record keeps the two lists and only the crop cell values the build changed,
// so undo puts back the basins' cells exactly without copying a grid.
#include "dialogs/records/records.h"
#include "model/undorecord.h"

#include <cstddef>

namespace korva {

class DialogDocument;
class GridData;

class CropGridEdit {
public:
    CropGridEdit(CropRecords oldRecords, CropRecords newRecords)
        : old_(std::move(oldRecords)), new_(std::move(newRecords)) {}

    // The first time: writes the records and builds the crop grid, keeping
    // what changed; false when neither records nor cells changed. Later
    // (redo): reverts the undo record.
    bool Apply(GridData& grid);
    void Undo(GridData& grid);

    // Crop cells whose value the build changed.
    std::size_t ChangedCellCount() const { return changedCells_; }
    std::size_t Bytes() const;

private:
    CropRecords old_;
    CropRecords new_;
    UndoRecord record_;
    std::size_t changedCells_ = 0;
    bool built_ = false;
};

// OK of the crop dialog: one undoable change named "Edit Crop Data".
void ChangeCrops(DialogDocument& document, CropRecords newRecords);

} // namespace korva
