#pragma once
// The solver's results as read back from its output files: gridded quantities
// per output time, and per output code the cell and average time series.
#include "grid3d.h"
#include "outputselection.h"
#include "parameterdata.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korva {

struct KORVAOutputTimeData {
    Grid3D<double> values; // one layer per grid layer (kind 3) or one (kind 2)
    int32_t month = 0;
    int32_t day = 0;
    int32_t year = 0;
    double time = 0.0; // the ".day" number; -1 once the date has been derived from it
    bool operator==(const KORVAOutputTimeData&) const = default;
};

struct KORVAOutputData {
    std::string name; // "US SALT CONCENTRATION", "WE WATER TABLE ELEVATION", ...
    std::vector<KORVAOutputTimeData> times;
    double minimum = NoDataValue;
    double maximum = NoDataValue;
    RgbColor lowColor{1.0, 0.0, 0.0};
    RgbColor highColor{0.0, 1.0, 0.0};
    int32_t kind = 3; // 3: per layer, 2: surface
    bool operator==(const KORVAOutputData&) const = default;
};

struct TimeSeriesRecord {
    std::string name;
    std::vector<double> x; // times
    std::vector<double> y; // values
    bool operator==(const TimeSeriesRecord&) const = default;
};

struct OutputStore {
    std::vector<KORVAOutputData> gridOutputs; // per-layer quantities first
    std::array<std::vector<TimeSeriesRecord>, OutputParamCount> cellSeries;
    std::array<std::vector<TimeSeriesRecord>, OutputParamCount> averageSeries;

    bool Empty() const;
    void Clear();
    bool operator==(const OutputStore&) const = default;
};

} // namespace korva
