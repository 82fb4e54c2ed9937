#pragma once
// Reading the solver's results into the output store of a GridData: the
// ".day" list of output times, one ".kvo" grid file per output time and one
// ".tss" series file per output code, all named from the output base path.
#include <functional>
#include <string>

namespace korva {

class GridData;

// base + ".day"
std::string OutputTimeListPath(const std::string& base);
// base + "-" + k + ".kvo", k counted from 1
std::string GridOutputPath(const std::string& base, int k);
// base + "_" + the code's text + ".tss" (base_MC.tss for code 0)
std::string TimeSeriesPath(const std::string& base, int code);

// Reads the outputs of base path (the project's OutputBaseName when empty; a
// given path replaces OutputBaseName) for a grid of rows x columns x layers.
// Returns 1 when reading completed, missing files included, and 0 when it
// stopped at a format error or a dimension mismatch or no base path is known.
// On 1 the output times carry their dates and the water-table elevation has
// become the depth of the water table below the ground.
int ReadModelOutput(GridData& grid, const std::string& basePath, int rows, int columns, int layers);

// Where the reading gets a file's whole text; false when it cannot be opened.
using OutputFileReader = std::function<bool(const std::string& path, std::string& text)>;
// ReadModelOutput over another source of files (tests, fuzzing).
int ReadModelOutput(GridData& grid, const std::string& basePath, int rows, int columns, int layers,
                    const OutputFileReader& readFile);

// The dates and water-table post-processing of a completed read, on the
// store's grid outputs as read (times still hold the ".day" numbers).
void PostProcessModelOutput(GridData& grid);

} // namespace korva
