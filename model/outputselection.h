#pragma once
// What the solver is asked to report: the 14 output quantities, print dates,
// per-cell time-series selections and the grid output list.
#include <array>
#include <cstdint>
#include <vector>

namespace korva {

constexpr int OutputParamCount = 14;
// Codes 0..8 are per-layer quantities, 9..13 surface quantities.
constexpr int LastLayeredOutputCode = 8;

struct OutputParamInfo {
    const char* text;        // "MC", "SN", ...
    const char* displayName; // "(3D) Soil Moisture Content", ...
    const char* unit;        // "Fraction Full", ...
};

// The entry of code 0..13; throws std::out_of_range for another code.
const OutputParamInfo& OutputParam(int code);
// The code whose text is text, or -1.
int OutputParamCodeFromText(const char* text);
inline bool IsLayeredOutput(int code) {
    return code >= 0 && code <= LastLayeredOutputCode;
}

struct PrintDataItem {
    int32_t month = 0;
    int32_t day = 0;
    int32_t year = 0;
    bool operator==(const PrintDataItem&) const = default;
};

// Inserts item into list at its place in ascending date order (after items of
// the same date): how the print control editor rebuilds the print list.
void InsertPrintDate(std::vector<PrintDataItem>& list, const PrintDataItem& item);

using OutputParamDataItem = std::vector<int32_t>; // codes in the order of selection
using OutputParamDataRow = std::vector<OutputParamDataItem>;
using OutputParamDataLayer = std::vector<OutputParamDataRow>;

// Process-wide: the colour that marks cells with time-series selections in the
// 3D view, and whether that marking is on. Every project load sets both.
extern std::array<double, 3> TimeSeriesCellColor;
extern int TimeSeriesDisplay;

} // namespace korva
