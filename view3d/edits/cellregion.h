#pragma once
// The rows and columns between the cells under two model points, both
// included, as every rectangle dragged on the grid selects them.
#include "model/griddata.h"

namespace korva {

struct CellRegion {
    int rowLow = 0, rowHigh = 0;
    int columnLow = 0, columnHigh = 0;

    // Locates both points at z = 0; points past the edge take the last row or column.
    static CellRegion Between(const GridData& grid, const ModelPoint& a, const ModelPoint& b);
    long long Cells() const {
        return static_cast<long long>(rowHigh - rowLow + 1) * (columnHigh - columnLow + 1);
    }
};

} // namespace korva
