#include "graphbuilder.h"

#include "chartmodel.h"
#include "chartsettingsfile.h"
#include "graphsettingsfile.h"
#include "model/calendar.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>

namespace korva::charts {

namespace {

constexpr int kLineGraph = 6;
constexpr int kBarGraph = 3;
constexpr int kFixedAxis = 2;
// Pixels a date or number label needs beside its neighbours.
constexpr int MinTickSpacing = 70;

// "yyyy:mm:dd" moved by days; empty when text is no date.
std::string ShiftDateText(const std::string& text, int days) {
    int fields[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (int& field : fields) {
        while (pos < text.size() && (text[pos] < '0' || text[pos] > '9'))
            ++pos;
        const auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), field);
        if (ec != std::errc()) return {};
        pos = static_cast<std::size_t>(end - text.data());
    }
    const int dayOfYear = DateToDayNumber(fields[2], fields[1], fields[0], fields[0]);
    if (dayOfYear < 0) return {};
    const CalendarDate date = DayNumberToDate(dayOfYear - days, fields[0]);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d:%02d:%02d", date.year, date.month, date.day);
    return buffer;
}

} // namespace

int LabelSpacingStep(int labelCount, int longestLabel, int virtualWidth) {
    if (virtualWidth <= 0) return 1;
    const long long k = static_cast<long long>(labelCount) * longestLabel * 6 / virtualWidth;
    if (k <= 1) return 1;
    if (k <= 4) return 3;
    if (k <= 10) return 6;
    return static_cast<int>(std::min<long long>(12 * (k / 12 + 1), 1 << 20));
}

int FittingTickCount(int wanted, const std::array<double, 2>& xPresets, int width) {
    wanted = std::abs(wanted);
    // The plot area takes about three quarters of the chart's width.
    const int room = std::max(1, width * 3 / 4 / MinTickSpacing);
    if (wanted <= room) return wanted;
    // Ticks on whole X steps when the fixed range allows it (day numbers
    // give whole days between labels).
    if (xPresets[0] != AutomaticAxis && xPresets[1] != AutomaticAxis) {
        const double span = xPresets[1] - xPresets[0];
        if (span > 0 && span < 1e9 && span == std::floor(span)) {
            const auto whole = static_cast<long long>(span);
            for (int d = room; d >= std::max(2, room / 2); --d)
                if (whole % d == 0) return d;
        }
    }
    return room;
}

ZoomRange ZoomFromDrag(double x1, double x2, int points) {
    ZoomRange zoom;
    const double low = std::clamp(std::min(x1, x2) + 0.5, -1e9, 1e9);
    const double high = std::clamp(std::max(x1, x2) + 0.5, -1e9, 1e9);
    zoom.rangeMin = static_cast<int>(low);
    zoom.rangeMax = static_cast<int>(high);
    if (zoom.rangeMin == zoom.rangeMax) {
        zoom.rangeMin = zoom.rangeMax = 0;
        zoom.labelInterval = points / 20;
    } else {
        zoom.labelInterval = (zoom.rangeMax - zoom.rangeMin + 1) / 20;
    }
    if (zoom.labelInterval < 1) zoom.labelInterval = 1;
    return zoom;
}

GraphBuilder::GraphBuilder(GraphData& data, plot::ChartModel& chart, GraphHost host)
    : data_(data), chart_(chart), host_(std::move(host)) {}

void GraphBuilder::Set(const char* name, int value) {
    chart_.Set(*plot::FindProperty(name), std::nullopt,
               plot::ConvertToType(static_cast<int32_t>(value), plot::FindProperty(name)->type));
}
void GraphBuilder::Set(const char* name, double value) {
    chart_.Set(*plot::FindProperty(name), std::nullopt,
               plot::ConvertToType(value, plot::FindProperty(name)->type));
}
void GraphBuilder::Set(const char* name, const std::string& value) {
    chart_.Set(*plot::FindProperty(name), std::nullopt,
               plot::ConvertToType(value, plot::FindProperty(name)->type));
}
void GraphBuilder::SetAt(const char* name, int index, int value) {
    chart_.Set(*plot::FindProperty(name), index,
               plot::ConvertToType(static_cast<int32_t>(value), plot::FindProperty(name)->type));
}
void GraphBuilder::SetAt(const char* name, int index, double value) {
    chart_.Set(*plot::FindProperty(name), index,
               plot::ConvertToType(value, plot::FindProperty(name)->type));
}
void GraphBuilder::SetAt(const char* name, int index, const std::string& value) {
    chart_.Set(*plot::FindProperty(name), index,
               plot::ConvertToType(value, plot::FindProperty(name)->type));
}

