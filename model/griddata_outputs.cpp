// Value lookups over the output store for the view and the exports.
#include "griddata.h"

#include <string_view>

namespace korva {

namespace {

// The surface outputs that describe a level in the soil profile rather than
// a property of the surface; the view draws each in the layer of its level.
enum class SurfaceLevel { None, WaterTable, AtGround, RootDepth };

SurfaceLevel LevelOfSurfaceOutput(std::string_view name) {
    if (name == "WE WATER TABLE ELEVATION" || name == "DW DEPTH TO WATER TABLE")
        return SurfaceLevel::WaterTable;
    if (name == "RY RELATIVE YIELD") return SurfaceLevel::AtGround;
    if (name == "RD ROOT DEPTH") return SurfaceLevel::RootDepth;
    return SurfaceLevel::None;
}

} // namespace

bool GridData::GetOutputValue(int quantity, int timeIndex, int layer, int row, int col,
                              double& value) const {
    value = NoDataValue;
    const auto& grid = data_.outputs.gridOutputs;
    if (quantity < 0 || static_cast<std::size_t>(quantity) >= grid.size()) return false;
    const KORVAOutputData& output = grid[static_cast<std::size_t>(quantity)];
    if (timeIndex < 0 || static_cast<std::size_t>(timeIndex) >= output.times.size()) return false;
    const Grid3D<double>& values = output.times[static_cast<std::size_t>(timeIndex)].values;
    const int storedLayer = output.kind == 2 ? 0 : layer;
    if (!values.Contains(storedLayer, row, col)) return false;
    value = values(storedLayer, row, col);
    return value != NoDataValue;
}

bool GridData::GetLocatedOutputValue(int quantity, int period, int layer, int row, int col,
                                     double& value) const {
    if (quantity < 0) return false;
    if (!GetOutputValue(quantity, period, layer, row, col, value)) return false;
    const KORVAOutputData& output = data_.outputs.gridOutputs[static_cast<std::size_t>(quantity)];
    if (output.kind == 3) return true;

    const SurfaceLevel level = LevelOfSurfaceOutput(output.name);
    if (level == SurfaceLevel::None) return layer == 0 || layer == -1;

    const int ground = ParameterIndexOfCode(GroundElevation);
    if (ground < 0 || row >= NumRows() || col >= NumColumns()) return false;
    double g = NoDataValue;
    if (!GetValue(ground, 0, row, col, g)) return false;
    double heightCm = 0.0; // above the bottom of the grid
    switch (level) {
    case SurfaceLevel::WaterTable:
        heightCm = (g - value) * 100.0;
        break;
    case SurfaceLevel::AtGround:
        heightCm = g * 100.0;
        break;
    case SurfaceLevel::RootDepth:
        heightCm = g * 100.0 - value; // the depth is in centimetres below the ground
        break;
    case SurfaceLevel::None:
        break;
    }
    return layer == -1 || layer == LayerOfDepth(TotalExtent(LayerDimension, false) - heightCm);
}

} // namespace korva
