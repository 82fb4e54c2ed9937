// korva-batch export-series: the time series of a run as the tab-delimited
// text the output display writes ("Write to tab-delimited file using
// timestep:").
#include "cli/commands/shared.h"
#include "cli/seriesarguments.h"
#include "files/numberformat.h"
#include "files/series/seriesexport.h"
#include "model/griddata.h"

#include <cmath>
#include <ostream>

namespace korva::cli {

extern const Command ExportSeriesCommand;

namespace {

int RunExportSeries(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--list"}, {"--interval", "--series"}, parsed, ExportSeriesCommand,
                        context))
        return ExitUsage;
    const bool listOnly = parsed.Has("--list");
    if (listOnly ? (parsed.positional.empty() || parsed.positional.size() > 2)
                 : parsed.positional.size() != 2)
        return UsageError(ExportSeriesCommand, context,
                          listOnly ? "expected a project"
                                   : "expected a project and an output file");
    double interval = 1.0;
    if (const std::string* text = parsed.Value("--interval")) {
        if (!ParseDouble(*text, interval) || !std::isfinite(interval))
            return UsageError(ExportSeriesCommand, context,
                              "--interval must be a number of days, not '" + *text + "'");
    }

    StreamMessageSink sink(context.err);
    ScopedMessageSink scope(sink);
    GridData grid;
    if (!LoadProjectOutputs(grid, parsed.positional[0], ExportSeriesCommand, context, nullptr))
        return ExitFailure;
    const std::vector<SeriesEntry> list = ListTimeSeries(grid);
    if (listOnly) {
        for (const SeriesEntry& entry : list)
            context.out << SeriesKey(grid, entry) << "\t" << entry.text << "\n";
        return ExitSuccess;
    }
    std::vector<SeriesEntry> chosen;
    if (!ChooseSeries(grid, list, parsed, ExportSeriesCommand, context, chosen)) return ExitFailure;
    if (chosen.empty()) {
        context.err << "korva-batch export-series: the outputs hold no time series; nothing "
                       "written\n";
        return ExitFailure;
    }
    return ExportSeries(grid, chosen, interval, parsed.positional[1]) ? ExitSuccess : ExitFailure;
}

} // namespace

const Command ExportSeriesCommand{
    "export-series",
    "export-series [--list] [--interval DAYS] [--series CODE:NAME]... IN.kvp OUT.txt",
    "write the time series of a run as tab-delimited text",
    "Reads the project IN.kvp and the outputs of its last run and writes time series to\n"
    "OUT.txt as the program's \"Write to tab-delimited file using timestep:\" does: for\n"
    "each series a line \"CODE NAME\", then one line per written sample: a tab, the date\n"
    "M/D/YYYY, a tab, the fraction of the day, a tab, the time in days, a tab and the\n"
    "value (the depth to the water table negated). A sample is written when it is past\n"
    "the next output time, which starts at 0 and steps by DAYS (default 1; 0 writes\n"
    "every sample).\n\n"
    "--series CODE:NAME chooses a series by its output code and the name the outputs\n"
    "give it (MC:_x5y4z0); without it every series is written, in the program's list\n"
    "order. --list prints instead one line per series: CODE:NAME, a tab and the text\n"
    "the program's list shows. The file is replaced only once it is complete.\n",
    RunExportSeries};

} // namespace korva::cli
