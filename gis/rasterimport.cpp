#include "rasterimport.h"

#include "model/griddata.h"

#include <stdexcept>
#include <string>

namespace korva {

std::size_t ImportRasterValues(GridData& grid, int paramIndex, const RasterBand& band,
                               bool reverseRows, int layer) {
    if (paramIndex < 0 || paramIndex >= grid.ParameterCount())
        throw std::invalid_argument("no parameter at position " + std::to_string(paramIndex));
    const bool surface = grid.Parameter(paramIndex).IsSurface();
    if (!surface && (layer < 0 || layer >= grid.NumLayers()))
        throw std::invalid_argument("no layer " + std::to_string(layer + 1));
    const int rows = grid.NumRows();
    const int columns = grid.NumColumns();
    if (band.rows != rows || band.columns != columns ||
        band.values.size() != static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns))
        throw std::invalid_argument("the band was not read onto this grid");
    if (surface) layer = 0;
    std::size_t count = 0;
    for (int r = 0; r < rows; ++r) {
        const int row = reverseRows ? rows - 1 - r : r;
        for (int c = 0; c < columns; ++c) {
            const double value =
                band.values[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                            static_cast<std::size_t>(c)];
            if (band.IsNoData(value)) continue;
            grid.SetValue(paramIndex, layer, row, c, value, false, true);
            ++count;
        }
    }
    grid.RecomputeRange(paramIndex);
    return count;
}

} // namespace korva
