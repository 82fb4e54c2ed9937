// Crops on basins: the crop of a basin, the catalogue look-up and the crop grid
// builder that writes a basin's crop into the crop cell parameters.
#include "griddata.h"

#include <stdexcept>

namespace korva {

std::string GridData::FindCropForBasin(const std::string& basinName) const {
    for (const CropBasinData& entry : data_.cropBasins)
        if (entry.basinName == basinName) return entry.cropName;
    return {};
}

int GridData::FindCropParams(const std::string& cropName, CropParamData& out) const {
    for (const CropParamData& crop : data_.cropParams) {
        if (crop.cropName == cropName) {
            out = crop;
            return 1;
        }
    }
    return 0;
}

BasinCropRecords GridData::GetBasinCropRecords() const {
    return {data_.cropParams, data_.cropBasins, data_.irrigation, data_.YieldResponseFactors,
            data_.SalinityUpperBounds};
}

EditResult GridData::SetBasinCropRecords(BasinCropRecords records, UndoRecord* undo) {
    // The per-basin lists follow the Basin list; a working copy that lost
    // step with it would shift every later basin's values.
    const auto basins = static_cast<std::size_t>(BoundaryCount(BasinType));
    bool matches = records.irrigation.size() == basins;
    for (const auto& list : records.YieldResponseFactors)
        matches = matches && list.size() == basins;
    for (const auto& list : records.SalinityUpperBounds)
        matches = matches && list.size() == basins;
    if (!matches) throw std::invalid_argument("crop records do not have one entry per basin");
    SaveCropRecords(undo);
    data_.cropParams = std::move(records.cropParams);
    data_.cropBasins = std::move(records.cropBasins);
    data_.irrigation = std::move(records.irrigation);
    data_.YieldResponseFactors = std::move(records.YieldResponseFactors);
    data_.SalinityUpperBounds = std::move(records.SalinityUpperBounds);
    Report(MakeChange(ChangeKind::Crops), undo);
    return {};
}

EditResult GridData::BuildCropGrid(UndoRecord* undo) {
    const BoundaryTypeData& basins = data_.boundaries[BasinType];
    for (int b = 0; b < basins.Count(); ++b) {
        const std::string cropName = FindCropForBasin(basins.names[static_cast<std::size_t>(b)]);
        CropParamData crop;
        if (cropName.empty() || FindCropParams(cropName, crop) == 0) continue;
        for (int paramIndex = 0; paramIndex < ParameterCount(); ++paramIndex) {
            // The cells hold absolute day numbers; the catalogue counts the
            // stage ends and the harvest from planting.
            double value = 0.0;
            switch (data_.ParameterOrder[static_cast<std::size_t>(paramIndex)]) {
            case InitialRootDepth:
                value = crop.initialRootDepth;
                break;
            case MaximumRootDepth:
                value = crop.maxRootDepth;
                break;
            case CropCoefficients1:
                value = crop.cropC1;
                break;
            case CropCoefficients2:
                value = crop.cropC2;
                break;
            case CropCoefficients3:
                value = crop.cropC3;
                break;
            case DateOfPlanting:
                value = crop.datePlanting;
                break;
            case EndOfStage1:
                value = crop.datePlanting + crop.stage1;
                break;
            case EndOfStage2:
                value = crop.datePlanting + crop.stage2;
                break;
            case EndOfStage3:
                value = crop.datePlanting + crop.stage3;
                break;
            case DateOfHarvest:
                value = crop.datePlanting + crop.dateHarvest;
                break;
            default:
                continue;
            }
            SetValueForBasin(paramIndex, b + 1, value, undo);
        }
    }
    return {};
}

} // namespace korva
