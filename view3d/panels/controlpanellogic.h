#pragma once
// What the "3D Controls & Legend" pane and the panels decide, apart from
// their windows: filter bounds and their clamping, the "all" + 1..n index
// lists, the legend rows with their colours, the Z exaggeration field and the
// time-period player.
#include "view3d/scene/viewsettings.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korva {

// A value typed into "Show values between" (isMinimum) or "and": a bound
// outside the quantity's range min..max falls back to that end of the range.
double ClampFilterField(bool isMinimum, double typed, double min, double max);

// "all" followed by "1" to n.
QStringList IndexListEntries(int n);
// The 0-based indices of the selected entries; "all" adds nothing, so "all"
// alone (or nothing) shows everything.
std::vector<int> IndexFilterFromSelection(const QStringList& selected);

// "Update" of "Z Exaggeration:": text that is not a number reads as 0, and 0
// becomes 1.
double ParseZExaggeration(const QString& text);

struct LegendRow {
    enum Kind { Boundary, GroundMesh, TimeSeriesCells, Value } kind = Value;
    QString text;
    QColor colour;     // the "Color" cell
    QColor textColour; // readable on colour
    QString show;      // "Yes", "No", or empty for value rows
    int boundaryType = -1, boundaryIndex = -1;
    double value = 0.0;
};

// The legend: every boundary of every kind, the ground mesh row, the
// time-series row, and (display kind 0) the values of parameter p.
std::vector<LegendRow> BuildLegendRows(const GridData& grid, const ViewSettings& settings,
                                       int displayKind, int p);

// The time-period player: "Play" steps one period a second; after the last
// period it returns to the first and stops.
class PeriodPlayer {
public:
    explicit PeriodPlayer(int periods = 0) : periods(periods) {}
    void SetPeriods(int count) { periods = count; }
    bool CanPlay() const { return periods > 0; }
    bool Playing() const { return playing; }
    void Start(int current) {
        period = current;
        playing = CanPlay();
    }
    void Stop() { playing = false; }
    // One tick: the period now shown.
    int Tick();
    int Period() const { return period; }

private:
    int periods = 0;
    int period = 0;
    bool playing = false;
};

} // namespace korva
