#pragma once
// The answer of "Choose Items to Delete": the chosen positions from the
// highest to the lowest, so that the caller can delete them one after the
// other without shifting the positions still to come.
#include <vector>

namespace korva {

std::vector<int> PositionsHighestFirst(std::vector<int> selected);

} // namespace korva
