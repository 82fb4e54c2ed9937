// The seven companion files of the input set: irrigation, time-series cells,
// method choices, drain connectivity, daily ET, yield data and print dates.
#include "files/inputset/inputsetformat.h"
#include "files/inputset/inputsetwriter.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <algorithm>
#include <string>

namespace korva {
namespace {

template <typename Value, typename Append>
void AppendSeparated(std::string& out, const std::vector<Value>& items, Append append) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (i != 0) out += ' ';
        append(items[i]);
    }
    out += '\n';
}

double EntryOr0(const std::vector<double>& list, size_t index) {
    return index < list.size() ? list[index] : 0.0;
}

bool IsKnownOutputCode(int32_t code) {
    return code >= 0 && code < OutputParamCount;
}

template <typename Array> auto MethodEntry(const Array& table, int method) {
    // A method number outside its list (from a damaged project) must not read
    // past the table; the constants of method 0 stand in.
    const bool inside = method >= 0 && static_cast<size_t>(method) < table.size();
    return table[inside ? static_cast<size_t>(method) : 0];
}

} // namespace

void AppendIrrigationFile(const GridData& grid, std::string& out) {
    const int basins = grid.Contents().boundaries[BasinType].Count();
    const int year = grid.Settings().simulationYear;
    static const IrrigationData none;
    for (int b = 0; b < basins; ++b) {
        const IrrigationData& items =
            static_cast<size_t>(b) < grid.Irrigation().size() ? grid.Irrigation()[b] : none;
        AppendInteger(out, static_cast<long long>(items.size()));
        out += '\n';
        AppendSeparated(out, items, [&](const IrrigationDataItem& item) {
            AppendInteger(out, DateToDayNumber(item.day, item.month, item.year, year));
        });
        AppendSeparated(out, items,
                        [&](const IrrigationDataItem& item) { AppendNumber(out, item.amount); });
        AppendSeparated(out, items, [&](const IrrigationDataItem& item) {
            AppendNumber(out, item.saltConcentration);
        });
    }
}

void AppendTimeSeriesFile(const GridData& grid, std::string& out) {
    // Only cells inside the grid and codes of the output table can reach the
    // solver; the count is that of the lines actually written.
    std::string lines;
    long long count = 0;
    grid.TimeSeriesCellGrid().ForEach([&](const SelectionGrid::Cell& cell) {
        for (int32_t code : cell.codes) {
            if (!IsKnownOutputCode(code)) continue;
            lines += OutputParam(code).text;
            lines += ' ';
            AppendInteger(lines, static_cast<long long>(cell.row));
            lines += ' ';
            AppendInteger(lines, static_cast<long long>(cell.column));
            if (IsLayeredOutput(code)) {
                lines += ' ';
                AppendInteger(lines, static_cast<long long>(cell.layer));
            }
            lines += '\n';
            ++count;
        }
    });
    AppendInteger(out, count);
    out += '\n';
    out += lines;

    long long gridCodes = 0;
    for (int32_t code : grid.GridOutputParamList())
        gridCodes += IsKnownOutputCode(code) ? 1 : 0;
    AppendInteger(out, gridCodes);
    out += '\n';
    for (int32_t code : grid.GridOutputParamList()) {
        if (!IsKnownOutputCode(code)) continue;
        out += OutputParam(code).text;
        out += '\n';
    }
}

void AppendMethodFile(const GridData& grid, std::string& out) {
    const SimulationSettings& s = grid.Settings();
    auto separated = [&](std::initializer_list<double> values) {
        bool first = true;
        for (double v : values) {
            if (!first) out += ' ';
            AppendNumber(out, v);
            first = false;
        }
        out += '\n';
    };

    // 1. The first four methods 1-based, the last three 0-based.
    const long long methods[] = {
        s.pressureSaturationMethod + 1LL, s.rootGrowthMethod + 1LL, s.rootExtractionMethod + 1LL,
        s.cropYieldMethod + 1LL,          s.kWeightingMethod,       s.equationType,
        s.initialConditionsType};
    for (size_t i = 0; i < std::size(methods); ++i) {
        if (i != 0) out += ' ';
        AppendInteger(out, methods[i]);
    }
    out += '\n';

    // 2. The constants of the chosen pressure-saturation method.
    const int ps = s.pressureSaturationMethod;
    separated({MethodEntry(s.poreSize, ps), MethodEntry(s.scaleLength, ps),
               MethodEntry(s.residualMoisture, ps)});
    // 3-4. Root growth constants of the first and third method.
    separated({s.empiricalConstant1[RASMUSSEN_HANKS], s.empiricalConstant2[RASMUSSEN_HANKS]});
    separated({s.empiricalConstant1[HANKS_HILL], s.empiricalConstant2[HANKS_HILL]});
    // 5-9. Root extraction constants the solver always reads.
    const auto& re = s.rootExtractionParams;
    separated({re[HILLEL][0], re[HILLEL][1]});
    separated({re[FEDDES][0]});
    separated({re[GARDNER][0]});
    separated({re[HERKELRATH][0]});
    separated(
        {re[VAN_GENUCHTEN][0], re[VAN_GENUCHTEN][1], re[VAN_GENUCHTEN][2], re[VAN_GENUCHTEN][3]});
    // 10. Three values chosen by the root extraction method in force.
    const int method = s.rootExtractionMethod;
    const std::array<int, 3> positions = RootExtractionLastLine(method);
    for (size_t i = 0; i < positions.size(); ++i) {
        if (i != 0) out += ' ';
        AppendNumber(out, positions[i] < 0
                              ? 0.0
                              : re[static_cast<size_t>(method)][static_cast<size_t>(positions[i])]);
    }
    out += '\n';
}

