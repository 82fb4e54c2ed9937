#include "seriesexport.h"

#include "files/numberformat.h"
#include "files/replacefile.h"
#include "model/messages.h"

#include <cmath>
#include <ostream>
#include <sstream>

namespace korva {

double AdvanceOutputTime(double next, double time, double interval) {
    if (!(interval > 0.0)) return next;
    // Far behind (a huge time, a tiny interval): jump close to time at once
    // instead of walking millions of steps.
    constexpr double MaxSteps = 1e6;
    if ((time - next) / interval > MaxSteps)
        next += std::floor((time - next) / interval) * interval;
    while (next < time) {
        double candidate = std::floor(next) + interval;
        if (!(candidate > next)) candidate = next + interval;
        if (!(candidate > next)) return time; // below the resolution of next
        next = candidate;
    }
    return next;
}

void WriteSeriesExport(const GridData& grid, const std::vector<SeriesEntry>& chosen,
                       double interval, std::ostream& out) {
    const int year = grid.Settings().simulationYear;
    for (const SeriesEntry& entry : chosen) {
        const TimeSeriesRecord& series = SeriesRecord(grid, entry);
        out << OutputParam(entry.code).text << " " << series.name << "\n";
        double next = 0.0;
        const std::size_t count = std::min(series.x.size(), series.y.size());
        for (std::size_t i = 0; i < count; ++i) {
            const double time = series.x[i];
            if (next < time) {
                out << "\t" << SeriesDateText(time, year) << "\t"
                    << FormatNumber(time - std::floor(time)) << "\t" << FormatNumber(time) << "\t"
                    << FormatNumber(ShownSeriesValue(entry.code, series.y[i])) << "\n";
            }
            next = AdvanceOutputTime(next, time, interval);
        }
    }
}

bool ExportSeries(const GridData& grid, const std::vector<SeriesEntry>& chosen, double interval,
                  const std::string& path) {
    if (chosen.empty()) return true;
    std::ostringstream text;
    WriteSeriesExport(grid, chosen, interval, text);
    if (!ReplaceFileContents(path, text.str())) {
        ShowMessage("Unable to open " + path);
        return false;
    }
    return true;
}

} // namespace korva
