// Deleting, splitting and subdividing rows, columns and layers. Every edit
// changes the spacing list and then the same slice of every parameter, every
// boundary grid and the time-series cell grid, so all of them keep one shape.
// The uniform-spacing flag is recomputed after each edit: the view draws every
// item with the first spacing while it is set.
#include "griddata.h"

#include <stdexcept>
#include <string>

namespace korva {

namespace {

const char* LastItemMessage(int dimension) {
    if (dimension == GridData::RowDimension) return "Can't delete last row.";
    if (dimension == GridData::ColumnDimension) return "Can't delete last column.";
    return "Can't delete last layer.";
}

} // namespace

void GridData::RemoveSlice(int dimension, int index, UndoRecord* undo) {
    undo::Slices removed{dimension, index, 1, true, {}, {}, {}};
    for (auto& [code, data] : data_.parameters) {
        if (dimension == LayerDimension && data.IsSurface()) continue;
        Grid3D<double> slice = data.values.ExtractSlices(dimension, index, 1);
        if (undo != nullptr) removed.parameters.emplace(code, std::move(slice));
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        if (dimension == LayerDimension && !BoundaryHoldsEveryLayer(type)) continue;
        Grid3D<int32_t> slice = data_.memberships[type].ExtractSlices(dimension, index, 1);
        if (undo != nullptr) removed.memberships[type] = std::move(slice);
    }
    removed.selections = data_.TimeSeriesCellGrid.ExtractSlices(dimension, index, 1);
    if (undo != nullptr) undo->pieces_.emplace_back(std::move(removed));
}

void GridData::DuplicateSlice(int dimension, int index, int copies, UndoRecord* undo) {
    for (auto& [code, data] : data_.parameters)
        if (dimension != LayerDimension || !data.IsSurface())
            data.values.DuplicateSlice(dimension, index, copies);
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (dimension != LayerDimension || BoundaryHoldsEveryLayer(type))
            data_.memberships[type].DuplicateSlice(dimension, index, copies);
    // The new items hold copies of the cut cell's time-series selections, so a
    // cell split in two keeps its selections in both halves, as its parameter
    // values and boundary memberships do.
    data_.TimeSeriesCellGrid.DuplicateSlice(dimension, index, copies);
    // Undoing removes the copies again; the record holds nothing until then.
    if (undo != nullptr)
        undo->pieces_.emplace_back(undo::Slices{dimension, index + 1, copies, false, {}, {}, {}});
}

EditResult GridData::DeleteItems(int dimension, int first, int last, UndoRecord* undo) {
    CheckDimension(dimension);
    EditResult result;
    if (first > last) return EditResult::Refused();
    if (first < 0 || last >= DimensionCount(dimension))
        throw std::out_of_range("delete range " + std::to_string(first) + ".." +
                                std::to_string(last));
    std::vector<double>& spacings = Spacings(dimension);
    bool changed = false;
    for (int i = last; i >= first; --i) {
        if (spacings.size() == 1) {
            result.messages.emplace_back(LastItemMessage(dimension));
            continue;
        }
        if (!changed) SaveSpacings(undo);
        changed = true;
        // The deleted extent merges into the item before it; deleting item 0
        // keeps item 0's values and gives it item 1's extent.
        const int k = i == 0 ? 1 : i;
        spacings[static_cast<std::size_t>(k - 1)] += spacings[static_cast<std::size_t>(k)];
        spacings.erase(spacings.begin() + k);
        RemoveSlice(dimension, k, undo);
    }
    if (!changed) {
        result.done = false;
        return result;
    }
    UpdateUniformSpacing();
    Report(MakeChange(ChangeKind::Geometry, -1, -1, dimension, {}), undo);
    return result;
}

void GridData::DeleteRangeMerging(int dimension, int low, int high, EditResult& result,
                                  UndoRecord* undo) {
    std::vector<double>& spacings = Spacings(dimension);
    if (spacings.size() == 1) {
        result.messages.emplace_back(LastItemMessage(dimension));
        return;
    }
    SaveSpacings(undo);
    for (int i = static_cast<int>(spacings.size()) - 1; i >= 0; --i) {
        if (i < low || i > high) continue;
        if (spacings.size() == 1) break;
        const auto at = static_cast<std::size_t>(i);
        spacings[i > 0 ? at - 1 : 1] += spacings[at];
        spacings.erase(spacings.begin() + i);
        RemoveSlice(dimension, i, undo);
    }
    UpdateUniformSpacing();
    Report(MakeChange(ChangeKind::Geometry, -1, -1, dimension, {}), undo);
}

EditResult GridData::DeleteRowsColumnsInRegion(bool rows, bool columns, const ModelPoint& point1,
                                               const ModelPoint& point2, UndoRecord* undo) {
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    EditResult result;
    const std::uint64_t before = revision_;
    if (rows) DeleteRangeMerging(RowDimension, rowLow, rowHigh, result, undo);
    if (columns) DeleteRangeMerging(ColumnDimension, colLow, colHigh, result, undo);
    result.done = revision_ != before;
    return result;
}

EditResult GridData::DeleteLayersInRegion(const ModelPoint& point1, const ModelPoint& point2,
                                          UndoRecord* undo) {
    int low = 0, high = 0;
    LocatedRange(LayerDimension, point1, point2, low, high);
    EditResult result;
    const std::uint64_t before = revision_;
    DeleteRangeMerging(LayerDimension, low, high, result, undo);
    result.done = revision_ != before;
    return result;
}

std::string GridData::RoomForItems(int dimension, long long added) const {
    long long counts[3] = {NumRows(), NumColumns(), NumLayers()};
    counts[dimension] += added;
    const long long cells = counts[0] * counts[1] * counts[2];
    if (cells <= MaxCells) return {};
    return "The grid would have " + std::to_string(cells) + " cells; at most " +
           std::to_string(MaxCells) + " are possible.";
}

bool GridData::SplitAlong(int dimension, double coordinate, EditResult& result, UndoRecord* undo) {
    std::vector<double>& spacings = Spacings(dimension);
    double lowerEdge = -TotalExtent(dimension, false) / 2.0;
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        const double upperEdge = lowerEdge + spacings[i];
        if (coordinate < upperEdge) {
            const double part = coordinate - lowerEdge;
            // Before the grid, or exactly on an edge: nothing to cut.
            if (!(part > 0.0)) return false;
            const std::string refusal = RoomForItems(dimension, 1);
            if (!refusal.empty()) {
                result.messages.push_back(refusal);
                return false;
            }
            SaveSpacings(undo);
            const double rest = spacings[i] - part;
            spacings[i] = part;
            spacings.insert(spacings.begin() + static_cast<std::ptrdiff_t>(i + 1), rest);
            DuplicateSlice(dimension, static_cast<int>(i), 1, undo);
            UpdateUniformSpacing();
            Report(MakeChange(ChangeKind::Geometry, -1, -1, dimension, {}), undo);
            return true;
        }
        lowerEdge = upperEdge;
    }
    return false;
}

