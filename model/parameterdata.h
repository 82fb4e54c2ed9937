#pragma once
// One cell parameter: a 3D (or surface) array of doubles with its name, value
// range and colour range.
#include "grid3d.h"

#include <array>
#include <string>
#include <vector>

namespace korva {

// Marks a cell without a value. Every new cell holds it.
constexpr double NoDataValue = -9999.0;

using RgbColor = std::array<double, 3>; // red, green, blue in 0..1

struct ParameterData {
    std::string name;
    Grid3D<double> values; // [layer][row][column]; one layer for a surface parameter
    double minValue = -1.0;
    double maxValue = -1.0;
    RgbColor lowColor{1.0, 0.0, 0.0};
    RgbColor highColor{0.0, 1.0, 0.0};
    // 0: one value per cell in every layer; 2: one value per column of the surface.
    int SurfaceFlag = 0;
    // Project files older than this carry no block for the parameter; -1: every version.
    float FirstFileVersion = -1.0f;

    bool IsSurface() const { return SurfaceFlag != 0; }
    // Recomputes minValue and maxValue over every value other than NoDataValue.
    void RecomputeRange();
    bool operator==(const ParameterData&) const = default;
};

} // namespace korva
