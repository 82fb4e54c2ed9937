#include "gridstructureedit.h"

#include "model/messages.h"

#include <algorithm>

namespace korva {

namespace {

// The items of the step's dimension that its undo record will hold: the
// deleted ones, or those between the picked corners that a subdivision
// replaces. A split adds items and keeps none of the old ones.
void AffectedItems(const GridData& grid, const GridEditStep& step, int& low, int& high) {
    low = 0;
    high = -1;
    if (step.kind == GridEditStep::DeleteItems) {
        low = std::min(step.first, step.last);
        high = std::max(step.first, step.last);
        return;
    }
    if (step.kind == GridEditStep::Split || step.points.empty()) return;
    int index[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const ModelPoint& p = i == 0 ? step.points.front() : step.points.back();
        int layer = 0, row = 0, column = 0;
        grid.LocateCell(p.x, p.y, p.z, layer, row, column);
        index[i] = step.dimension == GridData::RowDimension      ? row
                   : step.dimension == GridData::ColumnDimension ? column
                                                                 : layer;
    }
    low = std::min(index[0], index[1]);
    high = std::max(index[0], index[1]);
}

} // namespace

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

std::size_t GridStructureEdit::EstimateBytes(const GridData& grid) const {
    const std::size_t counts[3] = {static_cast<std::size_t>(grid.NumRows()),
                                   static_cast<std::size_t>(grid.NumColumns()),
                                   static_cast<std::size_t>(grid.NumLayers())};
    const std::size_t cellBytes = static_cast<std::size_t>(grid.ParameterCount()) * sizeof(double) +
                                  BoundaryTypeCount * sizeof(int32_t);
    std::size_t bytes = sizeof(*this);
    for (const GridEditStep& step : steps_) {
        int low = 0, high = 0;
        AffectedItems(grid, step, low, high);
        const auto items = static_cast<std::size_t>(std::max(high - low + 1, 0));
        const auto d = static_cast<std::size_t>(step.dimension);
        bytes += items * (counts[0] * counts[1] * counts[2] / std::max<std::size_t>(counts[d], 1)) *
                 cellBytes;
    }
    return bytes;
}

std::size_t GridStructureEdit::Bytes() const {
    return sizeof(*this) + steps_.size() * sizeof(GridEditStep) + record_.HeldBytes();
}

} // namespace korva
