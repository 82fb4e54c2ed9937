// Deleting, splitting and subdividing rows, columns and layers. Every edit
// changes the spacing list and then the same slice of every parameter, every
// boundary grid and the time-series cell grid, so all of them keep one shape.
// The uniform-spacing flag is recomputed after each edit: the view draws every
// item with the first spacing while it is set.
#include "griddata.h"
#include "messages.h"

#include <stdexcept>
#include <string>

namespace korva {

namespace {

// The three grid families share one layout: [layer][row][column] of T.
template <class Grid> void EraseRow(Grid& grid, std::size_t row) {
    for (auto& layer : grid)
        if (row < layer.size()) layer.erase(layer.begin() + static_cast<std::ptrdiff_t>(row));
}

template <class Grid> void EraseColumn(Grid& grid, std::size_t col) {
    for (auto& layer : grid)
        for (auto& row : layer)
            if (col < row.size()) row.erase(row.begin() + static_cast<std::ptrdiff_t>(col));
}

template <class Grid> void EraseLayer(Grid& grid, std::size_t layer) {
    if (layer < grid.size()) grid.erase(grid.begin() + static_cast<std::ptrdiff_t>(layer));
}

template <class Grid> void CopyRow(Grid& grid, std::size_t row, std::size_t copies) {
    for (auto& layer : grid) {
        if (layer.empty()) continue;
        const std::size_t source = row < layer.size() ? row : layer.size() - 1;
        const auto copy = layer[source];
        layer.insert(layer.begin() + static_cast<std::ptrdiff_t>(source + 1), copies, copy);
    }
}

template <class Grid> void CopyColumn(Grid& grid, std::size_t col, std::size_t copies) {
    for (auto& layer : grid) {
        for (auto& row : layer) {
            if (row.empty()) continue;
            const std::size_t source = col < row.size() ? col : row.size() - 1;
            const auto copy = row[source];
            row.insert(row.begin() + static_cast<std::ptrdiff_t>(source + 1), copies, copy);
        }
    }
}

template <class Grid> void CopyLayer(Grid& grid, std::size_t layer, std::size_t copies) {
    if (layer >= grid.size()) return;
    const auto copy = grid[layer];
    grid.insert(grid.begin() + static_cast<std::ptrdiff_t>(layer + 1), copies, copy);
}

const char* LastItemMessage(int dimension) {
    if (dimension == GridData::RowDimension) return "Can't delete last row.";
    if (dimension == GridData::ColumnDimension) return "Can't delete last column.";
    return "Can't delete last layer.";
}

} // namespace

void GridData::RemoveSlice(int dimension, int index) {
    const auto at = static_cast<std::size_t>(index);
    auto apply = [&](auto& grid) {
        if (dimension == RowDimension)
            EraseRow(grid, at);
        else if (dimension == ColumnDimension)
            EraseColumn(grid, at);
        else
            EraseLayer(grid, at);
    };
    for (auto& [code, data] : parameters)
        if (dimension != LayerDimension || !data.IsSurface()) apply(data.layers);
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (dimension != LayerDimension || BoundaryHoldsEveryLayer(type))
            apply(boundaries[type].grid);
    apply(TimeSeriesCellGrid);
}

void GridData::DuplicateSlice(int dimension, int index, int copies) {
    const auto at = static_cast<std::size_t>(index);
    const auto count = static_cast<std::size_t>(copies);
    auto apply = [&](auto& grid) {
        if (dimension == RowDimension)
            CopyRow(grid, at, count);
        else if (dimension == ColumnDimension)
            CopyColumn(grid, at, count);
        else
            CopyLayer(grid, at, count);
    };
    for (auto& [code, data] : parameters)
        if (dimension != LayerDimension || !data.IsSurface()) apply(data.layers);
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (dimension != LayerDimension || BoundaryHoldsEveryLayer(type))
            apply(boundaries[type].grid);
    // The new items hold copies of the cut cell's time-series selections, so a
    // cell split in two keeps its selections in both halves, as its parameter
    // values and boundary memberships do.
    apply(TimeSeriesCellGrid);
}

void GridData::DeleteItems(int dimension, int first, int last) {
    CheckDimension(dimension);
    if (first > last) return;
    if (first < 0 || last >= DimensionCount(dimension))
        throw std::out_of_range("delete range " + std::to_string(first) + ".." +
                                std::to_string(last));
    std::vector<double>& spacings = Spacings(dimension);
    for (int i = last; i >= first; --i) {
        if (spacings.size() == 1) {
            ShowMessage(LastItemMessage(dimension));
            continue;
        }
        // The deleted extent merges into the item before it; deleting item 0
        // keeps item 0's values and gives it item 1's extent.
        const int k = i == 0 ? 1 : i;
        spacings[static_cast<std::size_t>(k - 1)] += spacings[static_cast<std::size_t>(k)];
        spacings.erase(spacings.begin() + k);
        RemoveSlice(dimension, k);
    }
    UpdateUniformSpacing();
}

void GridData::DeleteRangeMerging(int dimension, int low, int high) {
    std::vector<double>& spacings = Spacings(dimension);
    if (spacings.size() == 1) {
        ShowMessage(LastItemMessage(dimension));
        return;
    }
    for (int i = static_cast<int>(spacings.size()) - 1; i >= 0; --i) {
        if (i < low || i > high) continue;
        if (spacings.size() == 1) break;
        const auto at = static_cast<std::size_t>(i);
        spacings[i > 0 ? at - 1 : 1] += spacings[at];
        spacings.erase(spacings.begin() + i);
        RemoveSlice(dimension, i);
    }
    UpdateUniformSpacing();
}

void GridData::DeleteRowsColumnsInRegion(bool rows, bool columns, const ModelPoint& point1,
                                         const ModelPoint& point2) {
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    if (rows) DeleteRangeMerging(RowDimension, rowLow, rowHigh);
    if (columns) DeleteRangeMerging(ColumnDimension, colLow, colHigh);
}

void GridData::DeleteLayersInRegion(const ModelPoint& point1, const ModelPoint& point2) {
    int low = 0, high = 0;
    LocatedRange(LayerDimension, point1, point2, low, high);
    DeleteRangeMerging(LayerDimension, low, high);
}

bool GridData::RoomForItems(int dimension, long long added) const {
    long long counts[3] = {NumRows(), NumColumns(), NumLayers()};
    counts[dimension] += added;
    const long long cells = counts[0] * counts[1] * counts[2];
    if (cells <= MaxCells) return true;
    ShowMessage("The grid would have " + std::to_string(cells) + " cells; at most " +
                std::to_string(MaxCells) + " are possible.");
    return false;
}

bool GridData::SplitAlong(int dimension, double coordinate) {
    std::vector<double>& spacings = Spacings(dimension);
    double lowerEdge = -TotalExtent(dimension, false) / 2.0;
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        const double upperEdge = lowerEdge + spacings[i];
        if (coordinate < upperEdge) {
            const double part = coordinate - lowerEdge;
            // Before the grid, or exactly on an edge: nothing to cut.
            if (!(part > 0.0) || !RoomForItems(dimension, 1)) return false;
            const double rest = spacings[i] - part;
            spacings[i] = part;
            spacings.insert(spacings.begin() + static_cast<std::ptrdiff_t>(i + 1), rest);
            DuplicateSlice(dimension, static_cast<int>(i), 1);
            UpdateUniformSpacing();
            return true;
        }
        lowerEdge = upperEdge;
    }
    return false;
}

