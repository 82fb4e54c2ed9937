// The check of the critical settings before a run, and the write-back of the
// values the user corrected.
#include "modelcheck.h"

#include "calendar.h"
#include "griddata.h"

#include <utility>

namespace korva {

void ProblemList::Add(const std::string& message, double currentValue, double defaultValue) {
    messages.push_back(message);
    currentValues.push_back(currentValue);
    defaultValues.push_back(defaultValue);
}

void ProblemList::UseDefaults() {
    for (std::size_t i = 0; i < currentValues.size() && i < defaultValues.size(); ++i) {
        if (currentValues[i] >= 0) currentValues[i] = defaultValues[i];
    }
}

void GridData::CheckModel(ProblemList& problems) const {
    // A zero time step would never advance the solver's clock.
    if (data_.settings.irrigationTimeStep == 0) problems.Add(IrrigationTimeStepProblem, 0, 1);
    if (data_.settings.simulationTimeStep == 0) problems.Add(SimulationTimeStepProblem, 0, 1);

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
        }
    }
    if (settings == data_.settings) return EditResult::Refused();
    return SetSettings(std::move(settings), undo);
}

} // namespace korva
