#pragma once
// ChartControl: our chart engine's control, a chart model addressed by
// property name (with an optional 16-bit index), drawn by a headless renderer.
// The chart server component drives it exactly like the chart control on its
// hidden form; the program's graph window will use the same model.
//
// Thread safety: any number of ChartControl objects may be used from any
// threads, one object per thread at a time. Drawing is done on the engine's
// single render thread (Qt Charts must not be driven from several threads);
// a drawing call blocks its caller until the image is written.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korva::plot {

// The value of a property. Integer is 16-bit, Long 32-bit, Single and Double
// IEEE floats of 32 and 64 bits.
using PropertyValue =
    std::variant<std::monostate, bool, int16_t, int32_t, float, double, std::string>;

enum class PropertyType { Integer, Long, Single, Double, Text, Boolean };

struct PropertyInfo {
    const char* name;
    PropertyType type;
    bool indexed;
    bool readOnly;
};

// Every property of the control, in a fixed order.
const std::vector<PropertyInfo>& Properties();
// The property named name (compared without regard to case), or nullptr.
const PropertyInfo* FindProperty(std::string_view name);

// Raised by a property access that the control refuses: an unknown name, a
// write of a read-only property, a value that does not fit its type
// ("Overflow"), an index out of range, a drawing that failed.
class ChartError : public std::runtime_error {
public:
    ChartError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// Converts v to the property's type (numbers between numeric types, numbers
// and text both ways, as a late-bound caller expects); throws ChartError on
// overflow or text that is not a number.
PropertyValue ConvertToType(const PropertyValue& v, PropertyType type);
// The ordinary shortest text of a value, as trace lines show it.
std::string ValueText(const PropertyValue& v);

class ChartControl {
public:
    ChartControl();
    ~ChartControl();
    ChartControl(const ChartControl&) = delete;
    ChartControl& operator=(const ChartControl&) = delete;

    // Reads property name (index for indexed properties); throws ChartError.
    PropertyValue Get(std::string_view name, std::optional<int> index = std::nullopt) const;
    // Writes property name; the value is converted to the property's type.
    // Writing DrawMode performs the drawing action of that mode (for example
    // writing ImageFile or MapFile); throws ChartError.
    void Set(std::string_view name, std::optional<int> index, const PropertyValue& value);
    void Set(std::string_view name, const PropertyValue& value) { Set(name, std::nullopt, value); }

    // The chart model behind the properties, for a view that shows this
    // chart itself (ChartSceneBuilder::Build into its own QChart, on the GUI
    // thread).
    const class ChartModel& Model() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace korva::plot