std::string GraphBuilder::SettingsPath() const {
    if (data_.graphName.empty()) return {};
    return host_.settingsFolder + data_.graphName + ".pxp";
}

bool GraphBuilder::LoadSettings() {
    const std::string path = SettingsPath();
    if (path.empty() || !std::ifstream(path).good()) return false;
    try {
        plot::LoadChartSettings(chart_, path);
    } catch (const plot::ChartError& e) {
        // A damaged settings file must not keep the chart from showing, nor be
        // lost: it is said once (not at every resize) and never written over.
        if (!settingsUnreadable_ && host_.message)
            host_.message(std::string("The chart settings file cannot be used: ") + e.what() +
                          "\nThe chart is drawn with its default settings; the file is left as "
                          "it is.");
        settingsUnreadable_ = true;
        return false;
    }
    return true;
}

bool GraphBuilder::SaveSettings(std::string& error) {
    const std::string path = SettingsPath();
    if (path.empty() || settingsUnreadable_) return true;
    return SaveGraphSettings(chart_, path, error);
}

void GraphBuilder::Build() {
    const int points = data_.pointCount;
    const int sets = data_.seriesCount;
    // 1. Stored chart settings first, so that what follows is drawn over them.
    const bool haveSettings = LoadSettings();
    const bool pointsMatched = chart_.NumPoints() == points;

    // 3. Data range of the main group; positive data start the axis at 0.
    double lowest = 10000.0;
    double highest = -10000.0;
    for (const auto& frame : data_.y)
        for (const auto& set : frame)
            for (double v : set) {
                if (!std::isfinite(v)) continue;
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
            }
    if (lowest > 0.0 && highest > lowest) lowest = 0.0;
    lowest_ = lowest;
    highest_ = highest;
    data_.yPresets[0] = std::max(data_.yPresets[0], lowest);
    data_.yPresets[1] = std::max(data_.yPresets[1], highest);

    // 4. Label spacing by the longest label.
    if (data_.labelSpacing && !data_.labels.empty()) {
        std::size_t longest = 0;
        for (const auto& label : data_.labels)
            longest = std::max(longest, label.size());
        const int labelCount = static_cast<int>(data_.labels.size());
        const int step =
            LabelSpacingStep(labelCount, static_cast<int>(longest), data_.virtualSize[0]);
        const int every = std::max(1, points / labelCount * step);
        Set("LabelEvery", every);
        Set("TickEvery", every);
    }

    // 5. Counts and kind. The engine needs at least one set and one point.
    Set("NumPoints", std::max(points, 1));
    Set("NumSets",
        std::clamp(std::max(sets, data_.overlaySeriesCount), 1, plot::ChartModel::kMaxSets));
    Set("GraphType", data_.graphType);
    Set("GraphStyle", data_.graphStyle);

    // 6. X axis presets.
    if (data_.xPresets[0] != AutomaticAxis) Set("XAxisMin", data_.xPresets[0]);
    if (data_.xPresets[1] != AutomaticAxis) Set("XAxisMax", data_.xPresets[1]);
    if (data_.xPresets[0] != AutomaticAxis || data_.xPresets[1] != AutomaticAxis)
        Set("XAxisStyle", kFixedAxis);

    // 7. Y axes.
    if (data_.yRangeMode == -1) {
        WriteYPresets();
    } else {
        Set("YAxisUse", 0);
        Set("YAxisStyle", data_.yRangeMode);
    }

    // 8. Ticks.
    Set("TickStyle", data_.tickStyle);
    Set("XAxisTicks", -FittingTickCount(data_.xTicks, data_.xPresets, data_.virtualSize[0]));
    Set("XAxisMinorTicks", -data_.xMinorTicks);
    Set("YAxisUse", 0);
    if (data_.leftYTicks) Set("YAxisTicks", data_.leftYTickCount);
    Set("YAxisUse", 1);
    if (data_.rightYTicks) Set("YAxisTicks", data_.rightYTickCount);
    Set("YAxisUse", 0);

    // 9. Lines, colours, grid.
    Set("ThickLines", 1);
    Set("PatternedLines", 1);
    for (std::size_t s = 0; s < data_.colors.size() && s < static_cast<std::size_t>(sets); ++s)
        SetAt("Color", static_cast<int>(s), data_.colors[s]);
    for (std::size_t s = 0;
         s < data_.overlayColors.size() && s < static_cast<std::size_t>(data_.overlaySeriesCount);
         ++s)
        SetAt("Color", chart_.NumSets() + static_cast<int>(s), data_.overlayColors[s]);
    Set("GridLineStyle", 2);
    Set("GridStyle", (data_.verticalGrid && points <= 60 ? 2 : 0) + (data_.horizontalGrid ? 1 : 0));
    Set("BackgroundUse", 0);
    Set("Background", data_.background);
    Set("LegendPos", data_.legendPosition);

    // 10. A single bar set without colours of its own is red.
    if (data_.graphType == kBarGraph && sets == 1 && data_.colors.empty()) {
        for (int p = 0; p < points && p < 256; ++p)
            SetAt("Color", p, 4);
    }

    // 11. Overlay group.
    if (data_.overlaySeriesCount > 0) {
        Set("OverlayGraph", 2);
        Set("OverlayGraphType", data_.overlayGraphType);
        Set("OverlayGraphStyle", data_.overlayGraphStyle);
        Set("OverlayThickLines", 1);
        Set("OverlayPattern", 3);
    }

    // 12. Date labels.
    if (!data_.dateStart.empty()) WriteDateLabels();

    // 13. Label interval: a fixed one, or one derived for the later builds.
    if (data_.labelInterval > 0) {
        Set("LabelEvery", data_.labelInterval);
        Set("TickEvery", data_.labelInterval);
    } else {
        data_.labelInterval = DerivedLabelInterval(points);
    }

    // 14. Legends (a single bar set names itself in the title instead).
    if (!(data_.graphType == kBarGraph && sets == 1)) {
        for (int s = 0; s < sets && s < static_cast<int>(data_.legends.size()); ++s)
            SetAt("Legend", s, data_.legends[static_cast<std::size_t>(s)]);
        for (int k = 0;
             k < data_.overlaySeriesCount && k < static_cast<int>(data_.overlayLegends.size()); ++k)
            SetAt("Legend", chart_.NumSets() + k,
                  data_.overlayLegends[static_cast<std::size_t>(k)]);
    }

    // 15. Right-hand axis.
    if (!data_.rightTitle.empty()) {
        Set("OverlayGraph", 2);
        Set("RightTitle", data_.rightTitle);
        Set("RightTitleStyle", data_.rightTitleStyle);
    } else if (data_.overlaySeriesCount > 0) {
        Set("OverlayGraph", 1);
    }

    // 16. Stored settings win where they say something; the counts stay the
    // window's own (a file stored by a chart of other sets must not add or
    // take away sets).
    if (haveSettings && pointsMatched && LoadSettings()) {
        Set("NumPoints", std::max(points, 1));
        Set("NumSets",
            std::clamp(std::max(sets, data_.overlaySeriesCount), 1, plot::ChartModel::kMaxSets));
    }

    // 17. The chart must hold the points the window has.
    if (chart_.NumPoints() != points && host_.message) host_.message("Graph is out of whack.");

    // 18. X labels.
    for (int i = 0; i < static_cast<int>(data_.labels.size()) && i < chart_.NumPoints(); ++i) {
        if (!data_.labels[static_cast<std::size_t>(i)].empty())
            SetAt("Label", i, data_.labels[static_cast<std::size_t>(i)]);
    }

    // 19. Automatic Y range: presets still open take the data range.
    if (data_.yRangeMode == -1) {
        if (data_.yPresets[0] <= AutomaticAxis) data_.yPresets[0] = lowest;
        if (data_.yPresets[1] <= AutomaticAxis) data_.yPresets[1] = highest;
        if (data_.yPresets[2] <= AutomaticAxis) data_.yPresets[2] = lowest;
        if (data_.yPresets[3] <= AutomaticAxis) data_.yPresets[3] = highest;
        WriteYPresets();
    }

    // The zoom is this window's: never one read from a settings file.
    Set("RangeMin", data_.rangeMin);
    Set("RangeMax", data_.rangeMax);
    // 20. The current frame.
    DrawFrame();
}

