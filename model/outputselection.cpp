#include "outputselection.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace korva {

namespace {
constexpr OutputParamInfo outputParams[OutputParamCount] = {
    {"MC", "(3D) Soil Moisture Content", "Fraction Full"},
    {"SN", "(3D) Soil Saturation", "Soil Sat Units"},
    {"US", "(3D) Salt Concentration", "dS/m"},
    {"HC", "(3D) Soil Capillary Pressure", "Soil Capillary Pressure Units"},
    {"HD", "(3D) Hydraulic Head", "Hydraulic Head units"},
    {"SK", "(3D) Plant Uptake", "Sink Units"},
    {"FL", "(3D) Flux", "Flux Units"},
    {"QX", "(3D) Flow Along the X-Direction", "QX Units"},
    {"QY", "(3D) Flow Along the Y-Direction", "QY Units"},
    {"WE", "(2D) Water Table Elevation", "Meters"},
    {"DW", "(2D) Depth to Water Table", "Meters"},
    {"RY", "(2D) Relative Yield", "Fraction of Yield"},
    {"RG", "(2D) Root growth", "Meters"},
    {"SWT", "(2D) Salt at Water Table", "dS/m"},
};
} // namespace

std::array<double, 3> TimeSeriesCellColor{0.0, 1.0, 0.0};
int TimeSeriesDisplay = 1;

const OutputParamInfo& OutputParam(int code) {
    if (code < 0 || code >= OutputParamCount)
        throw std::out_of_range("output parameter code " + std::to_string(code));
    return outputParams[code];
}

void InsertPrintDate(std::vector<PrintDataItem>& list, const PrintDataItem& item) {
    // Dates compare by year, month and day; impossible dates sort by their
    // numbers like any other, so nothing the user typed is dropped here.
    auto before = [](const PrintDataItem& a, const PrintDataItem& b) {
        if (a.year != b.year) return a.year < b.year;
        if (a.month != b.month) return a.month < b.month;
        return a.day < b.day;
    };
    list.insert(std::upper_bound(list.begin(), list.end(), item, before), item);
}

int OutputParamCodeFromText(const char* text) {
    if (text == nullptr) return -1;
    for (int code = 0; code < OutputParamCount; ++code)
        if (std::strcmp(outputParams[code].text, text) == 0) return code;
    return -1;
}

} // namespace korva
