#pragma once
// The status-bar text for the cell under the pointer in a 2D mode: where it
// is (1-based layer, row and column) and, where the mode shows a parameter or
// an output, that cell's value.
#include "viewsettings.h"

#include <optional>
#include <string>

namespace korva {

// cell: 0-based, as LocateCell found it under the pointer. nullopt means the
// status stays as it was.
std::optional<std::string> HoverText(const GridData& grid, const ViewSettings& settings, int layer,
                                     int row, int column);

} // namespace korva
