#pragma once
// The menu and toolbar commands of the charts library: "Print Control",
// "Assign Output Display Parameters" (the time series output control) and
// "Display Output Parameters" (the output time series display).
namespace korva {
class CommandTable;
}

namespace korva::charts {

void RegisterChartCommands(CommandTable& table);

} // namespace korva::charts
