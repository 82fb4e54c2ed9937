#pragma once
// The solver's input file set: eight plain-text files that share one base
// path (".kvi", ".irr", ".tsi", ".psn", ".drn", ".ets", ".yld", ".prn"). The
// solver reads them in a fixed order with no labels, so order, counts and line
// breaks are the whole contract. The set does not record the model kind: both
// directions use the GridData's current ModelKind (0 = 2D, 1 = 3D).
#include <array>
#include <string>
#include <vector>

namespace korva {

class GridData;

// The extensions of the set, in the order the files are written and read.
inline constexpr std::array<const char*, 8> InputSetExtensions = {".kvi", ".irr", ".tsi", ".psn",
                                                                  ".drn", ".ets", ".yld", ".prn"};

// Writes the eight files basePath + extension. A file that cannot be opened
// shows "Error opening <base>.<ext> for writing." and stops the writing (files
// already written stay); the ET warnings of ".ets" are shown but do not stop
// it. Returns true when all eight were written. The model is not changed.
bool WriteModelInputFiles(const GridData& grid, const std::string& basePath);

// What a set carries that a GridData has no place for.
struct InputSetExtras {
    // The ".ets" values, one per simulated day from the start day to the end
    // day - 1. GridData keeps daily ET only for its own ET period, so a model
    // without a daily ET list would otherwise lose them (the solvers need them).
    std::vector<double> runDailyET;
};

// Reads the eight files into grid, replacing the grid, parameters, boundaries,
// settings, irrigation, yield data, drain connectivity, output selection and
// print dates. Crops, the ET period and the output store are kept; daily ET
// values return into the existing daily ET list (day by day), and all of them
// into extras when given. On any failure a message is shown, grid is left
// exactly as it was and the result is false.
bool ReadModelInputFiles(GridData& grid, const std::string& basePath,
                         InputSetExtras* extras = nullptr);

} // namespace korva