EditResult GridData::SplitRowsColumnsAt(bool rows, bool columns,
                                        const std::vector<ModelPoint>& points, UndoRecord* undo) {
    EditResult result;
    bool changed = false;
    for (const ModelPoint& point : points) {
        if (rows) changed = SplitAlong(RowDimension, point.y, result, undo) || changed;
        if (columns) changed = SplitAlong(ColumnDimension, point.x, result, undo) || changed;
    }
    result.done = changed;
    return result;
}

EditResult GridData::SplitLayerAt(const ModelPoint& point, UndoRecord* undo) {
    const double depth = DepthBelowTop(point.z);
    std::vector<double>& layerSpacing = data_.layerSpacing;
    double top = 0.0;
    for (std::size_t k = 0; k < layerSpacing.size(); ++k) {
        const double bottom = top + layerSpacing[k];
        if (depth < bottom) {
            const double above = depth - top;
            if (!(above > 0.0)) return EditResult::Refused();
            const std::string refusal = RoomForItems(LayerDimension, 1);
            if (!refusal.empty()) return EditResult::Refused(refusal);
            SaveSpacings(undo);
            const double rest = layerSpacing[k] - above;
            layerSpacing[k] = above;
            layerSpacing.insert(layerSpacing.begin() + static_cast<std::ptrdiff_t>(k + 1), rest);
            DuplicateSlice(LayerDimension, static_cast<int>(k), 1, undo);
            UpdateUniformSpacing();
            Report(MakeChange(ChangeKind::Geometry, -1, -1, LayerDimension, {}), undo);
            return {};
        }
        top = bottom;
    }
    return EditResult::Refused();
}

void GridData::SubdivideRange(int dimension, int parts, int low, int high, EditResult& result,
                              UndoRecord* undo) {
    if (parts < 1 || parts > MaxSubdivisions)
        throw std::invalid_argument("number of subdivisions " + std::to_string(parts));
    const std::string refusal =
        RoomForItems(dimension, static_cast<long long>(parts) * (high - low + 1));
    if (!refusal.empty()) {
        result.messages.push_back(refusal);
        return;
    }
    std::vector<double>& spacings = Spacings(dimension);
    SaveSpacings(undo);
    for (int i = high; i >= low; --i) {
        const auto at = static_cast<std::size_t>(i);
        const double width = spacings.at(at) / (parts + 1);
        spacings[at] = width;
        spacings.insert(spacings.begin() + i + 1, static_cast<std::size_t>(parts), width);
        DuplicateSlice(dimension, i, parts, undo);
    }
    UpdateUniformSpacing();
    Report(MakeChange(ChangeKind::Geometry, -1, -1, dimension, {}), undo);
}

EditResult GridData::SubdivideRowsColumns(bool rows, bool columns, int parts,
                                          const ModelPoint& point1, const ModelPoint& point2,
                                          UndoRecord* undo) {
    if (parts < 1 || parts > MaxSubdivisions)
        throw std::invalid_argument("number of subdivisions " + std::to_string(parts));
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    EditResult result;
    const std::uint64_t before = revision_;
    if (rows) SubdivideRange(RowDimension, parts, rowLow, rowHigh, result, undo);
    if (columns) SubdivideRange(ColumnDimension, parts, colLow, colHigh, result, undo);
    result.done = revision_ != before;
    return result;
}

EditResult GridData::SubdivideLayers(int parts, const ModelPoint& point1, const ModelPoint& point2,
                                     UndoRecord* undo) {
    int low = 0, high = 0;
    LocatedRange(LayerDimension, point1, point2, low, high);
    EditResult result;
    const std::uint64_t before = revision_;
    SubdivideRange(LayerDimension, parts, low, high, result, undo);
    result.done = revision_ != before;
    return result;
}

} // namespace korva
