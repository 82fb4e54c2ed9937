#include "simulationperiodcommand.h"

#include "app/document/korvadoc.h"

namespace korva {

SimulationPeriodCommand::SimulationPeriodCommand(CKORVADoc& document, int start, int end, int year)
    : DocumentCommand(document, "Simulation Period",
                      {ModelChange::SimulationPeriod | ModelChange::Settings, -1, 0}),
      oldStart_(document.Grid().Settings().simulationStart),
      oldEnd_(document.Grid().Settings().simulationEnd),
      oldYear_(document.Grid().Settings().simulationYear), newStart_(start), newEnd_(end),
      newYear_(year) {}

void SimulationPeriodCommand::Apply(int start, int end, int year) {
    // Only a real change refreshes the lists that show dates.
    if (Grid().SetSimulationPeriod(start, end, year)) Report();
}

void SimulationPeriodCommand::redo() {
    Apply(newStart_, newEnd_, newYear_);
}

void SimulationPeriodCommand::undo() {
    Apply(oldStart_, oldEnd_, oldYear_);
}

} // namespace korva
