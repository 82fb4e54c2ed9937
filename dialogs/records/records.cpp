#include "records.h"

#include "model/griddata.h"

#include <utility>

namespace korva {

namespace {

// Per-boundary lists stay one entry per boundary, whatever a caller hands in.
template <typename T> std::vector<T> Sized(std::vector<T> list, int count, const T& fill) {
    list.resize(static_cast<std::size_t>(count), fill);
    return list;
}

} // namespace

CropRecords CropRecords::Read(const GridData& grid) {
    return {grid.CropParams(), grid.CropBasins()};
}

void CropRecords::Write(GridData& grid) const {
    BasinCropRecords records = grid.GetBasinCropRecords();
    records.cropParams = crops;
    records.cropBasins = basinCrops;
    grid.SetBasinCropRecords(std::move(records));
}

YieldRecords YieldRecords::Read(const GridData& grid) {
    return {grid.Settings().cropYieldMethod, grid.YieldResponseFactors(),
            grid.SalinityUpperBounds()};
}

void YieldRecords::Write(GridData& grid) const {
    const int basins = grid.BoundaryCount(BasinType);
    if (grid.Settings().cropYieldMethod != method) {
        SimulationSettings settings = grid.Settings();
        settings.cropYieldMethod = method;
        grid.SetSettings(std::move(settings));
    }
    BasinCropRecords records = grid.GetBasinCropRecords();
    for (std::size_t k = 0; k < responseFactors.size(); ++k)
        records.YieldResponseFactors[k] = Sized(responseFactors[k], basins, 0.0);
    for (std::size_t k = 0; k < salinityBounds.size(); ++k)
        records.SalinityUpperBounds[k] = Sized(salinityBounds[k], basins, 0.0);
    grid.SetBasinCropRecords(std::move(records));
}

IrrigationRecords IrrigationRecords::Read(const GridData& grid) {
    return {grid.Irrigation()};
}

void IrrigationRecords::Write(GridData& grid) const {
    BasinCropRecords records = grid.GetBasinCropRecords();
    records.irrigation = Sized(schedules, grid.BoundaryCount(BasinType), IrrigationData{});
    grid.SetBasinCropRecords(std::move(records));
}

DrainCollectorRecords DrainCollectorRecords::Read(const GridData& grid) {
    return {grid.Boundary(DrainType).collectorIndex};
}

void DrainCollectorRecords::Write(GridData& grid) const {
    // Written whole, so an undo gives back exactly the indices the project had.
    BoundaryTypeData drains = grid.Boundary(DrainType);
    drains.collectorIndex = Sized(collectorIndex, drains.Count(), -1);
    grid.SetBoundaryLists(DrainType, std::move(drains));
}

NatBoundRecords NatBoundRecords::Read(const GridData& grid) {
    const BoundaryTypeData& natural = grid.Boundary(NaturalBoundaryType);
    return {natural.flux, natural.waterQuality};
}

void NatBoundRecords::Write(GridData& grid) const {
    BoundaryTypeData natural = grid.Boundary(NaturalBoundaryType);
    natural.flux = Sized(flux, natural.Count(), 0.0);
    natural.waterQuality = Sized(waterQuality, natural.Count(), 0.0);
    grid.SetBoundaryLists(NaturalBoundaryType, std::move(natural));
}

} // namespace korva
