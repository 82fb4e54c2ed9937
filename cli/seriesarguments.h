#pragma once
// The --series options of export-series and plot-series: series named by
// CODE:NAME as the output store holds them.
#include "command.h"
#include "files/series/seriescatalog.h"

namespace korva::cli {

// The series named by the --series options, in the display's list order;
// every listed series when there is none. False after a message when a name
// is not among them.
bool ChooseSeries(const GridData& grid, const std::vector<SeriesEntry>& list,
                  const ParsedArguments& parsed, const Command& command, CommandContext& context,
                  std::vector<SeriesEntry>& chosen);

} // namespace korva::cli
