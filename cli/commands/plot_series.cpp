// korva-batch plot-series: the chart "Display Graph" draws for one output
// code, written as a PNG, JPEG or SVG picture.
#include "cli/commands/shared.h"
#include "cli/seriesarguments.h"
#include "files/numberformat.h"
#include "model/calendar.h"
#include "model/griddata.h"

#ifdef KORVA_HAVE_CHARTS
#include "chartmodel.h"
#include "charts/graph/graphbuilder.h"
#include "charts/graph/timeseriesgraph.h"
#include "charts/image/chartimageplugin.h"
#include "chartsettingsfile.h"

#include <dlfcn.h>
#endif

#include <filesystem>
#include <ostream>

namespace korva::cli {

extern const Command PlotSeriesCommand;

namespace {

// M/D/YYYY as a day number of the simulation year; false when it is no date.
bool ParseDay(const std::string& text, int simulationYear, int& day) {
    long long parts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? text.find('/', start) : text.size();
        if (end == std::string::npos) return false;
        if (!ParseInt(std::string_view(text).substr(start, end - start), parts[i]) ||
            parts[i] < 0 || parts[i] > 100000)
            return false;
        start = end + 1;
    }
    day = DateToDayNumber(static_cast<int>(parts[1]), static_cast<int>(parts[0]),
                          static_cast<int>(parts[2]), simulationYear);
    return day >= 0;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    long long w = 0, h = 0;
    if (x == std::string::npos || !ParseInt(std::string_view(text).substr(0, x), w) ||
        !ParseInt(std::string_view(text).substr(x + 1), h) || w < 1 || w > 8192 || h < 1 ||
        h > 8192)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

#ifdef KORVA_HAVE_CHARTS
// The chart picture module beside the tool; it holds the Qt drawing code.
korva_chartimage_write_fn LoadChartImageModule(const std::string& programFolder,
                                               std::string& reason) {
    const std::string path = programFolder + KORVA_CHARTIMAGE_LIBRARY;
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        reason = "cannot load the chart module " + path + ": " + ::dlerror();
        return nullptr;
    }
    // The module stays loaded for the rest of the process: Qt keeps state in it.
    auto write =
        reinterpret_cast<korva_chartimage_write_fn>(::dlsym(module, KORVA_CHARTIMAGE_WRITE));
    if (write == nullptr) reason = path + " has no " KORVA_CHARTIMAGE_WRITE;
    return write;
}
#endif

int RunPlotSeries(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {"--from", "--to", "--size", "--series"}, parsed,
                        PlotSeriesCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 2)
        return UsageError(PlotSeriesCommand, context, "expected a project and a picture file");
    int width = 800, height = 600;
    if (const std::string* size = parsed.Value("--size"); size && !ParseSize(*size, width, height))
        return UsageError(PlotSeriesCommand, context,
                          "--size must be WIDTHxHEIGHT, each 1 to 8192, not '" + *size + "'");
    const std::string& out = parsed.positional[1];
    const std::string ext = std::filesystem::path(out).extension().string();
    if (ext != ".png" && ext != ".jpg" && ext != ".jpeg" && ext != ".svg" && ext != ".PNG" &&
        ext != ".JPG" && ext != ".JPEG" && ext != ".SVG")
        return UsageError(PlotSeriesCommand, context,
                          "the picture file must end in .png, .jpg or .svg: " + out);
#ifndef KORVA_HAVE_CHARTS
    context.err << "korva-batch plot-series: this korva-batch was built without the chart "
                   "engine\n";
    return ExitFailure;
#else
    StreamMessageSink sink(context.err);
    ScopedMessageSink scope(sink);
    GridData grid;
    const std::string& project = parsed.positional[0];
    if (!LoadProjectOutputs(grid, project, PlotSeriesCommand, context, nullptr)) return ExitFailure;
    const int year = grid.Settings().simulationYear;
    int from = grid.Settings().simulationStart;
    int to = grid.Settings().simulationEnd;
    for (const char* option : {"--from", "--to"}) {
        const std::string* text = parsed.Value(option);
        if (text == nullptr) continue;
        int day = 0;
        if (!ParseDay(*text, year, day) || day < grid.Settings().simulationStart ||
            day > grid.Settings().simulationEnd) {
            context.err << "korva-batch plot-series: " << option << " " << *text
                        << " is not a day of the output period "
                        << SeriesDateText(grid.Settings().simulationStart, year) << " to "
                        << SeriesDateText(grid.Settings().simulationEnd, year) << "\n";
            return ExitFailure;
        }
        (std::string(option) == "--from" ? from : to) = day;
    }
    if (from > to) {
        context.err << "korva-batch plot-series: --from is after --to\n";
        return ExitFailure;
    }

