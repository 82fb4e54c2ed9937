#pragma once
// The texts of the eight files of the input set, each built in one buffer so
// that a file is written with a single call.
#include <string>

namespace korva {

class GridData;

void AppendMainFile(const GridData& grid, std::string& out);         // ".kvi"
void AppendIrrigationFile(const GridData& grid, std::string& out);   // ".irr"
void AppendTimeSeriesFile(const GridData& grid, std::string& out);   // ".tsi"
void AppendMethodFile(const GridData& grid, std::string& out);       // ".psn"
void AppendConnectivityFile(const GridData& grid, std::string& out); // ".drn"
// Shows the two ET warnings, each at most once.
void AppendDailyETFile(const GridData& grid, std::string& out); // ".ets"
void AppendYieldFile(const GridData& grid, std::string& out);   // ".yld"
void AppendPrintFile(const GridData& grid, std::string& out);   // ".prn"

} // namespace korva
