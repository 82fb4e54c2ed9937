#pragma once
// A model with a few cell series in its output store, as a run leaves them.
#include "model/griddata.h"

#include <string>
#include <vector>

namespace korva::testing {

inline TimeSeriesRecord Series(const std::string& name, std::vector<double> x,
                               std::vector<double> y) {
    TimeSeriesRecord r;
    r.name = name;
    r.x = std::move(x);
    r.y = std::move(y);
    return r;
}

inline void AddSeries(GridData& grid, int code, TimeSeriesRecord series) {
    ReaderContents(grid).outputs.cellSeries[static_cast<std::size_t>(code)].push_back(
        std::move(series));
}

} // namespace korva::testing
