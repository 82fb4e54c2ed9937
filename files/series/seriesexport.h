#pragma once
// The tab-delimited text of chosen time series, sampled at an interval in
// days: what "Write to tab-delimited file using timestep:" writes and what
// korva-batch export-series writes.
#include "seriescatalog.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace korva {

// The next output time once a sample at time has been looked at: from the
// whole part of next onwards in steps of interval until it is no longer below
// time. An interval of 0 or less leaves next as it is (every sample is
// written). An interval too small to move on from the whole part (below the
// fraction of next) steps from next itself, so the export never stalls.
double AdvanceOutputTime(double next, double time, double interval);

// For each entry a header line "CODE NAME", then one line per written sample:
// tab, date m/d/yyyy, tab, fraction of the day, tab, time in days, tab, value.
// A sample is written when the next output time (0 at the start of each
// series) is below its time.
void WriteSeriesExport(const GridData& grid, const std::vector<SeriesEntry>& chosen,
                       double interval, std::ostream& out);

// Writes the export to path through a temporary file in the same folder that
// replaces path only when complete. Nothing is written when chosen is empty
// (true). False, after the message "Unable to open " + path, when the file
// cannot be created or written; an existing file is then left as it was.
bool ExportSeries(const GridData& grid, const std::vector<SeriesEntry>& chosen, double interval,
                  const std::string& path);

} // namespace korva
