#include "seriescatalog.h"

#include "model/calendar.h"
#include "model/messages.h"

#include <cmath>
#include <string_view>

namespace korva {

namespace {

constexpr int DepthToWaterTableCode = 10;
// Day numbers beyond this are not dates a run can have; the output reader
// clamps its own conversions the same way.
constexpr double MaxDayNumber = 4000000.0;

// Reads an unsigned decimal number at text[pos]; advances pos.
bool ReadNumber(std::string_view text, std::size_t& pos, int& value) {
    const std::size_t start = pos;
    long long n = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        n = n * 10 + (text[pos] - '0');
        if (n > 1000000000) return false;
        ++pos;
    }
    value = static_cast<int>(n);
    return pos > start;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

} // namespace

bool ParseSeriesName(const std::string& name, SeriesPlace& place) {
    std::string_view text = name;
    std::size_t pos = 0;
    SeriesPlace parsed;
    if (Expect(text, pos, '_') && Expect(text, pos, 'x') && ReadNumber(text, pos, parsed.x) &&
        Expect(text, pos, 'y') && ReadNumber(text, pos, parsed.y)) {
        if (pos == text.size()) {
            place = parsed;
            return true;
        }
        if (Expect(text, pos, 'z') && ReadNumber(text, pos, parsed.z) && pos == text.size()) {
            place = parsed;
            return true;
        }
        return false;
    }
    pos = 0;
    parsed = SeriesPlace{};
    parsed.kind = SeriesPlace::Kind::Basin;
    if (Expect(text, pos, '_') && ReadNumber(text, pos, parsed.basin) && Expect(text, pos, '_') &&
        pos < text.size()) {
        parsed.basinParameter = std::string(text.substr(pos));
        place = parsed;
        return true;
    }
    return false;
}

std::string SeriesListText(const GridData& grid, int code, const SeriesPlace& place) {
    const OutputParamInfo& info = OutputParam(code);
    std::string text = std::string("Parameter ") + info.text + " (" + info.displayName + ") ";
    if (place.kind == SeriesPlace::Kind::Cell) {
        text += "cell row " + std::to_string(place.x + 1) + ", col " + std::to_string(place.y + 1);
        if (place.z >= 0) text += ", layer " + std::to_string(place.z + 1);
        return text;
    }
    const auto& basins = grid.Contents().boundaries[BasinType].names;
    const std::string basinName = place.basin >= 1 && place.basin <= static_cast<int>(basins.size())
                                      ? basins[static_cast<std::size_t>(place.basin - 1)]
                                      : std::to_string(place.basin);
    return text + place.basinParameter + " for basin " + basinName;
}

std::vector<SeriesEntry> ListTimeSeries(const GridData& grid) {
    std::vector<SeriesEntry> list;
    for (int code = 0; code < OutputParamCount; ++code) {
        const auto& series = grid.Outputs().cellSeries[static_cast<std::size_t>(code)];
        for (std::size_t i = 0; i < series.size(); ++i) {
            SeriesPlace place;
            if (!ParseSeriesName(series[i].name, place)) {
                ShowMessage("Unable to parse basin parameter.");
                continue;
            }
            list.push_back({code, static_cast<int>(i), SeriesListText(grid, code, place)});
        }
    }
    return list;
}

const TimeSeriesRecord& SeriesRecord(const GridData& grid, const SeriesEntry& entry) {
    return grid.Outputs()
        .cellSeries.at(static_cast<std::size_t>(entry.code))
        .at(static_cast<std::size_t>(entry.index));
}

std::string SeriesKey(const GridData& grid, const SeriesEntry& entry) {
    return std::string(OutputParam(entry.code).text) + ":" + SeriesRecord(grid, entry).name;
}

const SeriesEntry* FindSeries(const GridData& grid, const std::vector<SeriesEntry>& list,
                              const std::string& key) {
    for (const SeriesEntry& entry : list) {
        if (SeriesKey(grid, entry) == key) return &entry;
    }
    return nullptr;
}

double ShownSeriesValue(int code, double value) {
    return code == DepthToWaterTableCode ? -value : value;
}

std::string SeriesDateText(double time, int simulationYear) {
    double day = std::floor(time);
    if (!(day > -MaxDayNumber)) day = -MaxDayNumber;
    if (day > MaxDayNumber) day = MaxDayNumber;
    const CalendarDate date = DayNumberToDate(static_cast<int>(day), simulationYear);
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
}

} // namespace korva
