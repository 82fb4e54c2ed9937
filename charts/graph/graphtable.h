#pragma once
// The data of a graph as tab-separated text ("Export Data..."), so a user can
// take the numbers behind a chart into a spreadsheet.
#include "graphdata.h"

#include <string>

namespace korva::charts {

// One header line, then one line per point of the current frame: the X label
// (the point's label, else its number from 1), then per set of the main and
// the overlay group its X value (when the graph has X values) and its Y value.
std::string GraphDataTable(const GraphData& data);

} // namespace korva::charts