void AppendConnectivityFile(const GridData& grid, std::string& out) {
    const std::vector<int32_t>& collectorOf = grid.Contents().boundaries[DrainType].collectorIndex;
    const int drains = grid.Contents().boundaries[DrainType].Count();
    const int collectors = grid.Contents().boundaries[CollectorType].Count();
    std::vector<int> listed;
    for (int c = 0; c < collectors; ++c) {
        listed.clear();
        for (int d = 0; d < drains && static_cast<size_t>(d) < collectorOf.size(); ++d)
            if (collectorOf[static_cast<size_t>(d)] == c) listed.push_back(d);
        AppendInteger(out, c);
        out += ' ';
        AppendInteger(out, static_cast<long long>(listed.size()));
        out += '\n';
        if (!listed.empty()) AppendSeparated(out, listed, [&](int d) { AppendInteger(out, d); });
    }
}

void AppendDailyETFile(const GridData& grid, std::string& out) {
    // One line per simulated day S .. E - 1: the daily list for the days of
    // the ET period (both ends included), 0 for the days outside it. Days
    // outside the run are never written, even when the ET period lies wholly
    // before or after it.
    const long long start = grid.Settings().simulationStart;
    const long long end = grid.Settings().simulationEnd;
    const long long first = grid.Settings().ETPeriod.first;
    const long long last = grid.Settings().ETPeriod.last;
    const std::vector<double>& usage = grid.Settings().DailyETUsage;
    bool warnedBeginning = false;
    bool warnedEnd = false;
    long long counter = 0;
    for (long long day = start; day < end; ++day, ++counter) {
        double value = 0.0;
        bool isInteger = true;
        if (day < first) {
            if (!warnedBeginning) ShowMessage("Warning: no ET defined for beginning of model run.");
            warnedBeginning = true;
        } else if (day > last) {
            if (!warnedEnd) ShowMessage("Warning: no ET defined for end of model run.");
            warnedEnd = true;
        } else {
            value = EntryOr0(usage, static_cast<size_t>(day - first));
            isInteger = false;
        }
        AppendInteger(out, counter);
        out += ' ';
        if (isInteger)
            out += '0';
        else
            AppendNumber(out, value);
        out += '\n';
    }
}

void AppendYieldFile(const GridData& grid, std::string& out) {
    const auto basins = static_cast<size_t>(grid.Contents().boundaries[BasinType].Count());
    for (size_t b = 0; b < basins; ++b) {
        for (size_t k = 0; k < grid.YieldResponseFactors().size(); ++k) {
            if (k != 0) out += ' ';
            AppendNumber(out, EntryOr0(grid.YieldResponseFactors()[k], b));
        }
        out += '\n';
    }
    for (size_t b = 0; b < basins; ++b) {
        for (size_t k = 0; k < grid.SalinityUpperBounds().size(); ++k) {
            if (k != 0) out += ' ';
            AppendNumber(out, EntryOr0(grid.SalinityUpperBounds()[k], b));
        }
        out += '\n';
    }
}

void AppendPrintFile(const GridData& grid, std::string& out) {
    const int start = grid.Settings().simulationStart;
    const int end = grid.Settings().simulationEnd;
    std::vector<int> days;
    for (const PrintDataItem& item : grid.PrintList()) {
        const int day =
            DateToDayNumber(item.day, item.month, item.year, grid.Settings().simulationYear);
        if (day != -1 && day >= start && day <= end) days.push_back(day);
    }
    AppendInteger(out, static_cast<long long>(days.size()));
    out += '\n';
    for (int day : days) {
        AppendInteger(out, day);
        out += '\n';
    }
}

} // namespace korva
