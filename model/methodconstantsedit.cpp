#include "methodconstantsedit.h"

namespace korva {

namespace {

// A stored method code outside the list (a hand-edited project file) opens
// the editor on the first method rather than failing.
template <std::size_t Methods> int ValidMethod(int32_t method) {
    return method >= 0 && static_cast<std::size_t>(method) < Methods ? method : 0;
}

} // namespace

PressureSaturationEdit StartPressureSaturationEdit(const SimulationSettings& settings) {
    PressureSaturationEdit::Table table{};
    for (std::size_t m = 0; m < table.size(); ++m)
        table[m] = {settings.poreSize[m], settings.residualMoisture[m], settings.scaleLength[m]};
    return {table, ValidMethod<PressureSaturationMethodCount>(settings.pressureSaturationMethod)};
}

void StorePressureSaturationEdit(const PressureSaturationEdit& edit, SimulationSettings& settings) {
    settings.pressureSaturationMethod = edit.Method();
    for (std::size_t m = 0; m < edit.Constants().size(); ++m) {
        settings.poreSize[m] = edit.Constants()[m][0];
        settings.residualMoisture[m] = edit.Constants()[m][1];
        settings.scaleLength[m] = edit.Constants()[m][2];
    }
}

RootGrowthEdit StartRootGrowthEdit(const SimulationSettings& settings) {
    RootGrowthEdit::Table table{};
    for (std::size_t m = 0; m < table.size(); ++m)
        table[m] = {settings.empiricalConstant1[m], settings.empiricalConstant2[m]};
    return {table, ValidMethod<RootGrowthMethodCount>(settings.rootGrowthMethod)};
}

void StoreRootGrowthEdit(const RootGrowthEdit& edit, SimulationSettings& settings) {
    settings.rootGrowthMethod = edit.Method();
    for (std::size_t m = 0; m < edit.Constants().size(); ++m) {
        settings.empiricalConstant1[m] = edit.Constants()[m][0];
        settings.empiricalConstant2[m] = edit.Constants()[m][1];
    }
}

RootExtractionEdit StartRootExtractionEdit(const SimulationSettings& settings) {
    return {settings.rootExtractionParams,
            ValidMethod<RootExtractionMethodCount>(settings.rootExtractionMethod)};
}

void StoreRootExtractionEdit(const RootExtractionEdit& edit, SimulationSettings& settings) {
    settings.rootExtractionMethod = edit.Method();
    settings.rootExtractionParams = edit.Constants();
}

} // namespace korva
