#pragma once
// The problems the check before a run finds in the settings: three parallel
// lists, one entry per problem. A negative current value marks a problem that
// has no value to edit.
#include <cstddef>
#include <string>
#include <vector>

namespace korva {

// The problem texts; ApplyModelCheckValues recognises the first two by them.
inline constexpr const char* IrrigationTimeStepProblem = "Irrigation Time Step";
inline constexpr const char* SimulationTimeStepProblem = "Simulation Time Step";
inline constexpr const char* IrrigationOnFirstDayProblem =
    "Irrigation start must not begin on the first day of the simulation";

struct ProblemList {
    std::vector<std::string> messages;
    std::vector<double> currentValues;
    std::vector<double> defaultValues;

    std::size_t Count() const { return messages.size(); }
    bool Empty() const { return messages.empty(); }
    void Add(const std::string& message, double currentValue, double defaultValue);
    // Replaces every editable current value by its default (what the user gets
    // by accepting the proposals unchanged).
    void UseDefaults();
};

} // namespace korva
