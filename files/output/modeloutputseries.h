#pragma once
// The solver's ".tss" time-series files: one file per output code, holding
// blocks of a header line and "time value" lines, one block per series.
#include "model/outputstore.h"

#include <string_view>
#include <vector>

namespace korva {

// Parses the text of a ".tss" file: series whose names begin with "Ave" go to
// averageSeries, every other one to cellSeries (appended in file order).
// A malformed data line is reported and ends its series.
void ParseTimeSeriesText(std::string_view text, std::vector<TimeSeriesRecord>& cellSeries,
                         std::vector<TimeSeriesRecord>& averageSeries);

// The series name of a header line: from the first "_" to the end, or the
// whole header, less the last character.
std::string SeriesNameFromHeader(std::string_view header);

// Orders cell series by the cell in their names ("_x%dy%dz%d" or "_x%dy%d"):
// ascending by y, then x, then z (z is -1 for a surface cell). Names of
// another form come first, in their file order.
void SortCellSeries(std::vector<TimeSeriesRecord>& cellSeries);

} // namespace korva
