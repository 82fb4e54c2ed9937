#include "files/inputset/inputsetboundarycodes.h"

#include "files/inputset/inputsetformat.h"
#include "model/griddata.h"

namespace korva {

BoundaryCodeGrid BuildBoundaryCodeGrid(const GridData& grid) {
    BoundaryCodeGrid result;
    result.layers = grid.ModelKind() == 0 ? 1 : grid.NumLayers();
    result.rows = grid.NumRows();
    result.columns = grid.NumColumns();
    result.codes.assign(static_cast<size_t>(result.layers) * static_cast<size_t>(result.rows) *
                            static_cast<size_t>(result.columns),
                        0);
    const MembershipGrid& natural = grid.Memberships(NaturalBoundaryType);
    const MembershipGrid& noFlow = grid.Memberships(NoFlowType);
    // Two passes in this order, so that No Flow overrides a natural boundary.
    size_t i = 0;
    for (int l = 0; l < result.layers; ++l)
        for (int r = 0; r < result.rows; ++r)
            for (int c = 0; c < result.columns; ++c, ++i)
                if (MembershipAt(natural, l, r, c) != 0) result.codes[i] = NaturalBoundaryCode;
    i = 0;
    for (int l = 0; l < result.layers; ++l)
        for (int r = 0; r < result.rows; ++r)
            for (int c = 0; c < result.columns; ++c, ++i)
                if (MembershipAt(noFlow, l, r, c) != 0) result.codes[i] = NoFlowCode;
    return result;
}

} // namespace korva
