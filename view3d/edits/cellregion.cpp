#include "cellregion.h"

#include <algorithm>

namespace korva {

CellRegion CellRegion::Between(const GridData& grid, const ModelPoint& a, const ModelPoint& b) {
    int layer = 0, rowA = 0, colA = 0, rowB = 0, colB = 0;
    grid.LocateCell(a.x, a.y, 0.0, layer, rowA, colA);
    grid.LocateCell(b.x, b.y, 0.0, layer, rowB, colB);
    return {std::min(rowA, rowB), std::max(rowA, rowB), std::min(colA, colB), std::max(colA, colB)};
}

} // namespace korva
