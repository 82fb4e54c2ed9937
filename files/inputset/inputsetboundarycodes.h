#pragma once
// The solver sees natural boundaries and No Flow cells as one grid of codes:
// 0 for an ordinary cell, 1 for a natural-boundary cell, 99 for a No Flow
// cell, No Flow winning where both hold the cell.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korva {

class GridData;

struct BoundaryCodeGrid {
    int layers = 0;
    int rows = 0;
    int columns = 0;
    std::vector<int32_t> codes; // [layer][row][column], flat

    int32_t At(int layer, int row, int col) const {
        return codes[(static_cast<size_t>(layer) * static_cast<size_t>(rows) +
                      static_cast<size_t>(row)) *
                         static_cast<size_t>(columns) +
                     static_cast<size_t>(col)];
    }
};

// nlayers layers for the 3D model, one (from layer 0 of the membership grids)
// for the 2D model.
BoundaryCodeGrid BuildBoundaryCodeGrid(const GridData& grid);

} // namespace korva
