#pragma once
// GraphData: everything a graph window shows, filled in by its creator (the
// time-series display, the irrigation schedule plot, korva-batch plot-series)
// and then built into a chart by GraphBuilder. Plain data, so the build
// arithmetic can be tested and used without a window.
#include <array>
#include <string>
#include <vector>

namespace korva::charts {

// A preset of an axis end that the chart finds by itself.
constexpr double AutomaticAxis = -10000.0;

struct FrameTitles {
    std::string caption; // window caption
    std::string graph;
    std::string bottom;
    std::string left;
};

struct GraphData {
    int frameCount = 0;
    int currentFrame = 0;
    int seriesCount = 0;
    int pointCount = 0;
    std::vector<std::string> labels; // X labels
    bool labelSpacing = false;       // derive label and tick spacing from label lengths
    bool hasX = false;

    // [frame][set][point]
    std::vector<std::vector<std::vector<double>>> y;
    std::vector<std::vector<std::vector<double>>> x;
    std::vector<std::vector<std::vector<int>>> extra;
    std::vector<std::string> legends;
    std::vector<FrameTitles> titles; // one per frame
    std::string graphName;
    int graphType = 6;
    int graphStyle = 5;
    std::vector<int> colors; // per set of the main group; empty: the chart's own

    // The overlay group, drawn over the main one on the right-hand axis.
    int overlaySeriesCount = 0;
    int overlayGraphType = 6;
    int overlayGraphStyle = 0;
    std::vector<std::vector<std::vector<double>>> overlayY;
    std::vector<std::vector<std::vector<double>>> overlayX;
    std::vector<std::string> overlayLegends;
    std::vector<int> overlayColors;
    std::string rightTitle;
    int rightTitleStyle = 1;

    std::array<double, 2> xPresets{AutomaticAxis, AutomaticAxis};
    // left minimum, left maximum, right minimum, right maximum
    std::array<double, 4> yPresets{AutomaticAxis, AutomaticAxis, AutomaticAxis, AutomaticAxis};
    int yRangeMode = -1; // -1 automatic with presets, else the left axis style

    std::string dateStart;                    // "yyyy:mm:dd"; empty: no date labels
    std::string dateIncrement = "0000:01:01"; // per point, or per day of X
    std::string xLabelFormat;
    int labelInterval = 0; // fixed label and tick interval; 0 derives one
    int labelStyle = -1;
    int xLabelType = -1;

    int xTicks = 0;
    int xMinorTicks = 0;
    int tickStyle = 0;
    bool leftYTicks = true;
    int leftYTickCount = 5;
    bool rightYTicks = true;
    int rightYTickCount = 0;

    bool verticalGrid = true;
    bool horizontalGrid = true;
    int background = 15;
    int legendPosition = 6;
    std::array<int, 2> virtualSize{1280, 1024};

    // Zoom: X range shown (both 0: everything).
    int rangeMin = 0;
    int rangeMax = 0;

    // Sizes every per-frame array for frames × series × points, fills Y (and X
    // when xWanted) with 0 and the extra values with defaultExtra, and makes
    // empty legends and titles.
    void SetData(int frames, int series, int points, int labelCount, int defaultExtra, bool spacing,
                 bool xWanted);
    // Graph, bottom and left title of every frame; the caption is caption
    // when not empty, else the graph title; a non-empty name is kept.
    void SetTitles(const std::string& graph, const std::string& bottom, const std::string& left,
                   const std::string& caption, const std::string& name);
    // Sizes the overlay group like the main one.
    void SetOverlay(int series, bool xWanted);
};

} // namespace korva::charts
