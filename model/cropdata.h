#pragma once
// Crops, basin-crop assignments and irrigation events.
#include <cstdint>
#include <string>
#include <vector>

namespace korva {

struct CropParamData {
    std::string cropName = "New Crop";
    double initialRootDepth = 0; // cm
    double maxRootDepth = 0;     // cm
    double cropC1 = 0;
    double cropC2 = 0;
    double cropC3 = 0;
    double datePlanting = 0; // day number from 1 January of the simulation year
    double stage1 = 0;       // the stage ends and harvest: days from planting
    double stage2 = 0;
    double stage3 = 0;
    double dateHarvest = 0;
    bool operator==(const CropParamData&) const = default;
};

struct CropBasinData {
    std::string basinName;
    std::string cropName;
    bool operator==(const CropBasinData&) const = default;
};

struct IrrigationDataItem {
    int32_t month = 0;
    int32_t day = 0;
    int32_t year = 0;
    double amount = 0;            // irrigation depth in cm
    double saltConcentration = 0; // of the irrigation water
    bool operator==(const IrrigationDataItem&) const = default;
};

using IrrigationData = std::vector<IrrigationDataItem>;

} // namespace korva