void GraphBuilder::WriteYPresets() {
    for (int axis = 0; axis < 2; ++axis) {
        const double low = data_.yPresets[static_cast<std::size_t>(2 * axis)];
        const double high = data_.yPresets[static_cast<std::size_t>(2 * axis + 1)];
        if (low <= AutomaticAxis && high <= AutomaticAxis) continue;
        Set("YAxisUse", axis);
        if (low > AutomaticAxis) Set("YAxisMin", low);
        if (high > AutomaticAxis) Set("YAxisMax", high);
        Set("YAxisStyle", kFixedAxis);
    }
    Set("YAxisUse", 0);
}

void GraphBuilder::WriteDateLabels() {
    const bool longIncrement = data_.dateIncrement.size() >= 17;
    std::string start = data_.dateStart;
    std::string increment = data_.dateIncrement;
    if (data_.hasX && !longIncrement) {
        // On a chart drawn at X positions the engine labels the tick at X with
        // start + X increments. The X values are day numbers and the start is
        // the date of the first day shown, so the labels count whole days
        // from the first X: a label then names the day its data belong to.
        double first = data_.xPresets[0];
        if (first == AutomaticAxis) {
            first = 0.0;
            bool any = false;
            for (const auto& set : data_.x.empty()
                                       ? decltype(data_.x)::value_type{}
                                       : data_.x[static_cast<std::size_t>(data_.currentFrame)])
                for (double v : set)
                    if (std::isfinite(v) && (!any || v < first)) {
                        first = v;
                        any = true;
                    }
        }
        const double days = std::clamp(std::floor(first), -4.0e6, 4.0e6);
        const std::string shifted = ShiftDateText(start, static_cast<int>(days));
        if (!shifted.empty()) {
            start = shifted;
            increment = "0000:00:01";
        }
    }
    try {
        Set("LabelXDateStart", start);
        Set("LabelXDateInc", increment);
    } catch (const plot::ChartError&) {
        return; // no calendar date: the chart keeps its point numbers
    }
    Set("LabelStyle", data_.labelStyle >= 0 ? data_.labelStyle : 1);
    const std::string format = !data_.xLabelFormat.empty() ? data_.xLabelFormat
                               : longIncrement             ? "m/d/yy hh:nn"
                                                           : "m/d/yy";
    Set("LabelXFormat", format);
    Set("LabelXType", data_.xLabelType >= 0 ? data_.xLabelType : (longIncrement ? 3 : 1));
}

