#include "outputstore.h"

namespace korva {

bool OutputStore::Empty() const {
    if (!gridOutputs.empty()) return false;
    for (const auto& series : cellSeries)
        if (!series.empty()) return false;
    for (const auto& series : averageSeries)
        if (!series.empty()) return false;
    return true;
}

void OutputStore::Clear() {
    gridOutputs.clear();
    for (auto& series : cellSeries)
        series.clear();
    for (auto& series : averageSeries)
        series.clear();
}

} // namespace korva
