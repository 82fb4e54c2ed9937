#include "files/output/modeloutputseries.h"

#include "files/output/modeloutputscanner.h"
#include "model/messages.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

namespace korva {

namespace {

bool IsBlank(std::string_view line) {
    return TrimLeft(line).empty();
}

// A data line holds a time and a value, each a finite number; anything after
// them is ignored, as a formatted read of two numbers would.
bool ParseDataLine(std::string_view line, double& x, double& y) {
    const char* p = line.data();
    const char* end = line.data() + line.size();
    return ScanCNumber(p, end, x) && ScanCNumber(p, end, y) && std::isfinite(x) && std::isfinite(y);
}

struct CellKey {
    int y = INT_MIN;
    int x = INT_MIN;
    int z = INT_MIN;
};

// Matches "_x%dy%dz%d" or "_x%dy%d" the way sscanf would: literal characters
// exactly, each number after optional white space.
CellKey CellOfName(const std::string& name) {
    const char* p = name.data();
    const char* end = p + name.size();
    auto literal = [&](char c) {
        if (p == end || *p != c) return false;
        ++p;
        return true;
    };
    int x = 0;
    int y = 0;
    int z = 0;
    if (!literal('_') || !literal('x') || !ScanCInt(p, end, x) || !literal('y') ||
        !ScanCInt(p, end, y))
        return CellKey{};
    if (!literal('z') || !ScanCInt(p, end, z)) z = -1;
    return CellKey{y, x, z};
}

} // namespace

std::string SeriesNameFromHeader(std::string_view header) {
    const std::size_t underscore = header.find('_');
    if (underscore != std::string_view::npos) header = header.substr(underscore);
    if (!header.empty()) header.remove_suffix(1);
    return std::string(header);
}

void ParseTimeSeriesText(std::string_view text, std::vector<TimeSeriesRecord>& cellSeries,
                         std::vector<TimeSeriesRecord>& averageSeries) {
    ModelOutputScanner scanner(text);
    std::string_view line;
    for (;;) {
        scanner.SkipSpace();
        if (!scanner.NextLine(line)) break; // only white space was left
        TimeSeriesRecord series;
        series.name = SeriesNameFromHeader(line);
        while (scanner.NextLine(line) && !IsBlank(line)) {
            double x = 0.0;
            double y = 0.0;
            if (!ParseDataLine(line, x, y)) {
                ShowMessage("Bad format in .tss file: " + std::string(line));
                // The rest of the block belongs to the broken series; reading
                // it as new headers would invent series from data lines.
                while (scanner.NextLine(line) && !IsBlank(line)) {
                }
                break;
            }
            series.x.push_back(x);
            series.y.push_back(y);
        }
        auto& list = series.name.rfind("Ave", 0) == 0 ? averageSeries : cellSeries;
        list.push_back(std::move(series));
    }
}

void SortCellSeries(std::vector<TimeSeriesRecord>& cellSeries) {
    if (cellSeries.size() < 2) return;
    std::vector<std::pair<CellKey, std::size_t>> keys;
    keys.reserve(cellSeries.size());
    for (std::size_t i = 0; i < cellSeries.size(); ++i)
        keys.emplace_back(CellOfName(cellSeries[i].name), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.y, a.first.x, a.first.z) <
               std::tie(b.first.y, b.first.x, b.first.z);
    });
    std::vector<TimeSeriesRecord> sorted;
    sorted.reserve(cellSeries.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(cellSeries[key.second]));
    cellSeries = std::move(sorted);
}

} // namespace korva
