#pragma once
// The run settings of the solver and the method choices, each method keeping
// its own constants so that switching methods loses nothing.
#include <array>
#include <cstdint>
#include <vector>

namespace korva {

enum PressureSaturationMethodEnum { BROOKS_COREY = 0, VAN_GENUCHTEN_PS = 1, HAVERKAMP = 2 };
enum RootGrowthMethodEnum {
    RASMUSSEN_HANKS = 0,
    FERERES = 1,
    HANKS_HILL = 2,
    BORG_GRIMES = 3,
    SCHOUWENAARS = 4
};
enum RootExtractionMethodEnum {
    VAN_GENUCHTEN = 0,
    MOLZ_REMSON = 1,
    HILLEL = 2,
    VS2DT = 3,
    FEDDES = 4,
    GARDNER = 5,
    WHISLER = 6,
    HERKELRATH = 7,
    VAN_GENUCHTEN_HOFFMAN = 8
};
enum CropYieldMethodEnum { YIELD_MODEL_1 = 0 };
enum KWeightingMethodEnum {
    UPSTREAM_WEIGHTING = 0,
    ARITHMETIC_MEAN = 1,
    HARMONIC_MEAN = 2,
    GEOMETRIC_MEAN = 3
};
enum EquationTypeEnum { MASS_BALANCE = 0, TAYLOR_SERIES = 1 };
enum InitialConditionsTypeEnum { USER_DEFINED = 0, STATIC_EQUILIBRIUM = 1 };

constexpr int PressureSaturationMethodCount = 3;
constexpr int RootGrowthMethodCount = 5;
constexpr int RootExtractionMethodCount = 9;
constexpr int RootExtractionParamCount = 5;
constexpr int KWeightingMethodCount = 4;
constexpr int EquationTypeCount = 2;
constexpr int InitialConditionsTypeCount = 2;

// The names the dialogs show, by code; nullptr outside the list.
const char* PressureSaturationMethodName(int code); // "Brooks Corey", ...
const char* RootGrowthMethodName(int code);         // "Rasmussen & Hanks (1979)", ...
const char* RootExtractionMethodName(int code);     // "van Genuchten (1987)", ...
const char* CropYieldMethodName(int code);          // "Yield Model 1"
const char* KWeightingMethodName(int code);         // "Upstream Weighting", ...
const char* EquationTypeName(int code);             // "Mass Balance", ...
const char* InitialConditionsTypeName(int code);    // "User Defined", ...
// The labels of the five root extraction values of a method; nullptr for a
// position the method does not use.
const char* RootExtractionParamLabel(int method, int position);
// How many of the five values method uses (the visible fields of the editor).
int RootExtractionParamUsedCount(int method);

struct ETPeriodData {
    int32_t first = 0; // day numbers, both covered by the daily list
    int32_t last = 0;  // 0: no daily values defined
    bool operator==(const ETPeriodData&) const = default;
};

struct SimulationSettings {
    double freeDiffusion = 0.0;
    double irrigationTimeStep = 0.0;
    double simulationTimeStep = 0.0;
    double porosity = 0.0;
    int32_t simulationYear = 1990;
    int32_t simulationStart = 0; // day number of the first simulated day
    int32_t simulationEnd = 0;   // day number of the last simulated day
    double toleranceLevel1 = 0.0;
    double toleranceLevel2 = 0.0;
    double tortuosity = 0.0;
    double kvKhRatio = 1.0;
    double waterCompressibility = 0.0;
    double longitudinalDispersion = 0.0; // cm
    double horizontalDispersion = 0.0;   // cm
    double verticalDispersion = 0.0;     // cm
    double useSaltSolver = 1.0;          // 0 or 1

    int32_t pressureSaturationMethod = BROOKS_COREY;
    std::array<double, PressureSaturationMethodCount> poreSize{};
    std::array<double, PressureSaturationMethodCount> residualMoisture{};
    std::array<double, PressureSaturationMethodCount> scaleLength{};

    int32_t rootGrowthMethod = RASMUSSEN_HANKS;
    std::array<double, RootGrowthMethodCount> empiricalConstant1{};
    std::array<double, RootGrowthMethodCount> empiricalConstant2{};

    int32_t rootExtractionMethod = VAN_GENUCHTEN;
    std::array<std::array<double, RootExtractionParamCount>, RootExtractionMethodCount>
        rootExtractionParams{};

    int32_t cropYieldMethod = YIELD_MODEL_1;
    int32_t kWeightingMethod = UPSTREAM_WEIGHTING;
    int32_t equationType = MASS_BALANCE;
    int32_t initialConditionsType = USER_DEFINED;

    ETPeriodData ETPeriod;
    std::vector<double> DailyETUsage; // entry i belongs to day ETPeriod.first + i
    bool operator==(const SimulationSettings&) const = default;
};

} // namespace korva
