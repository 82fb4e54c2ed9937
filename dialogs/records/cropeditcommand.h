#pragma once
// The undo step of the crop dialog's OK: the new crop catalogue and basin-crop
// table, and the crop grid built from them. Besides the two lists it keeps only
// the crop cell values the build changed (old and new), so undo puts back the
// basins' cells exactly without copying a grid.
#include "recordeditcommand.h"
#include "records.h"

#include <QUndoCommand>
#include <vector>

namespace korva {

class GridData;

class CropEditCommand : public QUndoCommand {
public:
    CropEditCommand(GridData& grid, CropRecords newRecords, ModelChangedFn changed = {});

    void redo() override;
    void undo() override;

    // Cells whose value the build changed (for tests and memory figures).
    std::size_t ChangedCellCount() const { return cells_.size(); }

private:
    struct CellChange {
        int paramIndex;
        int layer, row, column;
        double oldValue, newValue;
    };
    void BuildAndRecord();
    void WriteCells(bool useNew);

    GridData& grid_;
    CropRecords old_;
    CropRecords new_;
    ModelChangedFn changed_;
    std::vector<CellChange> cells_;
    bool built_ = false;
};

} // namespace korva