    const std::vector<SeriesEntry> list = ListTimeSeries(grid);
    std::vector<SeriesEntry> chosen;
    if (!ChooseSeries(grid, list, parsed, PlotSeriesCommand, context, chosen)) return ExitFailure;
    if (parsed.Value("--series") == nullptr) {
        // Every cell series of the first code that has any.
        std::erase_if(chosen, [&](const SeriesEntry& e) { return e.code != chosen.front().code; });
    }
    if (chosen.empty()) {
        context.err << "korva-batch plot-series: the outputs hold no time series; nothing drawn\n";
        return ExitFailure;
    }
    for (const SeriesEntry& entry : chosen) {
        if (entry.code != chosen.front().code) {
            context.err << "korva-batch plot-series: the series of one chart must share one "
                           "output code; "
                        << SeriesKey(grid, chosen.front()) << " and " << SeriesKey(grid, entry)
                        << " do not\n";
            return ExitFailure;
        }
    }
    std::string problem;
    std::vector<charts::GraphData> graphs =
        charts::MakeTimeSeriesGraphs(grid, chosen, from, to, &problem);
    if (graphs.empty()) {
        context.err << "korva-batch plot-series: " << problem << "\n";
        return ExitFailure;
    }

    std::string settings;
    try {
        plot::ChartModel chart;
        for (const auto& [name, value] : {std::pair{"Width", width}, std::pair{"Height", height}}) {
            const plot::PropertyInfo* info = plot::FindProperty(name);
            chart.Set(*info, std::nullopt,
                      plot::ConvertToType(static_cast<int32_t>(value), info->type));
        }
        charts::GraphData& graph = graphs.front();
        graph.virtualSize = {width, height};
        charts::GraphHost host;
        host.message = [&](const std::string& text) { context.err << text << "\n"; };
        const std::string folder = std::filesystem::path(project).parent_path().string();
        host.settingsFolder = folder.empty() ? std::string() : folder + "/";
        charts::GraphBuilder(graph, chart, host).Build();
        settings = plot::ChartSettingsText(chart);
    } catch (const plot::ChartError& e) {
        context.err << "korva-batch plot-series: " << e.what() << "\n";
        return ExitFailure;
    }
    std::string reason;
    korva_chartimage_write_fn write = LoadChartImageModule(context.programFolder, reason);
    if (write == nullptr) {
        context.err << "korva-batch plot-series: " << reason << "\n";
        return ExitFailure;
    }
    char error[1024] = {0};
    if (write(settings.data(), settings.size(), width, height, out.c_str(), error, sizeof error) !=
        0) {
        context.err << "korva-batch plot-series: " << error << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
#endif
}

} // namespace

const Command PlotSeriesCommand{
    "plot-series",
    "plot-series [--from M/D/YYYY] [--to M/D/YYYY] [--size WxH] [--series CODE:NAME]... IN.kvp "
    "OUT.png|OUT.jpg|OUT.svg",
    "draw the time-series chart of one output code as a picture",
    "Reads the project IN.kvp and the outputs of its last run and draws the chart the\n"
    "program's \"Display Graph\" draws for one output code: the chosen series (--series\n"
    "CODE:NAME, as 'export-series --list' names them; all of one code) or every cell\n"
    "series of the first code that has any, from day --from to day --to (default: the\n"
    "whole output period), WIDTH x HEIGHT pixels (default 800x600). The picture's format\n"
    "follows the extension; the file is replaced only once it is complete. A chart\n"
    "settings file timeSeriesOutput.pxp beside the project is applied as the program does.\n",
    RunPlotSeries};

} // namespace korva::cli