void GraphBuilder::DrawFrame() {
    if (data_.frameCount <= 0) {
        if (host_.draw) host_.draw();
        return;
    }
    const auto f =
        static_cast<std::size_t>(std::clamp(data_.currentFrame, 0, data_.frameCount - 1));
    const int points = std::min(data_.pointCount, chart_.NumPoints());
    const int sets = std::min(data_.seriesCount, chart_.NumSets());
    for (int s = 0; s < sets; ++s) {
        Set("ThisSet", s);
        const auto si = static_cast<std::size_t>(s);
        for (int p = 0; p < points; ++p) {
            const auto pi = static_cast<std::size_t>(p);
            SetAt("Data", p, data_.y[f][si][pi]);
            if (data_.hasX) SetAt("XPos", p, data_.x[f][si][pi]);
            SetAt("Extra", p, data_.extra[f][si][pi]);
        }
    }
    const int overlaySets = std::min(data_.overlaySeriesCount, chart_.NumSets());
    for (int k = 0; k < overlaySets && f < data_.overlayY.size(); ++k) {
        Set("ThisSet", k);
        const auto ki = static_cast<std::size_t>(k);
        for (int p = 0; p < points; ++p) {
            const auto pi = static_cast<std::size_t>(p);
            SetAt("OverlayData", p, data_.overlayY[f][ki][pi]);
            if (!data_.overlayX.empty()) SetAt("OverlayXPos", p, data_.overlayX[f][ki][pi]);
        }
    }
    Set("ThisSet", 0);
    const FrameTitles& titles = data_.titles[f];
    std::string graphTitle = titles.graph;
    if (data_.graphType == kBarGraph && data_.seriesCount == 1 && !data_.legends.empty() &&
        !data_.legends[0].empty())
        graphTitle += " -- " + data_.legends[0];
    Set("GraphTitle", graphTitle);
    Set("LeftTitle", titles.left);
    Set("BottomTitle", titles.bottom);
    if (host_.draw) host_.draw();
    if (host_.caption) host_.caption(titles.caption);
}

void GraphBuilder::NextFrame() {
    if (data_.frameCount <= 0) return;
    data_.currentFrame = (data_.currentFrame + 1) % data_.frameCount;
    DrawFrame();
}

void GraphBuilder::Zoom(const ZoomRange& zoom) {
    data_.rangeMin = zoom.rangeMin;
    data_.rangeMax = zoom.rangeMax;
    data_.labelInterval = zoom.labelInterval;
    Set("RangeMin", zoom.rangeMin);
    Set("RangeMax", zoom.rangeMax);
    Set("LabelEvery", zoom.labelInterval);
    Set("TickEvery", zoom.labelInterval);
    if (host_.draw) host_.draw();
}

} // namespace korva::charts
