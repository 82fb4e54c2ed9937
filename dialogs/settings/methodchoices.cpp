#include "methodchoices.h"

namespace korva {

namespace {

std::vector<std::string> Names(const char* (*name)(int), int count) {
    std::vector<std::string> names;
    for (int code = 0; code < count; ++code)
        names.emplace_back(name(code));
    return names;
}

} // namespace

const MethodChoiceInfo& MethodChoiceDescription(MethodChoice choice) {
    static const MethodChoiceInfo kWeighting{"K-Weighting Method",
                                             Names(KWeightingMethodName, KWeightingMethodCount),
                                             &SimulationSettings::kWeightingMethod};
    static const MethodChoiceInfo equation{"Equation Type",
                                           Names(EquationTypeName, EquationTypeCount),
                                           &SimulationSettings::equationType};
    static const MethodChoiceInfo initial{
        "Initial Conditions", Names(InitialConditionsTypeName, InitialConditionsTypeCount),
        &SimulationSettings::initialConditionsType};
    switch (choice) {
    case MethodChoice::KWeighting:
        return kWeighting;
    case MethodChoice::EquationType:
        return equation;
    case MethodChoice::InitialConditions:
        break;
    }
    return initial;
}

int ShownMethodCode(const MethodChoiceInfo& info, int32_t stored) {
    return stored >= 0 && static_cast<std::size_t>(stored) < info.names.size() ? stored : 0;
}

} // namespace korva
