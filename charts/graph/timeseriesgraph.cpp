#include "timeseriesgraph.h"

#include "model/calendar.h"

#include <algorithm>
#include <cstdio>

namespace korva::charts {

int SeriesLabelStep(int fromDay, int toDay, int* days) {
    long long n = static_cast<long long>(toDay) - fromDay + 1;
    int step = 1;
    while (n > 120) {
        n /= 2;
        step *= 2;
    }
    if (days != nullptr) *days = static_cast<int>(n);
    return step;
}

std::string SeriesUnitText(int code) {
    switch (code) {
    case 0:
    case 1:
        return "fraction";
    case 2:
    case 13:
        return "dS/m";
    case 3:
    case 4:
        return "cm";
    case 5:
        return "mm";
    case 6:
        return "m/day";
    case 7:
    case 8:
        return "m^3/day";
    default:
        return "M"; // water table, its depth, root growth: metres; relative yield
    }
}

std::string GraphDateText(int dayNumber, int simulationYear) {
    const CalendarDate date = DayNumberToDate(dayNumber, simulationYear);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", date.year, date.month, date.day);
    return buffer;
}

namespace {

// The output base name without its folder: a run started with a full path
// stores the path, which would crowd the graph title.
std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<GraphData> MakeTimeSeriesGraphs(const GridData& grid,
                                            const std::vector<SeriesEntry>& chosen, int fromDay,
                                            int toDay, std::string* problem) {
    std::vector<GraphData> graphs;
    if (chosen.empty()) return graphs;
    // The sample positions, taken once from the first chosen series.
    const TimeSeriesRecord& first = SeriesRecord(grid, chosen.front());
    std::size_t firstIndex = 0;
    int points = 0;
    const std::size_t samples = std::min(first.x.size(), first.y.size());
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = first.x[i];
        if (t >= fromDay && t <= toDay) {
            if (points == 0) firstIndex = i;
            ++points;
        }
    }
    if (points == 0) {
        if (problem != nullptr)
            *problem = "The series " + first.name + " has no values from " +
                       SeriesDateText(fromDay, grid.Settings().simulationYear) + " to " +
                       SeriesDateText(toDay, grid.Settings().simulationYear) + ".";
        return graphs;
    }
    int days = 0;
    const int step = SeriesLabelStep(fromDay, toDay, &days);
    char increment[32];
    std::snprintf(increment, sizeof increment, "0000:00:%02d", step);

    for (int code = 0; code < OutputParamCount; ++code) {
        std::vector<const SeriesEntry*> ofCode;
        for (const SeriesEntry& entry : chosen)
            if (entry.code == code) ofCode.push_back(&entry);
        if (ofCode.empty()) continue;
        const OutputParamInfo& info = OutputParam(code);
        GraphData graph;
        graph.SetData(1, static_cast<int>(ofCode.size()), points, points, 0, false, true);
        graph.SetTitles(std::string(info.displayName) + " for " + BaseName(grid.OutputBaseName()),
                        "Time", SeriesUnitText(code), "Time Series Output", "timeSeriesOutput");
        graph.xPresets = {static_cast<double>(fromDay), static_cast<double>(toDay)};
        graph.xTicks = days - 1;
        graph.yRangeMode = 1;
        graph.labelStyle = 0;
        graph.dateStart = GraphDateText(fromDay, grid.Settings().simulationYear);
        graph.dateIncrement = increment;
        for (std::size_t k = 0; k < ofCode.size(); ++k) {
            const TimeSeriesRecord& series = SeriesRecord(grid, *ofCode[k]);
            graph.legends[k] = std::string(info.text) + " " + series.name;
            const std::size_t count = std::min(series.x.size(), series.y.size());
            for (int p = 0; p < points; ++p) {
                const auto pi = static_cast<std::size_t>(p);
                std::size_t i = firstIndex + pi;
                if (count == 0) {
                    graph.x[0][k][pi] = first.x[firstIndex + pi];
                    graph.y[0][k][pi] = 0.0;
                    continue;
                }
                if (i >= count) i = count - 1;
                graph.x[0][k][pi] = series.x[i];
                graph.y[0][k][pi] = ShownSeriesValue(code, series.y[i]);
            }
        }
        graphs.push_back(std::move(graph));
    }
    return graphs;
}

} // namespace korva::charts
