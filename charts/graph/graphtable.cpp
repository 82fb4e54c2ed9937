#include "graphtable.h"

#include "files/numberformat.h"

#include <algorithm>

namespace korva::charts {

namespace {

std::string Clean(std::string text) {
    // A tab or a line end inside a legend would shift the columns.
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string SetName(const std::vector<std::string>& legends, std::size_t s, const char* group) {
    if (s < legends.size() && !legends[s].empty()) return Clean(legends[s]);
    return std::string(group) + " " + std::to_string(s + 1);
}

} // namespace

std::string GraphDataTable(const GraphData& data) {
    std::string text = "Point";
    if (data.frameCount <= 0) return text + "\n";
    const auto f = static_cast<std::size_t>(std::clamp(data.currentFrame, 0, data.frameCount - 1));
    const bool overlayX = !data.overlayX.empty();
    for (std::size_t s = 0; s < static_cast<std::size_t>(data.seriesCount); ++s) {
        const std::string name = SetName(data.legends, s, "Set");
        if (data.hasX) text += "\t" + name + " X";
        text += "\t" + name;
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(data.overlaySeriesCount); ++k) {
        const std::string name = SetName(data.overlayLegends, k, "Overlay set");
        if (overlayX) text += "\t" + name + " X";
        text += "\t" + name;
    }
    text += "\n";
    for (std::size_t p = 0; p < static_cast<std::size_t>(data.pointCount); ++p) {
        text += p < data.labels.size() && !data.labels[p].empty() ? Clean(data.labels[p])
                                                                  : std::to_string(p + 1);
        for (std::size_t s = 0; s < static_cast<std::size_t>(data.seriesCount); ++s) {
            if (data.hasX) text += "\t" + FormatNumber(data.x[f][s][p]);
            text += "\t" + FormatNumber(data.y[f][s][p]);
        }
        for (std::size_t k = 0; k < static_cast<std::size_t>(data.overlaySeriesCount); ++k) {
            if (overlayX) text += "\t" + FormatNumber(data.overlayX[f][k][p]);
            text += "\t" + FormatNumber(data.overlayY[f][k][p]);
        }
        text += "\n";
    }
    return text;
}

} // namespace korva::charts
