#include "simulationparametersform.h"

#include "model/griddata.h"
#include "model/simulationperiod.h"

namespace korva {

SimulationModelSummary SummarizeModel(const GridData& grid) {
    SimulationModelSummary summary;
    summary.layersRowsColumns = std::to_string(grid.NumLayers()) + ", " +
                                std::to_string(grid.NumRows()) + ", " +
                                std::to_string(grid.NumColumns());
    summary.naturalBoundaries = grid.BoundaryCount(NaturalBoundaryType);
    summary.drains = grid.BoundaryCount(DrainType);
    summary.collectors = grid.BoundaryCount(CollectorType);
    summary.basins = grid.BoundaryCount(BasinType);
    return summary;
}

SimulationParametersForm ReadSimulationParameters(const SimulationSettings& settings) {
    SimulationParametersForm form;
    const SimulationPeriodDates dates = SimulationPeriodToDates(settings);
    form.start = dates.start;
    form.end = dates.end;
    form.simulationTimeStep = settings.simulationTimeStep;
    form.irrigationTimeStep = settings.irrigationTimeStep;
    form.toleranceLevel1 = settings.toleranceLevel1;
    form.toleranceLevel2 = settings.toleranceLevel2;
    form.tortuosity = settings.tortuosity;
    form.freeDiffusion = settings.freeDiffusion;
    form.porosity = settings.porosity;
    form.kvKhRatio = settings.kvKhRatio;
    form.waterCompressibility = settings.waterCompressibility;
    form.longitudinalDispersion = settings.longitudinalDispersion;
    form.horizontalDispersion = settings.horizontalDispersion;
    form.verticalDispersion = settings.verticalDispersion;
    form.useSaltSolver = settings.useSaltSolver != 0.0;
    return form;
}

SimulationSettings StoreSimulationParameters(const SimulationParametersForm& form,
                                             const SimulationSettings& settings,
                                             bool& periodChanged) {
    SimulationSettings stored = settings;
    stored.simulationTimeStep = form.simulationTimeStep;
    stored.irrigationTimeStep = form.irrigationTimeStep;
    stored.toleranceLevel1 = form.toleranceLevel1;
    stored.toleranceLevel2 = form.toleranceLevel2;
    stored.tortuosity = form.tortuosity;
    stored.freeDiffusion = form.freeDiffusion;
    stored.porosity = form.porosity;
    stored.kvKhRatio = form.kvKhRatio;
    stored.waterCompressibility = form.waterCompressibility;
    stored.longitudinalDispersion = form.longitudinalDispersion;
    stored.horizontalDispersion = form.horizontalDispersion;
    stored.verticalDispersion = form.verticalDispersion;
    stored.useSaltSolver = form.useSaltSolver ? 1.0 : 0.0;

    const SimulationPeriod period = SimulationPeriodFromDates(form.start, form.end);
    periodChanged = period.start != settings.simulationStart ||
                    period.end != settings.simulationEnd || period.year != settings.simulationYear;
    stored.simulationStart = period.start;
    stored.simulationEnd = period.end;
    stored.simulationYear = period.year;
    return stored;
}

} // namespace korva
