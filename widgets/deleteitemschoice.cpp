#include "deleteitemschoice.h"

#include <algorithm>
#include <functional>

namespace korva {

std::vector<int> PositionsHighestFirst(std::vector<int> selected) {
    std::sort(selected.begin(), selected.end(), std::greater<>());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    return selected;
}

} // namespace korva
