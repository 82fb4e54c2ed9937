#pragma once
// Writing a cell parameter or a solver output as a tab-separated text grid
// for spreadsheets and GIS programs. The writers take a stream, so the save
// dialog of the desktop program and korva-batch write the same bytes.
#include <iosfwd>
#include <string>

namespace korva {

class GridData;

// "Parameter <name>, L,R,C = L, R, C", then R lines per layer (a surface
// parameter: one block without an empty line after it; a layered one: each
// layer's block followed by an empty line), every value followed by a tab.
// Throws std::out_of_range for a paramIndex outside ParameterOrder.
void WriteParameterExport(const GridData& grid, int paramIndex, std::ostream& out);

// The same for output quantity outputIndex at output time timeIndex, with
// ", date month/day/year" after the name. A per-layer quantity writes every
// layer, a surface quantity its one layer. Throws std::out_of_range for an
// index outside the output store.
void WriteOutputExport(const GridData& grid, int outputIndex, int timeIndex, std::ostream& out);

// Create or truncate path and write the export. False, with a message, when
// the file cannot be created ("Unable to open output export file " + path)
// or not completely written.
bool ExportParameter(const GridData& grid, int paramIndex, const std::string& path);
bool ExportOutputParameter(const GridData& grid, int outputIndex, int timeIndex,
                           const std::string& path);

} // namespace korva
