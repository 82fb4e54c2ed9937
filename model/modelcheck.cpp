// The check of the critical settings before a run, and the write-back of the
// values the user corrected.
#include "modelcheck.h"

#include "calendar.h"
#include "griddata.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace korva {

namespace {

// A day number typed into the check dialog: rounded, and kept within what a
// day number can hold.
int32_t DayNumberOf(double value) {
    if (!std::isfinite(value)) return -1;
    const double rounded = std::round(value);
    return static_cast<int32_t>(
        std::clamp(rounded, -1.0, double(std::numeric_limits<int32_t>::max())));
}

} // namespace

void ProblemList::Add(const std::string& message, double currentValue, double defaultValue) {
    messages.push_back(message);
    currentValues.push_back(currentValue);
    defaultValues.push_back(defaultValue);
    editable.push_back(currentValue >= 0);
}

void ProblemList::AddEditable(const std::string& message, double currentValue,
                              double defaultValue) {
    Add(message, currentValue, defaultValue);
    editable.back() = true;
}

void ProblemList::UseDefaults() {
    for (std::size_t i = 0; i < currentValues.size() && i < defaultValues.size(); ++i) {
        if (Editable(i)) currentValues[i] = defaultValues[i];
    }
}

void GridData::CheckModel(ProblemList& problems) const {
    // A time step that is not positive would never advance the solver's clock
    // (a negative one would run it backwards). The settings dialog accepts
    // any number, so this is where such values are caught.
    if (!(data_.settings.irrigationTimeStep > 0))
        problems.AddEditable(IrrigationTimeStepProblem, data_.settings.irrigationTimeStep, 1);
    if (!(data_.settings.simulationTimeStep > 0))
        problems.AddEditable(SimulationTimeStepProblem, data_.settings.simulationTimeStep, 1);
    // Porosity is a fraction of the soil volume.
    if (!(data_.settings.porosity >= 0 && data_.settings.porosity <= 1))
        problems.AddEditable(PorosityProblem, data_.settings.porosity,
                             SimulationSettings{}.porosity);
    // A date that does not exist is stored as day -1; the period must run
    // forwards from an existing first day. The proposals are 1 January and a
    // period of that one day.
    if (data_.settings.simulationStart < 0)
        problems.AddEditable(SimulationStartProblem, data_.settings.simulationStart, 0);
    if (data_.settings.simulationEnd < std::max(data_.settings.simulationStart, 0))
        problems.AddEditable(SimulationEndProblem, data_.settings.simulationEnd,
                             std::max(data_.settings.simulationStart, 0));

    // The solver cannot apply water before it has its initial state, so no
    // schedule may start on the first simulated day. One report is enough,
    // however many basins share the date.
    const CalendarDate first =
        DayNumberToDate(data_.settings.simulationStart, data_.settings.simulationYear);
    for (const IrrigationData& schedule : data_.irrigation) {
        if (schedule.empty()) continue;
        const IrrigationDataItem& item = schedule.front();
        if (item.day == first.day && item.month == first.month && item.year == first.year) {
            problems.Add(IrrigationOnFirstDayProblem, -1, -1);
            break;
        }
    }
}

EditResult GridData::ApplyModelCheckValues(const ProblemList& problems, UndoRecord* undo) {
    SimulationSettings settings = data_.settings;
    for (std::size_t i = 0; i < problems.messages.size() && i < problems.currentValues.size();
         ++i) {
        if (problems.messages[i] == IrrigationTimeStepProblem) {
            settings.irrigationTimeStep = problems.currentValues[i];
        } else if (problems.messages[i] == SimulationTimeStepProblem) {
            settings.simulationTimeStep = problems.currentValues[i];
        } else if (problems.messages[i] == PorosityProblem) {
            settings.porosity = problems.currentValues[i];
        } else if (problems.messages[i] == SimulationStartProblem) {
            settings.simulationStart = DayNumberOf(problems.currentValues[i]);
        } else if (problems.messages[i] == SimulationEndProblem) {
            settings.simulationEnd = DayNumberOf(problems.currentValues[i]);
        }
    }
    if (settings == data_.settings) return EditResult::Refused();
    return SetSettings(std::move(settings), undo);
}

} // namespace korva
