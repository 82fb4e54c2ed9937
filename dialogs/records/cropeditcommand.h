#pragma once
// The undo step of the crop dialog's OK: the new crop catalogue and basin-crop
// table, and the crop grid built from them. The model's undo record keeps the
// two lists and only the crop cell values the build changed, so undo puts back
// the basins' cells exactly without copying a grid.
#include "model/undorecord.h"
#include "recordeditcommand.h"
#include "records.h"

#include <QUndoCommand>

namespace korva {

class GridData;

class CropEditCommand : public QUndoCommand {
public:
    CropEditCommand(GridData& grid, CropRecords newRecords, ModelChangedFn changed = {});

    void redo() override;
    void undo() override;

    // Cells whose value the build changed (for tests and memory figures).
    std::size_t ChangedCellCount() const {
        return record_.HeldBytes() / (sizeof(double) + sizeof(std::size_t));
    }

private:
    GridData& grid_;
    CropRecords new_;
    ModelChangedFn changed_;
    UndoRecord record_;
    bool built_ = false;
};

} // namespace korva
