#pragma once
// FakeChart: a chart double for the component's tests. It keeps every
// property it is given, and its drawing modes write small files the way the
// engine writes the image and the map.
#include "chartcodes.h"
#include "chartsurface.h"

#include <atomic>
#include <fstream>
#include <map>
#include <string>

namespace korva::pxserver::test {

struct FakeChartOptions {
    std::atomic<bool> drawFails{false};    // DrawMode 6 raises an error
    std::atomic<bool> drawsNothing{false}; // DrawMode 6 writes no image
};

inline FakeChartOptions& FakeOptions() {
    static FakeChartOptions options;
    return options;
}

class FakeChart : public ChartSurface {
public:
    plot::PropertyValue Get(std::string_view name, std::optional<int> index) const override {
        const auto found = values_.find(Key(name, index));
        if (found != values_.end()) return found->second;
        if (name == "CtlVersion") return std::string("fake");
        return int16_t{0};
    }

    void Set(std::string_view name, std::optional<int> index,
             const plot::PropertyValue& value) override {
        if (name == "Rotation" && std::holds_alternative<int16_t>(value) &&
            std::get<int16_t>(value) < 0)
            throw plot::ChartError(380, "Invalid property value: Rotation");
        values_[Key(name, index)] = value;
        if (name != "DrawMode") return;
        const int16_t mode = std::get<int16_t>(value);
        if (mode == plot::kDrawWriteImage) {
            if (FakeOptions().drawFails) throw plot::ChartError(75, "Cannot write image file");
            if (!FakeOptions().drawsNothing) Write("ImageFile", "\xFF\xD8 fake image");
        } else if (mode == plot::kDrawWriteMap) {
            Write("MapFile", "<map name=\"chart\"></map>");
        }
    }

private:
    static std::string Key(std::string_view name, std::optional<int> index) {
        return std::string(name) + (index ? "(" + std::to_string(*index) + ")" : "");
    }
    void Write(const char* property, const char* contents) {
        std::ofstream out(std::get<std::string>(values_.at(property)),
                          std::ios::binary | std::ios::trunc);
        out << contents;
    }
    std::map<std::string, plot::PropertyValue> values_;
};

} // namespace korva::pxserver::test
