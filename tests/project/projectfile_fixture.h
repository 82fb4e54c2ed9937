#pragma once
// Models and texts shared by the project file tests.
#include "model/griddata.h"

#include <array>
#include <string>

namespace korva::testing {

// A 3D model of 3 rows x 4 columns x 2 layers with something in every
// section: values that need rounding, cells without data, boundaries of every
// kind (drains into a collector and into none), names with spaces, crops,
// basins with irrigation and yield data, an ET period, print dates, time-series
// selections and a grid output list.
GridData RichModel();

// The model's project text as the writer produces it.
std::string ProjectText(const GridData& grid);

// Replaces the first occurrence of from in text with to (the test fails when
// from is absent).
std::string Replaced(std::string text, const std::string& from, const std::string& to);

// Restores the process-wide time-series colour and display switch on exit.
class TimeSeriesGlobalsGuard {
public:
    TimeSeriesGlobalsGuard();
    ~TimeSeriesGlobalsGuard();

private:
    std::array<double, 3> color_;
    int display_;
};

} // namespace korva::testing
