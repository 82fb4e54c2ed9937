#include "parameterdata.h"

namespace korva {

void ParameterData::RecomputeRange() {
    if (values.Empty()) return;
    bool found = false;
    double low = NoDataValue;
    double high = NoDataValue;
    for (double value : values.Cells()) {
        if (value == NoDataValue) continue;
        if (!found) {
            low = high = value;
            found = true;
        } else if (value < low) {
            low = value;
        } else if (value > high) {
            high = value;
        }
    }
    minValue = low;
    maxValue = high;
}

} // namespace korva
