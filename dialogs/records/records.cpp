#include "records.h"

#include "model/griddata.h"

namespace korva {

namespace {

// Per-boundary lists stay one entry per boundary, whatever a caller hands in.
template <typename T> std::vector<T> Sized(std::vector<T> list, int count, const T& fill) {
    list.resize(static_cast<std::size_t>(count), fill);
    return list;
}

} // namespace

CropRecords CropRecords::Read(const GridData& grid) {
    return {grid.cropParams, grid.cropBasins};
}

void CropRecords::Write(GridData& grid) const {
    grid.cropParams = crops;
    grid.cropBasins = basinCrops;
}

YieldRecords YieldRecords::Read(const GridData& grid) {
    return {grid.settings.cropYieldMethod, grid.YieldResponseFactors, grid.SalinityUpperBounds};
}

void YieldRecords::Write(GridData& grid) const {
    const int basins = grid.BoundaryCount(BasinType);
    grid.settings.cropYieldMethod = method;
    for (std::size_t k = 0; k < responseFactors.size(); ++k)
        grid.YieldResponseFactors[k] = Sized(responseFactors[k], basins, 0.0);
    for (std::size_t k = 0; k < salinityBounds.size(); ++k)
        grid.SalinityUpperBounds[k] = Sized(salinityBounds[k], basins, 0.0);
}

IrrigationRecords IrrigationRecords::Read(const GridData& grid) {
    return {grid.irrigation};
}

void IrrigationRecords::Write(GridData& grid) const {
    grid.irrigation = Sized(schedules, grid.BoundaryCount(BasinType), IrrigationData{});
}

DrainCollectorRecords DrainCollectorRecords::Read(const GridData& grid) {
    return {grid.Boundary(DrainType).collectorIndex};
}

void DrainCollectorRecords::Write(GridData& grid) const {
    // Written whole, so an undo gives back exactly the indices the project had.
    BoundaryTypeData& drains = grid.Boundary(DrainType);
    drains.collectorIndex = Sized(collectorIndex, drains.Count(), -1);
}

NatBoundRecords NatBoundRecords::Read(const GridData& grid) {
    const BoundaryTypeData& natural = grid.Boundary(NaturalBoundaryType);
    return {natural.flux, natural.waterQuality};
}

void NatBoundRecords::Write(GridData& grid) const {
    BoundaryTypeData& natural = grid.Boundary(NaturalBoundaryType);
    natural.flux = Sized(flux, natural.Count(), 0.0);
    natural.waterQuality = Sized(waterQuality, natural.Count(), 0.0);
}

} // namespace korva
