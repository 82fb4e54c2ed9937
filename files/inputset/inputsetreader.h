#pragma once
// The readers of the eight files of the input set. Each reads its file from a
// scanner into a model that ReadModelInputFiles discards when anything fails,
// and raises InputError (GenericError for a drain the set does not have).
#include <vector>

namespace korva {

class GridData;
class InputSetScanner;
struct InputSetExtras;

// Day numbers further than this from 1 January of the simulation year (about
// 100000 years), and years further than MaxSimulationYear from year 0, are
// damaged values, not dates.
constexpr long long MaxDayNumber = 36'600'000;
constexpr long long MaxSimulationYear = 100'000;
// More boundaries of one kind than any project can show in its lists.
constexpr long long MaxBoundariesPerKind = 100'000;

// Replaces grid, parameters, boundaries and settings of grid with those of the
// ".kvi" file; grid.ModelKind chooses the layout.
void ReadMainFile(GridData& grid, InputSetScanner& in);
void ReadIrrigationFile(GridData& grid, InputSetScanner& in);
void ReadTimeSeriesFile(GridData& grid, InputSetScanner& in);
void ReadMethodFile(GridData& grid, InputSetScanner& in);
void ReadConnectivityFile(GridData& grid, InputSetScanner& in);
void ReadDailyETFile(GridData& grid, InputSetScanner& in, std::vector<double>& runDailyET);
void ReadYieldFile(GridData& grid, InputSetScanner& in);
void ReadPrintFile(GridData& grid, InputSetScanner& in);

} // namespace korva
