// korva-batch outputs: what a finished run left for a project, read as the
// program reads it after a run: the gridded quantities with their value
// ranges, the output times with their dates and the time series per code.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/output/modeloutput.h"
#include "files/output/modeloutputday.h"
#include "files/output/modeloutputscanner.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

namespace korva::cli {

extern const Command OutputsCommand;

// The project's output base name; a relative one is taken from the project's
// folder, where the run wrote the files. Empty when the project names none.
std::string ResolveOutputBase(const GridData& grid, const std::string& projectPath) {
    if (grid.OutputBaseName().empty()) return {};
    const std::filesystem::path base(grid.OutputBaseName());
    if (base.is_absolute()) return base.string();
    return (std::filesystem::path(projectPath).parent_path() / base).string();
}

namespace {

// The grid dimensions on line 3 of a ".kvo" file; false when the file or the
// line is not there or holds no three integers. Only the head is read: a grid
// file can be large.
bool ReadGridFileDimensions(const std::string& path, long long& rows, long long& columns,
                            long long& layers) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (int n = 0; n < 3; ++n) {
        line.clear();
        char c = 0;
        // Lines of the head are short; a longer one is no head of ours.
        while (in.get(c) && c != '\n' && line.size() < 512)
            line += c;
        if (!in && n < 2) return false;
    }
    std::istringstream numbers(line);
    return static_cast<bool>(numbers >> rows >> columns >> layers);
}

// Why reading the outputs of base stopped, when it stopped at a grid file
// written for other dimensions than the project's (the reader says nothing
// then); empty otherwise.
std::string DescribeDimensionMismatch(const GridData& grid, const std::string& base) {
    std::string text;
    OutputTimeList list;
    {
        CollectingMessageSink quiet; // the reader has spoken already
        ScopedMessageSink scope(quiet);
        if (!ReadWholeFile(OutputTimeListPath(base), text) ||
            !ParseOutputTimeList(text, OutputTimeListPath(base), list))
            return {};
    }
    for (std::size_t k = 1; k <= list.times.size(); ++k) {
        const std::string path = GridOutputPath(base, static_cast<int>(k));
        long long rows = 0, columns = 0, layers = 0;
        if (!ReadGridFileDimensions(path, rows, columns, layers)) return {};
        if (rows != grid.NumRows() || columns != grid.NumColumns() || layers != grid.NumLayers())
            return path + " is for a grid of " + std::to_string(rows) + " rows, " +
                   std::to_string(columns) + " columns and " + std::to_string(layers) +
                   " layers; the project's grid has " + std::to_string(grid.NumRows()) + " rows, " +
                   std::to_string(grid.NumColumns()) + " columns and " +
                   std::to_string(grid.NumLayers()) + " layers";
    }
    return {};
}

} // namespace

bool LoadProjectOutputs(GridData& grid, const std::string& projectPath, const Command& command,
                        CommandContext& context, std::string* basePath) {
    if (!ReadProjectFile(grid, projectPath)) return false;
    const std::string base = ResolveOutputBase(grid, projectPath);
    if (base.empty()) {
        context.err << "korva-batch " << command.name << ": " << projectPath
                    << " names no output base (\"output project base name\"); run it first\n";
        return false;
    }
    if (basePath != nullptr) *basePath = base;
    if (ReadModelOutput(grid, base, grid.NumRows(), grid.NumColumns(), grid.NumLayers()) != 1) {
        const std::string mismatch = DescribeDimensionMismatch(grid, base);
        context.err << "korva-batch " << command.name << ": the outputs of " << base
                    << " could not be read";
        if (!mismatch.empty()) context.err << ": " << mismatch;
        context.err << "\n";
        return false;
    }
    return true;
}

