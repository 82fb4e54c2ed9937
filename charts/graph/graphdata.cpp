#include "graphdata.h"

namespace korva::charts {

void GraphData::SetData(int frames, int series, int points, int labelCount, int defaultExtra,
                        bool spacing, bool xWanted) {
    frameCount = frames < 0 ? 0 : frames;
    currentFrame = 0;
    seriesCount = series < 0 ? 0 : series;
    pointCount = points < 0 ? 0 : points;
    labels.assign(static_cast<std::size_t>(labelCount < 0 ? 0 : labelCount), std::string());
    labelSpacing = spacing;
    hasX = xWanted;
    const auto f = static_cast<std::size_t>(frameCount);
    const auto s = static_cast<std::size_t>(seriesCount);
    const auto p = static_cast<std::size_t>(pointCount);
    y.assign(f, std::vector<std::vector<double>>(s, std::vector<double>(p, 0.0)));
    if (xWanted)
        x = y;
    else
        x.clear();
    extra.assign(f, std::vector<std::vector<int>>(s, std::vector<int>(p, defaultExtra)));
    legends.assign(s, std::string());
    titles.assign(f, FrameTitles{});
}

void GraphData::SetTitles(const std::string& graph, const std::string& bottom,
                          const std::string& left, const std::string& caption,
                          const std::string& name) {
    for (FrameTitles& t : titles) {
        t.graph = graph;
        t.bottom = bottom;
        t.left = left;
        t.caption = caption.empty() ? graph : caption;
    }
    if (!name.empty()) graphName = name;
}

void GraphData::SetOverlay(int series, bool xWanted) {
    overlaySeriesCount = series < 0 ? 0 : series;
    const auto f = static_cast<std::size_t>(frameCount);
    const auto s = static_cast<std::size_t>(overlaySeriesCount);
    const auto p = static_cast<std::size_t>(pointCount);
    overlayY.assign(f, std::vector<std::vector<double>>(s, std::vector<double>(p, 0.0)));
    if (xWanted)
        overlayX = overlayY;
    else
        overlayX.clear();
    overlayLegends.assign(s, std::string());
}

} // namespace korva::charts
