#pragma once
// A project as VTK files for ParaView: the grid with its cell parameters,
// boundaries and time-series cells, and the solver's grid outputs as one file
// per output time gathered in a ".pvd" collection that ParaView animates.
//
// Coordinates are metres: x along the columns from the first column's edge,
// y along the rows with row 0 at the smallest y (as the 3D view draws it), z
// upward from the bottom of the lowest layer, so layer 0 is the top cell
// layer. No Z exaggeration is applied. A cell without data holds NaN.
#include "vtkrectilineargrid.h"

#include <functional>
#include <string>

namespace korva {

class GridData;

// The grid of the project with one cell array per parameter (by its display
// name), one Int32 array per boundary kind ("Drain", ...: the 1-based number
// of the boundary holding the cell, 0 for none) and "Time Series Cells" (how
// many output codes a cell's time-series selection holds). A surface
// parameter holds its values in the top layer's cells and NaN below, so that
// ParaView draws it on the ground instead of repeating it down the column.
// The arrays read grid while the file is written: it must outlive the result.
VtkRectilinearGrid VtkProjectGrid(const GridData& grid);

// The grid at output time timeIndex with one array per grid output quantity
// (by its name, "US SALT CONCENTRATION"); a surface quantity fills the top
// layer's cells.
VtkRectilinearGrid VtkOutputGrid(const GridData& grid, int timeIndex);

// The number of output times the loaded outputs hold (the most of any quantity).
int VtkOutputTimeCount(const GridData& grid);
// Output time timeIndex in days: the day number from 1 January of the
// simulation year, as the solver counts its output times.
double VtkOutputTimeInDays(const GridData& grid, int timeIndex);

struct VtkExportOptions {
    VtkEncoding encoding = VtkEncoding::AppendedRaw;
    bool outputs = false; // also every output time and the ".pvd" collection
    // Called after each file with the number of files written and of files to
    // write, so a window can show how far the export is.
    std::function<void(int written, int total)> progress;
};

// The files an export with outputs writes beside path "dir/name.vtr":
// "dir/name_0001.vtr" for the first output time, and "dir/name.pvd".
std::string VtkOutputStepPath(const std::string& path, int timeIndex);
std::string VtkCollectionPath(const std::string& path);

// Writes the project grid to path and, with options.outputs, the output time
// files and their collection. False, with the file and the system's reason in
// error, at the first file that cannot be written; that file is not left
// half-written under its name.
bool ExportVtk(const GridData& grid, const std::string& path, const VtkExportOptions& options,
               std::string* error = nullptr);

} // namespace korva
