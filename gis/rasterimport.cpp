#include "rasterimport.h"

#include "model/griddata.h"

#include <stdexcept>
#include <string>

namespace korva {

std::size_t ImportRasterValues(GridData& grid, int paramIndex, const RasterBand& band,
                               bool reverseRows, int layer, UndoRecord* undo) {
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
    // The values go into a working copy that replaces the parameter as one
    // edit, so the import is one step to undo.
    Grid3D<double> values = grid.Parameter(paramIndex).values;
    std::size_t count = 0;
    for (int r = 0; r < rows; ++r) {
        const int row = reverseRows ? rows - 1 - r : r;
        for (int c = 0; c < columns; ++c) {
            const double value =
                band.values[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                            static_cast<std::size_t>(c)];
            if (band.IsNoData(value)) continue;
            for (int k = layer; k < values.Layers(); ++k)
                values.At(k, row, c) = value;
            ++count;
        }
    }
    if (count > 0) grid.SetParameterValues(paramIndex, std::move(values), undo);
    return count;
}

} // namespace korva
