#pragma once
// The part of the model that one edit of a dimension can change: a run of
// neighbouring rows (columns, layers) of every parameter, membership grid and
// the time-series cell grid, with the spacing list of that dimension. An edit
// that splits, subdivides or deletes items inside the run leaves everything
// outside it as it was (only shifted), so putting the run back undoes it.
#include "model/griddata.h"

#include <cstddef>
#include <map>
#include <vector>

namespace korva {

class SliceRange {
public:
    // Keeps items low..high (clamped to the grid) of dimension.
    static SliceRange Capture(const GridData& grid, int dimension, int low, int high);

    // Puts the kept items back in place of what the edit left at their
    // position, and the spacing list as it was.
    void Restore(GridData& grid) const;

    // Whether the dimension looks different now than when captured.
    bool Changed(const GridData& grid) const;

    std::size_t Bytes() const;

private:
    template <class T> using Grid = std::vector<std::vector<std::vector<T>>>;

    int dimension_ = 0;
    int low_ = 0;
    int count_ = 0;
    std::vector<double> spacings_;
    int uniformSpacing_ = 1;
    std::map<int, Grid<double>> parameters_;
    std::vector<std::pair<int, Grid<int32_t>>> boundaries_;
    Grid<OutputParamDataItem> timeSeries_;
};

} // namespace korva
