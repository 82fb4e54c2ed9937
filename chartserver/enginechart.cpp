// Graph1 in libpxserver.so: the project's chart engine. Loading the library
// makes every hidden form's chart a ChartControl of the engine.
#include "enginechart.h"

#include "chartcontrol.h"
#include "component.h"

namespace korva::pxserver {
namespace {

class EngineChart : public ChartSurface {
public:
    plot::PropertyValue Get(std::string_view name, std::optional<int> index) const override {
        return control_.Get(name, index);
    }
    void Set(std::string_view name, std::optional<int> index,
             const plot::PropertyValue& value) override {
        control_.Set(name, index, value);
    }

private:
    plot::ChartControl control_;
};

const bool kEngineInstalled = [] {
    Component::Instance().SetChartFactory(EngineChartFactory());
    return true;
}();

} // namespace

ChartFactory EngineChartFactory() {
    return [] { return std::make_unique<EngineChart>(); };
}
} // namespace korva::pxserver
