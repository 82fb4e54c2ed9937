#pragma once
// GraphBuilder: turns a GraphData into the properties of a chart of our chart
// engine, the steps a graph window takes when it opens and after every
// resize: data range, label spacing, axes, ticks, grid, overlay group, date
// labels, legends, then the current frame. Plain C++ over the engine's chart
// model, so the window and korva-batch build the same chart.
#include "graphdata.h"

#include <functional>
#include <string>

namespace korva::plot {
class ChartModel;
}

namespace korva::charts {

// What the builder asks of its host.
struct GraphHost {
    // The chart is complete and should be shown (the engine's DrawMode 2).
    std::function<void()> draw;
    // A message for the user ("Graph is out of whack.").
    std::function<void(const std::string&)> message;
    // The window caption of the frame shown.
    std::function<void(const std::string&)> caption;
    // Folder of the chart settings file (graph name + ".pxp"), ending in "/";
    // empty: the current folder.
    std::string settingsFolder;
};

// The label step when labels are spaced by their lengths: k = L × m × 6 /
// width, then 1, 3, 6 or a multiple of 12.
int LabelSpacingStep(int labelCount, int longestLabel, int virtualWidth);

// The label interval a build stores when none is fixed: one label per 50 points.
inline int DerivedLabelInterval(int points) {
    return points / 50 + 1;
}

// The X tick intervals written for wanted ones: as many as wanted when their
// labels fit into width pixels, else fewer (a divisor of a fixed whole range
// where one fits, so the ticks stay on whole days).
int FittingTickCount(int wanted, const std::array<double, 2>& xPresets, int width);

// The zoom of a drag from X data coordinate x1 to x2: the X range shown and
// the label interval that goes with it.
struct ZoomRange {
    int rangeMin = 0;
    int rangeMax = 0;
    int labelInterval = 1;
};
ZoomRange ZoomFromDrag(double x1, double x2, int points);

class GraphBuilder {
public:
    GraphBuilder(GraphData& data, plot::ChartModel& chart, GraphHost host);

    // All build steps; the chart is drawn at the end.
    void Build();
    // Writes the current frame's data and titles and draws.
    void DrawFrame();
    // Shows the next frame, wrapping to the first.
    void NextFrame();
    // Applies a zoom and draws.
    void Zoom(const ZoomRange& zoom);

    std::string SettingsPath() const;
    // Writes the chart's look to its settings file (what a window does when
    // it closes; what goes in: graphsettingsfile.h). Without a graph name, or
    // when the file there could not be read, nothing is written. False, with
    // the reason in error, when the file could not be written.
    bool SaveSettings(std::string& error);
    // The settings file exists but could not be used (the user was told).
    bool SettingsUnreadable() const { return settingsUnreadable_; }
    // The lowest and highest Y value of the main group over every frame, as
    // the last build found them.
    double Lowest() const { return lowest_; }
    double Highest() const { return highest_; }

private:
    void Set(const char* name, int value);
    void Set(const char* name, double value);
    void Set(const char* name, const std::string& value);
    void SetAt(const char* name, int index, int value);
    void SetAt(const char* name, int index, double value);
    void SetAt(const char* name, int index, const std::string& value);
    bool LoadSettings();
    void WriteYPresets();
    void WriteDateLabels();

    GraphData& data_;
    plot::ChartModel& chart_;
    GraphHost host_;
    double lowest_ = 0.0;
    double highest_ = 0.0;
    bool settingsUnreadable_ = false;
};

} // namespace korva::charts
