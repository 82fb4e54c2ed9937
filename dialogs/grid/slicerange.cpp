#include "slicerange.h"

#include <algorithm>

namespace korva {

namespace {

template <class T> using Grid = std::vector<std::vector<std::vector<T>>>;

template <class V> V Part(const V& items, std::size_t low, std::size_t count) {
    if (low >= items.size()) return {};
    const std::size_t end = std::min(items.size(), low + count);
    return V(items.begin() + static_cast<std::ptrdiff_t>(low),
             items.begin() + static_cast<std::ptrdiff_t>(end));
}

template <class V> void Splice(V& items, std::size_t low, std::size_t remove, const V& insert) {
    low = std::min(low, items.size());
    remove = std::min(remove, items.size() - low);
    const auto at = items.begin() + static_cast<std::ptrdiff_t>(low);
    items.erase(at, at + static_cast<std::ptrdiff_t>(remove));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(low), insert.begin(), insert.end());
}

// The grids are [layer][row][column]: a row slice is a part of each layer, a
// column slice a part of each row.
template <class T> Grid<T> Extract(const Grid<T>& grid, int dimension, int low, int count) {
    const auto from = static_cast<std::size_t>(low);
    const auto n = static_cast<std::size_t>(count);
    if (dimension == GridData::LayerDimension) return Part(grid, from, n);
    Grid<T> part(grid.size());
    for (std::size_t k = 0; k < grid.size(); ++k) {
        if (dimension == GridData::RowDimension) {
            part[k] = Part(grid[k], from, n);
        } else {
            part[k].resize(grid[k].size());
            for (std::size_t r = 0; r < grid[k].size(); ++r)
                part[k][r] = Part(grid[k][r], from, n);
        }
    }
    return part;
}

template <class T>
void Replace(Grid<T>& grid, int dimension, int low, int remove, const Grid<T>& part) {
    const auto from = static_cast<std::size_t>(low);
    const auto n = static_cast<std::size_t>(std::max(remove, 0));
    if (dimension == GridData::LayerDimension) {
        Splice(grid, from, n, part);
        return;
    }
    for (std::size_t k = 0; k < grid.size() && k < part.size(); ++k) {
        if (dimension == GridData::RowDimension) {
            Splice(grid[k], from, n, part[k]);
        } else {
            for (std::size_t r = 0; r < grid[k].size() && r < part[k].size(); ++r)
                Splice(grid[k][r], from, n, part[k][r]);
        }
    }
}

template <class T> std::size_t Size(const Grid<T>& grid) {
    std::size_t n = 0;
    for (const auto& layer : grid)
        for (const auto& row : layer)
            n += row.size();
    return n * sizeof(T);
}

const std::vector<double>& SpacingList(const GridData& grid, int dimension) {
    return dimension == GridData::RowDimension      ? grid.rowSpacing
           : dimension == GridData::ColumnDimension ? grid.columnSpacing
                                                    : grid.layerSpacing;
}

std::vector<double>& SpacingList(GridData& grid, int dimension) {
    return dimension == GridData::RowDimension      ? grid.rowSpacing
           : dimension == GridData::ColumnDimension ? grid.columnSpacing
                                                    : grid.layerSpacing;
}

} // namespace

SliceRange SliceRange::Capture(const GridData& grid, int dimension, int low, int high) {
    SliceRange range;
    range.dimension_ = dimension;
    range.spacings_ = SpacingList(grid, dimension);
    range.uniformSpacing_ = grid.UniformSpacing;
    const int items = static_cast<int>(range.spacings_.size());
    low = std::clamp(std::min(low, high), 0, std::max(items - 1, 0));
    high = std::clamp(std::max(low, high), low, std::max(items - 1, 0));
    range.low_ = low;
    range.count_ = items == 0 ? 0 : high - low + 1;
    const bool layers = dimension == GridData::LayerDimension;
    for (const auto& [code, data] : grid.parameters)
        if (!layers || !data.IsSurface())
            range.parameters_[code] = Extract(data.layers, dimension, low, range.count_);
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (!layers || grid.BoundaryHoldsEveryLayer(type))
            range.boundaries_.emplace_back(
                type, Extract(grid.boundaries[static_cast<std::size_t>(type)].grid, dimension, low,
                              range.count_));
    range.timeSeries_ = Extract(grid.TimeSeriesCellGrid, dimension, low, range.count_);
    return range;
}

void SliceRange::Restore(GridData& grid) const {
    std::vector<double>& spacings = SpacingList(grid, dimension_);
    // The items the edit left in place of the kept run.
    const int now = count_ + static_cast<int>(spacings.size()) - static_cast<int>(spacings_.size());
    for (auto& [code, data] : grid.parameters) {
        const auto kept = parameters_.find(code);
        if (kept != parameters_.end()) Replace(data.layers, dimension_, low_, now, kept->second);
    }
    for (const auto& [type, part] : boundaries_)
        Replace(grid.boundaries[static_cast<std::size_t>(type)].grid, dimension_, low_, now, part);
    Replace(grid.TimeSeriesCellGrid, dimension_, low_, now, timeSeries_);
    spacings = spacings_;
    grid.UniformSpacing = uniformSpacing_;
}

bool SliceRange::Changed(const GridData& grid) const {
    return SpacingList(grid, dimension_) != spacings_;
}

std::size_t SliceRange::Bytes() const {
    std::size_t bytes = sizeof(*this) + spacings_.size() * sizeof(double);
    for (const auto& [code, part] : parameters_)
        bytes += Size(part);
    for (const auto& [type, part] : boundaries_)
        bytes += Size(part);
    return bytes + Size(timeSeries_);
}

} // namespace korva