namespace {

std::string RangeText(const KORVAOutputData& output) {
    if (output.minimum == NoDataValue && output.maximum == NoDataValue) return "no values";
    return FormatNumber(output.minimum) + " .. " + FormatNumber(output.maximum);
}

void PrintSeriesList(std::ostream& out, const std::vector<TimeSeriesRecord>& list,
                     const char* what) {
    for (const auto& series : list) {
        out << "    " << what << " \"" << series.name << "\": " << series.x.size() << " values";
        if (!series.x.empty())
            out << ", times " << FormatNumber(series.x.front()) << " .. "
                << FormatNumber(series.x.back());
        out << "\n";
    }
}

int RunOutputs(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, OutputsCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 1)
        return UsageError(OutputsCommand, context, "expected one project file");
    GridData grid;
    std::string base;
    if (!LoadProjectOutputs(grid, parsed.positional[0], OutputsCommand, context, &base))
        return ExitFailure;

    std::ostream& out = context.out;
    const auto& store = grid.Outputs();
    out << "Output base: " << base << "\n";
    // The store keeps dates; the ".day" numbers are shown beside them.
    OutputTimeList list;
    std::string text;
    const bool haveList = ReadWholeFile(OutputTimeListPath(base), text) &&
                          ParseOutputTimeList(text, OutputTimeListPath(base), list);
    if (haveList)
        out << "Run: day " << FormatNumber(list.startDay) << " to " << FormatNumber(list.endDay)
            << "\n";
    else
        out << "Run: no " << OutputTimeListPath(base) << "\n";

    out << "Quantities: " << store.gridOutputs.size() << "\n";
    for (std::size_t q = 0; q < store.gridOutputs.size(); ++q) {
        const auto& output = store.gridOutputs[q];
        out << "  " << q << " \"" << output.name << "\" "
            << (output.kind == 3 ? "per layer" : "surface") << ", range " << RangeText(output);
        if (output.name == "WE WATER TABLE ELEVATION") out << " (depth below the ground, m)";
        out << "\n";
    }
    const std::size_t timeCount =
        store.gridOutputs.empty() ? 0 : store.gridOutputs.front().times.size();
    out << "Times: " << timeCount << "\n";
    for (std::size_t k = 0; k < timeCount; ++k) {
        const auto& time = store.gridOutputs.front().times[k];
        out << "  " << k << " ";
        if (haveList && k < list.times.size()) out << "day " << FormatNumber(list.times[k]) << " ";
        out << time.month << "/" << time.day << "/" << time.year << "\n";
    }
    out << "Series:\n";
    bool anySeries = false;
    for (int code = 0; code < OutputParamCount; ++code) {
        const auto& cells = store.cellSeries[static_cast<std::size_t>(code)];
        const auto& averages = store.averageSeries[static_cast<std::size_t>(code)];
        if (cells.empty() && averages.empty()) continue;
        anySeries = true;
        out << "  " << OutputParam(code).text << " " << OutputParam(code).displayName << ": "
            << cells.size() << " cell series, " << averages.size() << " average series\n";
        PrintSeriesList(out, cells, "cell");
        PrintSeriesList(out, averages, "average");
    }
    if (!anySeries) out << "  none\n";
    if (store.gridOutputs.empty() && !anySeries)
        context.err << "korva-batch outputs: no output files found for " << base << "\n";
    return ExitSuccess;
}

} // namespace

const Command OutputsCommand{
    "outputs", "outputs IN.kvp", "list the solver outputs found for a project",
    "Reads the project IN.kvp and the outputs of its last run, named from its output base\n"
    "name (\"output project base name\"; a relative name is taken from the project's\n"
    "folder): BASE.day, BASE-1.kvo, BASE-2.kvo, ... and BASE_MC.tss ... BASE_SWT.tss.\n"
    "Lists the gridded quantities (0-based position, name, per layer or surface, value\n"
    "range), the output times (0-based position, day number, date) and the time series\n"
    "of each output code. The water-table elevation is listed as the depth of the water\n"
    "table below the ground, as the program shows it.\n\n"
    "Missing files are not an error (a missing grid file is reported and ends the list\n"
    "of times); a malformed file or outputs of another grid size are, with exit status 1.\n",
    RunOutputs};

} // namespace korva::cli
