#pragma once
// The texts of the eight files of the input set, each built in one buffer so
// that a file is written with a single call. The main file grows with the
// grid: given a spill, it hands over its text a line at a time once the
// text is large, so a large grid's file is never whole in memory.
#include <functional>
#include <string>

namespace korva {

class GridData;

// Takes the text built so far (writes it out) and leaves it empty.
using TextSpill = std::function<void(std::string&)>;

// ".kvi"
void AppendMainFile(const GridData& grid, std::string& out);
void AppendMainFile(const GridData& grid, std::string& out, const TextSpill& spill);
void AppendIrrigationFile(const GridData& grid, std::string& out);   // ".irr"
void AppendTimeSeriesFile(const GridData& grid, std::string& out);   // ".tsi"
void AppendMethodFile(const GridData& grid, std::string& out);       // ".psn"
void AppendConnectivityFile(const GridData& grid, std::string& out); // ".drn"
// Shows the two ET warnings, each at most once.
void AppendDailyETFile(const GridData& grid, std::string& out); // ".ets"
void AppendYieldFile(const GridData& grid, std::string& out);   // ".yld"
void AppendPrintFile(const GridData& grid, std::string& out);   // ".prn"

} // namespace korva
