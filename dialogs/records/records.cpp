#include "dialogs/records/records.h"

#include "model/griddata.h"

#include <algorithm>
#include <utility>

namespace korva {

namespace {

// Per-boundary lists stay one entry per boundary, whatever a caller hands in.
template <typename T> std::vector<T> Sized(std::vector<T> list, int count, const T& fill) {
    list.resize(static_cast<std::size_t>(count), fill);
    return list;
}

template <typename T> std::size_t ListBytes(const std::vector<T>& list) {
    return list.capacity() * sizeof(T);
}

bool SameCrop(const CropParamData& a, const CropParamData& b) {
    return a.cropName == b.cropName && a.initialRootDepth == b.initialRootDepth &&
           a.maxRootDepth == b.maxRootDepth && a.cropC1 == b.cropC1 && a.cropC2 == b.cropC2 &&
           a.cropC3 == b.cropC3 && a.datePlanting == b.datePlanting && a.stage1 == b.stage1 &&
           a.stage2 == b.stage2 && a.stage3 == b.stage3 && a.dateHarvest == b.dateHarvest;
}

bool SameItem(const IrrigationDataItem& a, const IrrigationDataItem& b) {
    return a.month == b.month && a.day == b.day && a.year == b.year && a.amount == b.amount &&
           a.saltConcentration == b.saltConcentration;
}

template <typename T, typename Same>
bool SameLists(const std::vector<T>& a, const std::vector<T>& b, Same same) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

} // namespace

std::size_t CropRecords::Bytes() const {
    std::size_t bytes = sizeof(*this) + ListBytes(crops) + ListBytes(basinCrops);
    for (const CropParamData& crop : crops)
        bytes += crop.cropName.capacity();
    for (const CropBasinData& entry : basinCrops)
        bytes += entry.basinName.capacity() + entry.cropName.capacity();
    return bytes;
}

bool CropRecords::operator==(const CropRecords& other) const {
    return SameLists(crops, other.crops, SameCrop) &&
           SameLists(basinCrops, other.basinCrops, [](const auto& a, const auto& b) {
               return a.basinName == b.basinName && a.cropName == b.cropName;
           });
}

std::size_t YieldRecords::Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& list : responseFactors)
        bytes += ListBytes(list);
    for (const auto& list : salinityBounds)
        bytes += ListBytes(list);
    return bytes;
}

bool YieldRecords::operator==(const YieldRecords& other) const {
    return method == other.method && responseFactors == other.responseFactors &&
           salinityBounds == other.salinityBounds;
}

std::size_t IrrigationRecords::Bytes() const {
    std::size_t bytes = sizeof(*this) + ListBytes(schedules);
    for (const IrrigationData& schedule : schedules)
        bytes += ListBytes(schedule);
    return bytes;
}

bool IrrigationRecords::operator==(const IrrigationRecords& other) const {
    return SameLists(schedules, other.schedules,
                     [](const auto& a, const auto& b) { return SameLists(a, b, SameItem); });
}

std::size_t DrainCollectorRecords::Bytes() const {
    return sizeof(*this) + ListBytes(collectorIndex);
}

bool DrainCollectorRecords::operator==(const DrainCollectorRecords& other) const {
    return collectorIndex == other.collectorIndex;
}

std::size_t NatBoundRecords::Bytes() const {
    return sizeof(*this) + ListBytes(flux) + ListBytes(waterQuality);
}

bool NatBoundRecords::operator==(const NatBoundRecords& other) const {
    return flux == other.flux && waterQuality == other.waterQuality;
}

CropRecords CropRecords::Read(const GridData& grid) {
    return {grid.CropParams(), grid.CropBasins()};
}

void CropRecords::Write(GridData& grid, UndoRecord* undo) const {
    BasinCropRecords records = grid.GetBasinCropRecords();
    records.cropParams = crops;
    records.cropBasins = basinCrops;
    grid.SetBasinCropRecords(std::move(records), undo);
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
