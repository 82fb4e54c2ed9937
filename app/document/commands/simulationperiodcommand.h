#pragma once
// Sets the simulation start day, end day and year.
#include "app/document/documentcommand.h"

namespace korva {

class SimulationPeriodCommand : public DocumentCommand {
public:
    SimulationPeriodCommand(CKORVADoc& document, int start, int end, int year);
    void redo() override;
    void undo() override;

private:
    void Apply(int start, int end, int year);

    int oldStart_, oldEnd_, oldYear_;
    int newStart_, newEnd_, newYear_;
};

} // namespace korva
