#pragma once
// Filling cell data from plain text grids of numbers (spreadsheet and GIS
// exports): a cell parameter from values, a "No Flow" boundary from
// elevations. The file is read by the same rules whether the desktop program
// or korva-batch starts the import.
#include "model/parameterdata.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace korva {

class GridData;
class UndoRecord;

// The order of the values in the file.
enum ImportFormat {
    ColumnRowFormat = 0, // "Column, Row": column by column, each column row by row
    RowColumnFormat = 1, // "Row, Column": row by row, each row column by column
};

// The choices of the "Import Settings" dialog, with its defaults. They read an
// ESRI ASCII grid as GIS programs write it: six header lines, then the rows
// from north to south, which are the grid's rows from last to first.
struct ImportSettings {
    int linesToSkip = 6;
    int format = RowColumnFormat;
    bool reverseRows = true;
    double noDataValue = NoDataValue; // a value equal to it becomes NoDataValue
    int layer = 0;                    // 0-based; the boundary import has no layer
};

// Skips linesToSkip lines, then reads rows x columns numbers in format and
// row direction into parameter paramIndex (a position in ParameterOrder):
// layer and every layer below. Numbers are separated by white space, commas
// directly after a number are skipped. Reading stops silently at the end of
// the input or at text that is not a number; the cells not reached keep their
// values. The value range is recomputed once at the end. Returns how many
// values were stored. Throws std::invalid_argument for a paramIndex or layer
// outside the model. The import is one edit of the model; undo, when given,
// receives what undoes it.
std::size_t ImportParameterValues(GridData& grid, int paramIndex, std::istream& in, int format,
                                  int linesToSkip, bool reverseRows, double noDataValue, int layer,
                                  UndoRecord* undo = nullptr);
std::size_t ImportParameterValues(GridData& grid, int paramIndex, std::istream& in,
                                  const ImportSettings& settings, UndoRecord* undo = nullptr);

// Reads rows x columns elevations in metres the same way. For the "No Flow"
// kind each cell is marked with marker from the layer holding the elevation
// (counted up from the bottom) down to the bottom layer; a cell whose value
// equals noDataValue is left as it is. Other kinds read the values and
// ignore them. Returns how many values were read. Throws std::invalid_argument
// for a boundary type outside 0..5.
std::size_t ImportBoundaryElevations(GridData& grid, int boundaryType, int marker, std::istream& in,
                                     int format, int linesToSkip, bool reverseRows,
                                     double noDataValue, UndoRecord* undo = nullptr);
std::size_t ImportBoundaryElevations(GridData& grid, int boundaryType, int marker, std::istream& in,
                                     const ImportSettings& settings, UndoRecord* undo = nullptr);

// The same from a file, read as a stream and never past what a text grid of
// this model can take up. False, with "Unable to open file " + path +
// " for reading." shown, when it cannot be opened, and with a message naming
// the file when its header lines do not end within that size (a device such
// as /dev/zero) or memory runs out; the model is then unchanged.
bool ImportParameterFile(GridData& grid, int paramIndex, const std::string& path,
                         const ImportSettings& settings, std::size_t* valuesRead = nullptr,
                         UndoRecord* undo = nullptr);
bool ImportBoundaryFile(GridData& grid, int boundaryType, int marker, const std::string& path,
                        const ImportSettings& settings, std::size_t* valuesRead = nullptr,
                        UndoRecord* undo = nullptr);

} // namespace korva
