#pragma once
// One undoable change of the grid's shape from the grid editor: the steps of
// a mouse action, or the deletion of items from a spacing table. Before each
// step it keeps the run of items the step can touch (SliceRange); undo puts
// those runs back in reverse order, redo runs the steps again on the same
// grid, which gives the same result.
#include "gridedittools.h"
#include "slicerange.h"

#include <cstddef>
#include <vector>

namespace korva {

class GridStructureEdit {
public:
    explicit GridStructureEdit(std::vector<GridEditStep> steps) : steps_(std::move(steps)) {}

    // Items first..last of dimension, as emptying a spacing cell asks.
    static GridStructureEdit DeleteItems(int dimension, int first, int last);

    // Runs the steps for the first time; false when the grid is unchanged
    // (every step was refused or had nothing to do).
    bool Apply(GridData& grid);
    void Undo(GridData& grid) const;
    void Redo(GridData& grid) const;

    std::size_t Bytes() const;
    // What Apply will keep, before it runs (the undo history is bounded by it).
    std::size_t EstimateBytes(const GridData& grid) const;

private:
    static void Run(GridData& grid, const GridEditStep& step);
    // The run of items, in the grid before the step, that the step can change.
    static void AffectedItems(const GridData& grid, const GridEditStep& step, int& low, int& high);

    std::vector<GridEditStep> steps_;
    std::vector<SliceRange> kept_; // one per step that changed the grid
    std::vector<std::size_t> changedSteps_;
};

} // namespace korva