void GridData::SplitRowsColumnsAt(bool rows, bool columns, const std::vector<ModelPoint>& points) {
    for (const ModelPoint& point : points) {
        if (rows) SplitAlong(RowDimension, point.y);
        if (columns) SplitAlong(ColumnDimension, point.x);
    }
}

void GridData::SplitLayerAt(const ModelPoint& point) {
    const double depth = DepthBelowTop(point.z);
    double top = 0.0;
    for (std::size_t k = 0; k < layerSpacing.size(); ++k) {
        const double bottom = top + layerSpacing[k];
        if (depth < bottom) {
            const double above = depth - top;
            if (!(above > 0.0) || !RoomForItems(LayerDimension, 1)) return;
            const double rest = layerSpacing[k] - above;
            layerSpacing[k] = above;
            layerSpacing.insert(layerSpacing.begin() + static_cast<std::ptrdiff_t>(k + 1), rest);
            DuplicateSlice(LayerDimension, static_cast<int>(k), 1);
            UpdateUniformSpacing();
            return;
        }
        top = bottom;
    }
}

void GridData::SubdivideRange(int dimension, int parts, int low, int high) {
    if (parts < 1 || parts > MaxSubdivisions)
        throw std::invalid_argument("number of subdivisions " + std::to_string(parts));
    if (!RoomForItems(dimension, static_cast<long long>(parts) * (high - low + 1))) return;
    std::vector<double>& spacings = Spacings(dimension);
    for (int i = high; i >= low; --i) {
        const auto at = static_cast<std::size_t>(i);
        const double width = spacings.at(at) / (parts + 1);
        spacings[at] = width;
        spacings.insert(spacings.begin() + i + 1, static_cast<std::size_t>(parts), width);
        DuplicateSlice(dimension, i, parts);
    }
    UpdateUniformSpacing();
}

void GridData::SubdivideRowsColumns(bool rows, bool columns, int parts, const ModelPoint& point1,
                                    const ModelPoint& point2) {
    if (parts < 1 || parts > MaxSubdivisions)
        throw std::invalid_argument("number of subdivisions " + std::to_string(parts));
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    if (rows) SubdivideRange(RowDimension, parts, rowLow, rowHigh);
    if (columns) SubdivideRange(ColumnDimension, parts, colLow, colHigh);
}

void GridData::SubdivideLayers(int parts, const ModelPoint& point1, const ModelPoint& point2) {
    int low = 0, high = 0;
    LocatedRange(LayerDimension, point1, point2, low, high);
    SubdivideRange(LayerDimension, parts, low, high);
}

} // namespace korva
