#pragma once
// ChartSurface: the chart control Graph1 as the hidden form hosts it. The
// component drives the chart only through this, so the chart engine can be
// replaced by a double in tests.
#include "chartcontrol.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace korva::pxserver {

class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    // Both throw plot::ChartError when the chart refuses the access.
    virtual plot::PropertyValue Get(std::string_view name, std::optional<int> index) const = 0;
    virtual void Set(std::string_view name, std::optional<int> index,
                     const plot::PropertyValue& value) = 0;
};

using ChartFactory = std::function<std::unique_ptr<ChartSurface>()>;

} // namespace korva::pxserver
