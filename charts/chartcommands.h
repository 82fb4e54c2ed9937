#pragma once
// The menu and toolbar commands of the charts library: "Print Control",
// "Assign Output Display Parameters" (the time series output control),
// "Change parameter colors." (the output parameters dialog) and "Display
// Output Parameters" (the output time series display).
namespace korva {
class CommandTable;
class GridData;
} // namespace korva

namespace korva::charts {

void RegisterChartCommands(CommandTable& table);

// "Change parameter colors." needs output quantities in the output store;
// "Display output parameters at a cell." needs a time series of at least one
// output parameter, per cell or for the whole grid.
bool HasOutputQuantities(const GridData& grid);
bool HasTimeSeries(const GridData& grid);

} // namespace korva::charts
