#pragma once
// ChartProperties: the chart properties that PXServerProp passes through to
// Graph1, each with its type and index form.
#include "chartcontrol.h"

#include <span>
#include <string_view>

namespace korva::pxserver {

struct ChartProperty {
    const char* name;
    plot::PropertyType type;
    bool indexed;
    bool readOnly;
};

std::span<const ChartProperty> ChartProperties();
// The chart property named name (without regard to case), or nullptr.
const ChartProperty* FindChartProperty(std::string_view name);

} // namespace korva::pxserver
