#pragma once
// The working copy of a per-method editor (pressure saturation, root growth,
// root extraction): the constants of every method side by side, and the one
// method whose constants the edit boxes show. Switching methods first keeps
// the shown values in the old method's slots, so no method loses its values.
#include "simulationsettings.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace korva {

template <std::size_t Methods, std::size_t Values> class MethodConstantsEdit {
public:
    using Row = std::array<double, Values>;
    using Table = std::array<Row, Methods>;

    MethodConstantsEdit(const Table& table, int method) : table_(table), method_(Checked(method)) {}

    int Method() const { return method_; }
    const Row& Shown() const { return table_[static_cast<std::size_t>(method_)]; }
    const Table& Constants() const { return table_; }

    // The method choice changed: shown goes into the previous method's slots
    // and the new method's values come back for the edit boxes.
    const Row& SelectMethod(int method, const Row& shown) {
        table_[static_cast<std::size_t>(method_)] = shown;
        method_ = Checked(method);
        return Shown();
    }

    // OK: shown goes into the current method; then store Method() and Constants().
    void Accept(const Row& shown) { table_[static_cast<std::size_t>(method_)] = shown; }

private:
    static int Checked(int method) {
        if (method < 0 || static_cast<std::size_t>(method) >= Methods)
            throw std::out_of_range("method code " + std::to_string(method));
        return method;
    }

    Table table_;
    int method_;
};

// Pressure saturation: pore size, residual moisture and scale length per method.
using PressureSaturationEdit = MethodConstantsEdit<PressureSaturationMethodCount, 3>;
// Root growth: the two empirical constants per method.
using RootGrowthEdit = MethodConstantsEdit<RootGrowthMethodCount, 2>;
// Root extraction: the five values per method.
using RootExtractionEdit = MethodConstantsEdit<RootExtractionMethodCount, RootExtractionParamCount>;

PressureSaturationEdit StartPressureSaturationEdit(const SimulationSettings& settings);
void StorePressureSaturationEdit(const PressureSaturationEdit& edit, SimulationSettings& settings);
RootGrowthEdit StartRootGrowthEdit(const SimulationSettings& settings);
void StoreRootGrowthEdit(const RootGrowthEdit& edit, SimulationSettings& settings);
RootExtractionEdit StartRootExtractionEdit(const SimulationSettings& settings);
void StoreRootExtractionEdit(const RootExtractionEdit& edit, SimulationSettings& settings);

// The root growth constants can be edited only for these methods.
inline bool RootGrowthConstantsEditable(int method) {
    return method == RASMUSSEN_HANKS || method == HANKS_HILL;
}

} // namespace korva
