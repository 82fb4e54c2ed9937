#pragma once
// The time series a run left, as the output display lists them: parameter by
// parameter in code order, and within a parameter series by series in the
// order the output store keeps them. Each entry carries the text the list
// shows and the key korva-batch names it by ("MC:_x5y4z0").
#include "model/griddata.h"

#include <string>
#include <vector>

namespace korva {

// Where a series belongs, from the name the solver gave it: "_x%dy%dz%d" (a
// cell with its layer), "_x%dy%d" (a surface cell) or "_%d_%s" (a basin
// number and a basin parameter). Numbers of cells are 0-based.
struct SeriesPlace {
    enum class Kind { Cell, Basin };
    Kind kind = Kind::Cell;
    int x = 0;     // row
    int y = 0;     // column
    int z = -1;    // layer, -1 when the name has none
    int basin = 0; // counted from 1, as the basin membership grid counts
    std::string basinParameter;
};

// False when name fits none of the three forms.
bool ParseSeriesName(const std::string& name, SeriesPlace& place);

struct SeriesEntry {
    int code = 0;  // output parameter code 0..13
    int index = 0; // position in the store's cell series list of that code
    std::string text;
};

// "Parameter MC ((3D) Soil Moisture Content) cell row 4, col 5, layer 2", or
// for a basin series "... <parameter> for basin <name>".
std::string SeriesListText(const GridData& grid, int code, const SeriesPlace& place);

// Every cell series of the output store in list order. A name that fits no
// form is reported with "Unable to parse basin parameter." and left out.
std::vector<SeriesEntry> ListTimeSeries(const GridData& grid);

const TimeSeriesRecord& SeriesRecord(const GridData& grid, const SeriesEntry& entry);
// "CODE:NAME", the code text and the series name as the store holds it.
std::string SeriesKey(const GridData& grid, const SeriesEntry& entry);
// The entry of list whose key is key, or nullptr.
const SeriesEntry* FindSeries(const GridData& grid, const std::vector<SeriesEntry>& list,
                              const std::string& key);

// Values of "(2D) Depth to Water Table" are shown and written negated, so a
// deeper water table plots lower; every other parameter as it is.
double ShownSeriesValue(int code, double value);

// "m/d/yyyy" of the day that holds time (days from 1 January of the
// simulation year).
std::string SeriesDateText(double time, int simulationYear);

} // namespace korva
