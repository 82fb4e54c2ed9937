#include "gridstructureedit.h"

#include "model/messages.h"

namespace korva {

GridStructureEdit GridStructureEdit::DeleteItems(int dimension, int first, int last) {
    GridEditStep step;
    step.kind = GridEditStep::DeleteItems;
    step.dimension = dimension;
    step.first = first;
    step.last = last;
    return GridStructureEdit({step});
}

EditResult GridStructureEdit::Run(GridData& grid, const GridEditStep& step, UndoRecord* undo) {
    const bool rows = step.dimension == GridData::RowDimension;
    const bool layers = step.dimension == GridData::LayerDimension;
    const ModelPoint& p1 = step.points.empty() ? ModelPoint{} : step.points.front();
    const ModelPoint& p2 = step.points.empty() ? ModelPoint{} : step.points.back();
    switch (step.kind) {
    case GridEditStep::Split:
        if (layers) return grid.SplitLayerAt(p1, undo);
        return grid.SplitRowsColumnsAt(rows, !rows, step.points, undo);
    case GridEditStep::Subdivide:
        if (layers) return grid.SubdivideLayers(step.parts, p1, p2, undo);
        return grid.SubdivideRowsColumns(rows, !rows, step.parts, p1, p2, undo);
    case GridEditStep::DeleteRegion:
        if (layers) return grid.DeleteLayersInRegion(p1, p2, undo);
        return grid.DeleteRowsColumnsInRegion(rows, !rows, p1, p2, undo);
    case GridEditStep::DeleteItems:
        return grid.DeleteItems(step.dimension, step.first, step.last, undo);
    }
    return EditResult::Refused();
}

bool GridStructureEdit::Apply(GridData& grid) {
    record_ = UndoRecord{};
    bool changed = false;
    for (const GridEditStep& step : steps_) {
        const EditResult result = Run(grid, step, &record_);
        changed = changed || result.done;
        for (const std::string& message : result.messages)
            ShowMessage(message);
    }
    return changed;
}

void GridStructureEdit::Undo(GridData& grid) {
    if (!record_.Undone()) grid.Revert(record_);
}

void GridStructureEdit::Redo(GridData& grid) {
    if (record_.Undone()) grid.Revert(record_);
}

std::size_t GridStructureEdit::Bytes() const {
    return sizeof(*this) + steps_.size() * sizeof(GridEditStep) + record_.HeldBytes();
}

} // namespace korva
