#include "simulationsettings.h"

namespace korva {

namespace {

template <std::size_t N> const char* NameAt(const char* const (&names)[N], int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return nullptr;
    return names[code];
}

constexpr const char* pressureSaturationNames[] = {"Brooks Corey", "Van-Genuchten", "Haverkamp"};
constexpr const char* rootGrowthNames[] = {"Rasmussen & Hanks (1979)", "Fereres et al. (1981)",
                                           "Hanks & Hill (1980)", "Borg & Grimes (1987)",
                                           "Schouwenaars (1988)"};
constexpr const char* rootExtractionNames[] = {
    "van Genuchten (1987)",  "Molz & Remson (1970)",     "Hillel et al. (1976)",
    "VS2DT (1978)",          "Feddes et al. (1974)",     "Gardner (1964)",
    "Whisler et al. (1968)", "Herkelrath et al. (1977)", "van Genuchten & Hoffman (1984)"};
constexpr const char* cropYieldNames[] = {"Yield Model 1"};
constexpr const char* kWeightingNames[] = {"Upstream Weighting", "Arithmetic Mean", "Harmonic Mean",
                                           "Geometric Mean"};
constexpr const char* equationTypeNames[] = {"Mass Balance", "Taylor Series"};
constexpr const char* initialConditionsNames[] = {"User Defined", "Static Equilibrium"};

constexpr const char* topActivity = "Root Top Activity (1/cm^2)";
constexpr const char* bottomActivity = "Root Bottom Activity (1/cm^2)";
constexpr const char* pressureHead = "Root Pressure Head (cm)";
constexpr const char* empirical = "Empirical Constant";

// One row per extraction method; the positions a method leaves empty are
// hidden in the editor but keep their stored values.
constexpr const char* extractionLabels[RootExtractionMethodCount][RootExtractionParamCount] = {
    {"Stress Coefficient 1", "Stress Coefficient 2", "Extraction Head at 50%", empirical, nullptr},
    {"Stress Coefficient 1", "Stress Coefficient 2", "Extraction Head at 50%", empirical, nullptr},
    {empirical, "Root Resistance", topActivity, bottomActivity, pressureHead},
    {topActivity, bottomActivity, pressureHead, nullptr, nullptr},
    {empirical, pressureHead, nullptr, nullptr, nullptr},
    {empirical, topActivity, bottomActivity, pressureHead, nullptr},
    {topActivity, bottomActivity, pressureHead, nullptr, nullptr},
    {"Root Permeability", topActivity, bottomActivity, pressureHead, nullptr},
    {"Matric Pressure", "Osmotic Pressure at 50% Yield Reduction ", "Maximum Water Uptake", nullptr,
     nullptr},
};

} // namespace

const char* PressureSaturationMethodName(int code) {
    return NameAt(pressureSaturationNames, code);
}
const char* RootGrowthMethodName(int code) {
    return NameAt(rootGrowthNames, code);
}
const char* RootExtractionMethodName(int code) {
    return NameAt(rootExtractionNames, code);
}
const char* CropYieldMethodName(int code) {
    return NameAt(cropYieldNames, code);
}
const char* KWeightingMethodName(int code) {
    return NameAt(kWeightingNames, code);
}
const char* EquationTypeName(int code) {
    return NameAt(equationTypeNames, code);
}
const char* InitialConditionsTypeName(int code) {
    return NameAt(initialConditionsNames, code);
}

const char* RootExtractionParamLabel(int method, int position) {
    if (method < 0 || method >= RootExtractionMethodCount) return nullptr;
    if (position < 0 || position >= RootExtractionParamCount) return nullptr;
    return extractionLabels[method][position];
}

int RootExtractionParamUsedCount(int method) {
    int count = 0;
    while (count < RootExtractionParamCount && RootExtractionParamLabel(method, count) != nullptr)
        ++count;
    return count;
}

} // namespace korva
