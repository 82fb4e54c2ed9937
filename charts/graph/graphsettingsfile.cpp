#include "graphsettingsfile.h"

#include "chartmodel.h"
#include "chartsettingsfile.h"
#include "files/replacefile.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace korva::charts {

namespace {

// Properties that belong to the data of one chart rather than to its look.
// (The per-point values go with the chart's data reset.)
constexpr std::array<std::string_view, 24> kDataBound = {
    "Label",           "Legend",        "DataLabel",  "YLabel",    "ZLabel",      "XAxisMin",
    "XAxisMax",        "YAxisMin",      "YAxisMax",   "ZAxisMin",  "ZAxisMax",    "XAxisStyle",
    "YAxisStyle",      "XAxisTicks",    "RangeMin",   "RangeMax",  "LabelEvery",  "TickEvery",
    "LabelXDateStart", "LabelXDateInc", "GraphTitle", "LeftTitle", "BottomTitle", "RightTitle"};

// The property a settings line sets: the text before "(" or "=".
std::string_view LineProperty(std::string_view line) {
    return line.substr(0, std::min(line.find('('), line.find('=')));
}

} // namespace

std::string GraphSettingsText(const plot::ChartModel& chart) {
    plot::ChartModel look = chart;
    look.ResetData();
    const std::string all = plot::ChartSettingsText(look);
    std::string kept;
    kept.reserve(all.size());
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        end = end == std::string::npos ? all.size() : end + 1;
        const std::string_view line(all.data() + pos, end - pos);
        // The first line is the format's header; titles escape their line ends.
        const bool dataBound = pos != 0 && std::find(kDataBound.begin(), kDataBound.end(),
                                                     LineProperty(line)) != kDataBound.end();
        if (!dataBound) kept.append(line);
        pos = end;
    }
    return kept;
}

bool SaveGraphSettings(const plot::ChartModel& chart, const std::string& path, std::string& error) {
    return ReplaceFileContents(path, GraphSettingsText(chart), &error);
}

} // namespace korva::charts
