#pragma once
// One layer of a cell grid as nested rows, so a test can compare it with a
// literal table of the values it expects.
#include "model/grid3d.h"
#include "model/membershipgrid.h"

#include <vector>

namespace korva::testing {

template <class T> std::vector<std::vector<T>> LayerRows(const Grid3D<T>& grid, int layer) {
    std::vector<std::vector<T>> rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        const auto row = grid.Row(layer, r);
        rows.emplace_back(row.begin(), row.end());
    }
    return rows;
}

inline std::vector<std::vector<int32_t>> LayerRows(const MembershipGrid& grid, int layer) {
    return LayerRows(grid.Region(layer, 0, 0, 1, grid.Rows(), grid.Columns()), 0);
}

} // namespace korva::testing
