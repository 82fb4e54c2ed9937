#pragma once
// One undoable change of the grid's shape from the grid editor: the steps of
// a mouse action, or the deletion of items from a spacing table. The model
// keeps, in one undo record, the slices and spacings the steps change; undo
// and redo revert that record, so a redo never runs the steps again.
#include "gridedittools.h"
#include "model/griddata.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korva {

class GridStructureEdit {
public:
    explicit GridStructureEdit(std::vector<GridEditStep> steps) : steps_(std::move(steps)) {}

    // Items first..last of dimension, as emptying a spacing cell asks.
    static GridStructureEdit DeleteItems(int dimension, int first, int last);

    // Runs the steps for the first time and shows what the model refused
    // ("Can't delete last row." and the like); false when the grid is
    // unchanged (every step was refused or had nothing to do).
    bool Apply(GridData& grid);
    void Undo(GridData& grid);
    void Redo(GridData& grid);

    std::size_t Bytes() const;
    // What Apply will keep, before it runs (the undo history is bounded by it).
    std::size_t EstimateBytes(const GridData& grid) const;

private:
    static EditResult Run(GridData& grid, const GridEditStep& step, UndoRecord* undo);

    std::vector<GridEditStep> steps_;
    UndoRecord record_;
};

} // namespace korva
