#include "seriesarguments.h"

#include <algorithm>
#include <ostream>

namespace korva::cli {

bool ChooseSeries(const GridData& grid, const std::vector<SeriesEntry>& list,
                  const ParsedArguments& parsed, const Command& command, CommandContext& context,
                  std::vector<SeriesEntry>& chosen) {
    std::vector<const SeriesEntry*> named;
    for (const auto& [option, key] : parsed.values) {
        if (option != "--series") continue;
        const SeriesEntry* entry = FindSeries(grid, list, key);
        if (entry == nullptr) {
            context.err << "korva-batch " << command.name << ": no time series '" << key
                        << "'; 'korva-batch export-series --list' names them\n";
            return false;
        }
        if (std::find(named.begin(), named.end(), entry) == named.end()) named.push_back(entry);
    }
    chosen.clear();
    for (const SeriesEntry& entry : list) {
        if (named.empty() || std::find(named.begin(), named.end(), &entry) != named.end())
            chosen.push_back(entry);
    }
    return true;
}

} // namespace korva::cli
