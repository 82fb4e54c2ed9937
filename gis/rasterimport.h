#pragma once
// Filling a cell parameter from a raster band read onto the grid, by the
// rules of the text grid import: the chosen layer and every layer below it,
// the raster's first row as the grid's last unless told otherwise.
#include "rasterband.h"

#include <cstddef>

namespace korva {

class GridData;
class UndoRecord;

// Stores band (read onto the grid's rows x columns) into parameter paramIndex
// (a position in ParameterOrder) in layer and every layer below; a surface
// parameter has its one layer. A cell whose value is the band's nodata value
// keeps what it had. The value range is recomputed once at the end. Returns
// how many cells were set. Throws std::invalid_argument for a paramIndex or
// layer outside the model, or a band of another size than the grid. Given
// undo, the record keeps what the import changed, so it can be undone.
std::size_t ImportRasterValues(GridData& grid, int paramIndex, const RasterBand& band,
                               bool reverseRows, int layer, UndoRecord* undo = nullptr);

} // namespace korva
