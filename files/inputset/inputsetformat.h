#pragma once
// Rules that the input set's writer and reader share, so the two can never
// disagree on what a line holds.
#include "files/numberformat.h"
#include "model/boundarydata.h"
#include "model/membershipgrid.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

namespace korva {

class GridData;

// The parameter codes the ".kvi" file carries, one line each, in file order:
// 0..20 for the 2D model; for the 3D model the 3D list, in which "Irrigation
// Weight" and "Soil Leaching Efficiency" always come last.
const std::vector<int>& InputSetParameterCodes(int modelKind);

// Whether a parameter of the set holds one value per surface cell: every
// parameter of the 2D model, all but horizontal conductivity, the aquifer's
// initial salt and the initial moisture in the 3D model.
bool InputSetParameterIsSurface(int modelKind, int code);

// Layers of a boundary kind's grid in the set: the 3D model writes every
// layer for all kinds but Basin; Basin, and every kind of the 2D model, only
// layer 0.
int InputSetBoundaryLayers(const GridData& grid, int type);

// A cell's membership value, 0 where the grid does not reach (a record whose
// grid is smaller than the model must not make the writer read past it).
int32_t MembershipAt(const MembershipGrid& cells, int layer, int row, int col);

// The solver's codes for natural-boundary and No Flow cells.
constexpr int32_t NaturalBoundaryCode = 1;
constexpr int32_t NoFlowCode = 99;

// Where the three values of the last ".psn" line come from for a root
// extraction method: for each value the 0-based position within the method's
// five parameters, or -1 for a constant 0. Methods 0, 1 and 8 (and any other
// number) write three zeros.
std::array<int, 3> RootExtractionLastLine(int method);

inline void AppendInteger(std::string& out, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Each value followed by a space, as the cell grids are written.
inline void AppendTrailed(std::string& out, double value) {
    AppendNumber(out, value);
    out += ' ';
}
inline void AppendTrailedInteger(std::string& out, long long value) {
    AppendInteger(out, value);
    out += ' ';
}

} // namespace korva
