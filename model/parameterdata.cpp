#include "parameterdata.h"

namespace korva {

void ParameterData::RecomputeRange() {
    if (layers.empty() || layers.front().empty() || layers.front().front().empty()) return;
    bool found = false;
    double low = NoDataValue;
    double high = NoDataValue;
    for (const ParamLayerData& layer : layers) {
        for (const ParamRowData& row : layer) {
            for (double value : row) {
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
        }
    }
    minValue = low;
    maxValue = high;
}

} // namespace korva
