#pragma once
// The fields of the Simulation Parameters dialog as plain values: what the
// dialog shows for a model, and what OK makes of them. The dialog accepts
// any number; settings no run can use are found by the check before a run.
#include "model/calendar.h"
#include "model/simulationsettings.h"

#include <string>

namespace korva {

class GridData;

struct SimulationParametersForm {
    CalendarDate start;
    CalendarDate end;
    double simulationTimeStep = 0.0;
    double irrigationTimeStep = 0.0;
    double toleranceLevel1 = 0.0;
    double toleranceLevel2 = 0.0;
    double tortuosity = 0.0;
    double freeDiffusion = 0.0;
    double porosity = 0.0;
    double kvKhRatio = 1.0;
    double waterCompressibility = 0.0;
    double longitudinalDispersion = 0.0;
    double horizontalDispersion = 0.0;
    double verticalDispersion = 0.0;
    bool useSaltSolver = true;
};

// The read-only part of the dialog.
struct SimulationModelSummary {
    std::string layersRowsColumns; // "L, R, C"
    int naturalBoundaries = 0;
    int drains = 0;
    int collectors = 0;
    int basins = 0;
};

SimulationModelSummary SummarizeModel(const GridData& grid);

// The dates of the stored period come from the simulation year.
SimulationParametersForm ReadSimulationParameters(const SimulationSettings& settings);

// OK: every field stored into a copy of settings. The start date's year
// becomes the simulation year; the two dates become day numbers against it
// (-1 for a date that does not exist). periodChanged tells whether start, end
// or year differ from before.
SimulationSettings StoreSimulationParameters(const SimulationParametersForm& form,
                                             const SimulationSettings& settings,
                                             bool& periodChanged);

} // namespace korva
