#include "gridstructureedit.h"

#include <algorithm>
#include <climits>

namespace korva {

namespace {

int ItemAt(const GridData& grid, int dimension, const ModelPoint& point) {
    if (dimension == GridData::LayerDimension)
        return grid.LayerOfDepth(grid.DepthBelowTop(point.z));
    int layer = 0, row = 0, column = 0;
    grid.LocateCell(point.x, point.y, 0.0, layer, row, column);
    return dimension == GridData::RowDimension ? row : column;
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

void GridStructureEdit::AffectedItems(const GridData& grid, const GridEditStep& step, int& low,
                                      int& high) {
    if (step.kind == GridEditStep::DeleteItems) {
        low = step.first;
        high = step.last;
    } else {
        low = INT_MAX;
        high = INT_MIN;
        for (const ModelPoint& point : step.points) {
            const int item = ItemAt(grid, step.dimension, point);
            low = std::min(low, item);
            high = std::max(high, item);
        }
    }
    // A deleted item's extent goes to a neighbour on either side.
    if (step.kind == GridEditStep::DeleteRegion || step.kind == GridEditStep::DeleteItems) {
        --low;
        ++high;
    }
}

void GridStructureEdit::Run(GridData& grid, const GridEditStep& step) {
    const bool rows = step.dimension == GridData::RowDimension;
    const bool layers = step.dimension == GridData::LayerDimension;
    const ModelPoint& p1 = step.points.empty() ? ModelPoint{} : step.points.front();
    const ModelPoint& p2 = step.points.empty() ? ModelPoint{} : step.points.back();
    switch (step.kind) {
    case GridEditStep::Split:
        if (layers)
            grid.SplitLayerAt(p1);
        else
            grid.SplitRowsColumnsAt(rows, !rows, step.points);
        break;
    case GridEditStep::Subdivide:
        if (layers)
            grid.SubdivideLayers(step.parts, p1, p2);
        else
            grid.SubdivideRowsColumns(rows, !rows, step.parts, p1, p2);
        break;
    case GridEditStep::DeleteRegion:
        if (layers)
            grid.DeleteLayersInRegion(p1, p2);
        else
            grid.DeleteRowsColumnsInRegion(rows, !rows, p1, p2);
        break;
    case GridEditStep::DeleteItems:
        grid.DeleteItems(step.dimension, step.first, step.last);
        break;
    }
}

bool GridStructureEdit::Apply(GridData& grid) {
    kept_.clear();
    changedSteps_.clear();
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        int low = 0, high = 0;
        AffectedItems(grid, steps_[i], low, high);
        SliceRange range = SliceRange::Capture(grid, steps_[i].dimension, low, high);
        Run(grid, steps_[i]);
        if (!range.Changed(grid)) continue;
        kept_.push_back(std::move(range));
        changedSteps_.push_back(i);
    }
    return !kept_.empty();
}

void GridStructureEdit::Undo(GridData& grid) const {
    for (auto range = kept_.rbegin(); range != kept_.rend(); ++range)
        range->Restore(grid);
}

void GridStructureEdit::Redo(GridData& grid) const {
    for (const std::size_t i : changedSteps_)
        Run(grid, steps_[i]);
}

std::size_t GridStructureEdit::EstimateBytes(const GridData& grid) const {
    const std::size_t counts[3] = {static_cast<std::size_t>(grid.NumRows()),
                                   static_cast<std::size_t>(grid.NumColumns()),
                                   static_cast<std::size_t>(grid.NumLayers())};
    const std::size_t cellBytes =
        grid.parameters.size() * sizeof(double) + BoundaryTypeCount * sizeof(int32_t);
    std::size_t bytes = sizeof(*this);
    for (const GridEditStep& step : steps_) {
        int low = 0, high = 0;
        AffectedItems(grid, step, low, high);
        const auto items = static_cast<std::size_t>(std::max(high - low + 1, 1));
        const auto d = static_cast<std::size_t>(step.dimension);
        bytes += items * (counts[0] * counts[1] * counts[2] / std::max<std::size_t>(counts[d], 1)) *
                 cellBytes;
    }
    return bytes;
}

std::size_t GridStructureEdit::Bytes() const {
    std::size_t bytes = sizeof(*this) + steps_.size() * sizeof(GridEditStep);
    for (const SliceRange& range : kept_)
        bytes += range.Bytes();
    return bytes;
}

} // namespace korva
