#pragma once
// The problems the check before a run finds in the settings: parallel lists,
// one entry per problem. A problem either carries a value the user can edit
// (shown with its proposed default) or only a message.
#include <cstddef>
#include <string>
#include <vector>

namespace korva {

// The problem texts; ApplyModelCheckValues recognises the first two by them.
inline constexpr const char* IrrigationTimeStepProblem = "Irrigation Time Step";
inline constexpr const char* SimulationTimeStepProblem = "Simulation Time Step";
inline constexpr const char* IrrigationOnFirstDayProblem =
    "Irrigation start must not begin on the first day of the simulation";
inline constexpr const char* PorosityProblem = "Porosity";
inline constexpr const char* SimulationStartProblem = "Simulation Start Day";
inline constexpr const char* SimulationEndProblem = "Simulation End Day";

struct ProblemList {
    std::vector<std::string> messages;
    std::vector<double> currentValues;
    std::vector<double> defaultValues;
    std::vector<bool> editable;

    std::size_t Count() const { return messages.size(); }
    bool Empty() const { return messages.empty(); }
    // A problem with a value to edit when currentValue is not negative.
    void Add(const std::string& message, double currentValue, double defaultValue);
    // A problem with a value to edit whatever its sign (a negative time step).
    void AddEditable(const std::string& message, double currentValue, double defaultValue);
    // Whether problem i carries a value the user can edit.
    bool Editable(std::size_t i) const { return i < editable.size() && editable[i]; }
    // Replaces every editable current value by its default (what the user gets
    // by accepting the proposals unchanged).
    void UseDefaults();
};

} // namespace korva
