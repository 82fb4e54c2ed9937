#pragma once
// Reading the solver's results into the output store of a GridData: the
// ".day" list of output times, one ".kvo" grid file per output time and one
// ".tss" series file per output code, all named from the output base path.
#include <functional>
#include <string>

namespace korva {

class GridData;
struct OutputStore;

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

// ReadModelOutput into a store of the caller's, which installs it in the
// model (GridData::InstallOutputs) when it likes: a run reads its results
// this way. base is the output base path; grid gives the simulation year and
// the ground elevation and is not changed.
int ReadModelOutputStore(const GridData& grid, const std::string& base, int rows, int columns,
                         int layers, OutputStore& store, const OutputFileReader& readFile);

// The dates and water-table post-processing of a completed read, on the
// store's grid outputs as read (times still hold the ".day" numbers).
void PostProcessModelOutput(const GridData& grid, OutputStore& store);

} // namespace korva
