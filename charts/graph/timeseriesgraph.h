#pragma once
// The graphs of "Display Graph": one GraphData per output parameter among
// the chosen series, over a period of days of the run.
#include "files/series/seriescatalog.h"
#include "graphdata.h"

#include <string>
#include <vector>

namespace korva::charts {

// Days per date label for a period of days from..to: the number of days is
// halved (and the step doubled) while it is above 120. days returns the
// number left, which sets the count of X ticks.
int SeriesLabelStep(int fromDay, int toDay, int* days = nullptr);

// The unit text on the left axis of a parameter's graph.
std::string SeriesUnitText(int code);

// "yyyy:mm:dd" of a day number of the simulation year.
std::string GraphDateText(int dayNumber, int simulationYear);

// The graphs of the chosen series (in list order) from day fromDay to day
// toDay. The points are the samples of the first chosen series within the
// period; the other series are read at the same sample positions (a series
// that ends sooner keeps its last point, so its line simply stops). Empty,
// with a reason in problem, when the first series has no sample in the period.
std::vector<GraphData> MakeTimeSeriesGraphs(const GridData& grid,
                                            const std::vector<SeriesEntry>& chosen, int fromDay,
                                            int toDay, std::string* problem = nullptr);

} // namespace korva::charts
