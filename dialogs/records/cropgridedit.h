#pragma once
// The change made by the crop dialog's OK: the new crop catalogue and
// basin-crop table, and the crop grid built from them. Besides the two lists
// it keeps only the crop cell values the build changed (old and new), so undo
// puts back the basins' cells exactly without copying a grid.
#include "records.h"

#include <cstddef>
#include <vector>

namespace korva {

class DialogDocument;
class GridData;

class CropGridEdit {
public:
    CropGridEdit(CropRecords oldRecords, CropRecords newRecords)
        : old_(std::move(oldRecords)), new_(std::move(newRecords)) {}

    // The first time: writes the records, builds the crop grid and notes the
    // cells it changed; false when neither records nor cells changed. Later
    // (redo): writes the records and the noted new values again.
    bool Apply(GridData& grid);
    void Undo(GridData& grid) const;

    std::size_t ChangedCellCount() const { return cells_.size(); }
    std::size_t Bytes() const;

private:
    struct CellChange {
        int paramIndex;
        int layer, row, column;
        double oldValue, newValue;
    };
    void Build(GridData& grid);
    void WriteCells(GridData& grid, bool useNew) const;

    CropRecords old_;
    CropRecords new_;
    std::vector<CellChange> cells_;
    bool built_ = false;
};

// OK of the crop dialog: one undoable change named "Edit Crop Data".
void ChangeCrops(DialogDocument& document, CropRecords newRecords);

} // namespace korva
