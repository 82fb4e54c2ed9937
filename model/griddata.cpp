#include "griddata.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace korva {

namespace {

struct ParameterTableEntry {
    const char* displayName;
    int surfaceFlag2D; // -1: not in the 2D list
    int surfaceFlag3D; // -1: not in the 3D list
    float firstFileVersion;
};

constexpr ParameterTableEntry parameterTable[GridData::ParameterCodeCount] = {
    {"Bedrock Elevation", 2, -1, -1.0f},
    {"Ground Elevation", 2, 2, -1.0f},
    {"Vertical Hydraulic Conductivity", 2, -1, -1.0f},
    {"Horizontal Hydraulic Conductivity", 2, 0, -1.0f},
    {"Specific Yield", 2, -1, -1.0f},
    {"Initial Root Depth", 2, 2, -1.0f},
    {"Maximum Root Depth", 2, 2, -1.0f},
    {"Crop Coefficients 1", 2, 2, -1.0f},
    {"Crop Coefficients 2", 2, 2, -1.0f},
    {"Crop Coefficients 3", 2, 2, -1.0f},
    {"Date of Planting", 2, 2, -1.0f},
    {"End of Stage 1", 2, 2, -1.0f},
    {"End of Stage 2", 2, 2, -1.0f},
    {"End of Stage 3", 2, 2, -1.0f},
    {"Date of Harvest", 2, 2, -1.0f},
    {"Initial Salt Concentration of Aquifer", 2, 0, -1.0f},
    {"Initial Water Table Elevation", 2, 2, -1.0f},
    {"Initial Moisture Content", 2, 0, -1.0f},
    {"Initial Unsaturated Salt Concentration", 2, -1, -1.0f},
    {"Vertical Dispersivity", 2, -1, -1.0f},
    {"Horizontal Dispersivity", 2, -1, -1.0f},
    {"Irrigation Weight", -1, 2, 2.3f},
    {"Soil Leaching Efficiency", -1, 2, 2.4f},
};

} // namespace

const char* GridData::ParameterDisplayName(int code) {
    if (code < 0 || code >= ParameterCodeCount) return nullptr;
    return parameterTable[code].displayName;
}

GridData::GridData() {
    for (int type = 0; type < BoundaryTypeCount; ++type)
        boundaries[type].type = static_cast<BoundaryTypeEnum>(type);
    Resize(1, 1, 1);
}

// --- geometry -----------------------------------------------------------------

void GridData::CheckDimension(int dimension) const {
    if (dimension < RowDimension || dimension > LayerDimension)
        throw std::invalid_argument("grid dimension " + std::to_string(dimension));
}

int GridData::DimensionCount(int dimension) const {
    CheckDimension(dimension);
    if (dimension == RowDimension) return NumRows();
    if (dimension == ColumnDimension) return NumColumns();
    return NumLayers();
}

std::vector<double>& GridData::Spacings(int dimension) {
    CheckDimension(dimension);
    if (dimension == RowDimension) return rowSpacing;
    if (dimension == ColumnDimension) return columnSpacing;
    return layerSpacing;
}

double GridData::GetSpacing(int dimension, int index, bool inMetres) const {
    CheckDimension(dimension);
    const std::vector<double>& list = dimension == RowDimension      ? rowSpacing
                                      : dimension == ColumnDimension ? columnSpacing
                                                                     : layerSpacing;
    const double spacing = list.at(static_cast<std::size_t>(index));
    return dimension == LayerDimension && inMetres ? spacing / 100.0 : spacing;
}

double GridData::TotalExtent(int dimension, bool inMetres) const {
    CheckDimension(dimension);
    const std::vector<double>& list = dimension == RowDimension      ? rowSpacing
                                      : dimension == ColumnDimension ? columnSpacing
                                                                     : layerSpacing;
    double total = 0.0;
    for (double spacing : list)
        total += spacing;
    return dimension == LayerDimension && inMetres ? total / 100.0 : total;
}

void GridData::UpdateUniformSpacing() {
    auto uniform = [](const std::vector<double>& list) {
        return std::all_of(list.begin(), list.end(),
                           [&](double spacing) { return spacing == list.front(); });
    };
    UniformSpacing = uniform(rowSpacing) && uniform(columnSpacing) && uniform(layerSpacing) ? 1 : 0;
}

bool GridData::SetTotalExtent(int dimension, double total) {
    std::vector<double>& list = Spacings(dimension);
    const double current = TotalExtent(dimension, false);
    if (!(total > 0.0) || current == 0.0) return false;
    const double factor = total / current;
    for (double& spacing : list)
        spacing *= factor;
    UpdateUniformSpacing();
    return true;
}

bool GridData::SetSpacing(int dimension, int index, double value) {
    double& spacing = Spacings(dimension).at(static_cast<std::size_t>(index));
    if (!(value > 0.0) || value == std::numeric_limits<double>::infinity()) return false;
    spacing = value;
    UpdateUniformSpacing();
    return true;
}

double GridData::DepthBelowTop(double z) const {
    const double exaggeration = ZExaggeration != 0.0 ? ZExaggeration : 1.0;
    const double top = TotalExtent(LayerDimension, true) * exaggeration / 2.0;
    return (top - z) * 100.0 / exaggeration;
}

// --- parameters ---------------------------------------------------------------

void GridData::ResetModel(int kind) {
    ParameterOrder.clear();
    parameters.clear();
    ModelKind = kind;
    if (kind == 0 || kind == 1) {
        for (int code = 0; code < ParameterCodeCount; ++code) {
            const ParameterTableEntry& entry = parameterTable[code];
            const int surfaceFlag = kind == 0 ? entry.surfaceFlag2D : entry.surfaceFlag3D;
            if (surfaceFlag < 0) continue;
            ParameterData data;
            data.name = entry.displayName;
            data.SurfaceFlag = surfaceFlag;
            data.FirstFileVersion = entry.firstFileVersion;
            parameters[code] = std::move(data);
            ParameterOrder.push_back(code);
        }
    }
    // The grid becomes one cell; each spacing list keeps its first width so the
    // lists and the cell storage never disagree about the dimensions.
    for (std::vector<double>* list : {&rowSpacing, &columnSpacing, &layerSpacing}) {
        if (list->empty()) list->push_back(100.0);
        list->resize(1);
    }
    Resize(1, 1, 1);
}

void GridData::Resize(int layers, int rows, int columns) {
    if (layers < 1 || rows < 1 || columns < 1)
        throw std::invalid_argument(
            "grid dimensions must be at least 1: " + std::to_string(layers) + " x " +
            std::to_string(rows) + " x " + std::to_string(columns));
    const auto L = static_cast<std::size_t>(layers);
    const auto R = static_cast<std::size_t>(rows);
    const auto C = static_cast<std::size_t>(columns);
    for (int code : ParameterOrder) {
        ParameterData& data = parameters.at(code);
        const std::size_t layerCount = data.IsSurface() ? 1 : L;
        data.layers.resize(layerCount);
        for (ParamLayerData& layer : data.layers) {
            layer.resize(R);
            for (ParamRowData& row : layer)
                row.assign(C, NoDataValue);
        }
        data.RecomputeRange();
    }
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        BoundaryTypeData& record = boundaries[type];
        const bool everyLayer = ModelKind == 1 && type != BasinType;
        record.grid.resize(everyLayer ? L : 1);
        for (BoundaryLayerData& layer : record.grid) {
            layer.resize(R);
            for (BoundaryRowData& row : layer)
                row.assign(C, 0);
        }
    }
    TimeSeriesCellGrid.resize(L);
    for (OutputParamDataLayer& layer : TimeSeriesCellGrid) {
        layer.resize(R);
        for (OutputParamDataRow& row : layer) {
            row.resize(C);
            for (OutputParamDataItem& item : row)
                item.clear();
        }
    }
}

ParameterData& GridData::Parameter(int paramIndex) {
    return parameters.at(ParameterOrder.at(static_cast<std::size_t>(paramIndex)));
}

const ParameterData& GridData::Parameter(int paramIndex) const {
    return parameters.at(ParameterOrder.at(static_cast<std::size_t>(paramIndex)));
}

int GridData::ParameterIndexOfCode(int code) const {
    for (std::size_t i = 0; i < ParameterOrder.size(); ++i)
        if (ParameterOrder[i] == code) return static_cast<int>(i);
    return -1;
}

bool GridData::GetValue(int paramIndex, int layer, int row, int col, double& value,
                        bool mapSurfaceToLayer) const {
    if (paramIndex < 0) {
        value = NoDataValue;
        return false;
    }
    const ParameterData& data = Parameter(paramIndex);
    const std::size_t storedLayer = data.IsSurface() ? 0 : static_cast<std::size_t>(layer);
    value = data.layers.at(storedLayer)
                .at(static_cast<std::size_t>(row))
                .at(static_cast<std::size_t>(col));
    if (value == NoDataValue) return false;
    if (!mapSurfaceToLayer || !data.IsSurface()) return true;
    // A surface value is drawn in the layer it reaches: root depths below the
    // ground, elevations above the bottom; every other one on the top layer.
    switch (ParameterOrder[static_cast<std::size_t>(paramIndex)]) {
    case InitialRootDepth:
    case MaximumRootDepth:
        return layer == LayerOfDepth(value);
    case InitialWaterTableElevation:
    case GroundElevation:
        return layer == LayerOfDepth(TotalExtent(LayerDimension, false) - 100.0 * value);
    default:
        return layer == 0;
    }
}

void GridData::SetValue(int paramIndex, int layer, int row, int col, double value,
                        bool recomputeRange, bool propagateDown) {
    ParameterData& data = Parameter(paramIndex);
    if (data.IsSurface()) {
        data.layers.at(0).at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col)) =
            value;
    } else {
        const auto first = static_cast<std::size_t>(layer);
        data.layers.at(first).at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col)) =
            value;
        if (propagateDown) {
            for (std::size_t below = first + 1; below < data.layers.size(); ++below)
                data.layers[below]
                    .at(static_cast<std::size_t>(row))
                    .at(static_cast<std::size_t>(col)) = value;
        }
    }
    if (recomputeRange) data.RecomputeRange();
}

void GridData::RecomputeRange(int paramIndex) {
    Parameter(paramIndex).RecomputeRange();
}

std::vector<double> GridData::DistinctValues(int paramIndex, std::size_t limit) const {
    std::vector<double> values;
    for (const ParamLayerData& layer : Parameter(paramIndex).layers) {
        for (const ParamRowData& row : layer) {
            for (double value : row) {
                if (value == NoDataValue) continue;
                const auto at = std::lower_bound(values.begin(), values.end(), value);
                if (at != values.end() && *at == value) continue;
                values.insert(at, value);
                if (values.size() > limit) return values;
            }
        }
    }
    return values;
}

void GridData::ClearParameter(int paramIndex) {
    ParameterData& data = Parameter(paramIndex);
    for (ParamLayerData& layer : data.layers)
        for (ParamRowData& row : layer)
            std::fill(row.begin(), row.end(), NoDataValue);
    data.RecomputeRange();
}

void GridData::LocatedRange(int dimension, const ModelPoint& point1, const ModelPoint& point2,
                            int& low, int& high) const {
    int layer1 = 0, row1 = 0, col1 = 0, layer2 = 0, row2 = 0, col2 = 0;
    if (dimension == LayerDimension) {
        layer1 = LayerOfDepth(DepthBelowTop(point1.z));
        layer2 = LayerOfDepth(DepthBelowTop(point2.z));
    } else {
        LocateCell(point1.x, point1.y, 0.0, layer1, row1, col1);
        LocateCell(point2.x, point2.y, 0.0, layer2, row2, col2);
    }
    const int first = dimension == RowDimension      ? row1
                      : dimension == ColumnDimension ? col1
                                                     : layer1;
    const int second = dimension == RowDimension      ? row2
                       : dimension == ColumnDimension ? col2
                                                      : layer2;
    low = std::min(first, second);
    high = std::max(first, second);
}

void GridData::FillRegion(int paramIndex, const ModelPoint& point1, const ModelPoint& point2,
                          int layer, double value, bool propagateDown) {
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    if (ParameterOrder.at(static_cast<std::size_t>(paramIndex)) == GroundElevation)
        value = std::min(value, TotalExtent(LayerDimension, true));
    for (int row = rowLow; row <= rowHigh; ++row)
        for (int col = colLow; col <= colHigh; ++col)
            SetValue(paramIndex, layer, row, col, value, false, propagateDown);
    RecomputeRange(paramIndex);
}

void GridData::SetValueForBasin(int paramIndex, int basin, double value) {
    ParameterData& data = Parameter(paramIndex);
    const BoundaryLayerData& basins = boundaries[BasinType].grid.at(0);
    for (std::size_t row = 0; row < basins.size(); ++row) {
        for (std::size_t col = 0; col < basins[row].size(); ++col) {
            if (basins[row][col] != basin) continue;
            for (ParamLayerData& layer : data.layers)
                layer.at(row).at(col) = value;
        }
    }
    data.RecomputeRange();
}

void GridData::MarkAboveGround(int type, int marker) {
    if (type != InactiveType) return;
    const int groundIndex = ParameterIndexOfCode(GroundElevation);
    if (groundIndex < 0) return;
    BoundaryTypeData& inactive = boundaries[InactiveType];
    const double thickness = TotalExtent(LayerDimension, false);
    const int layersHeld = static_cast<int>(inactive.grid.size());
    for (int row = 0; row < NumRows(); ++row) {
        for (int col = 0; col < NumColumns(); ++col) {
            double ground = NoDataValue;
            // A column without a ground elevation has no surface to drape over.
            if (!GetValue(groundIndex, 0, row, col, ground)) continue;
            const int groundLayer = LayerOfDepth(thickness - 100.0 * ground);
            for (int layer = 0; layer < groundLayer && layer < layersHeld; ++layer)
                inactive.grid[static_cast<std::size_t>(layer)]
                    .at(static_cast<std::size_t>(row))
                    .at(static_cast<std::size_t>(col)) = marker;
        }
    }
}

void GridData::TransformParameter(int paramIndex, int firstLayer, int lastLayer, TransformKind kind,
                                  double amount) {
    ParameterData& data = Parameter(paramIndex);
    if (firstLayer > lastLayer) std::swap(firstLayer, lastLayer);
    if (firstLayer < 0 || lastLayer >= NumLayers())
        throw std::out_of_range("layer range " + std::to_string(firstLayer) + ".." +
                                std::to_string(lastLayer));
    // A surface parameter's single layer stands for every layer: changing it
    // once per layer of the range would compound the transform.
    const int from = data.IsSurface() ? 0 : firstLayer;
    const int to = data.IsSurface() ? 0 : lastLayer;
    for (int layer = from; layer <= to; ++layer) {
        for (ParamRowData& row : data.layers.at(static_cast<std::size_t>(layer))) {
            for (double& value : row) {
                if (value == NoDataValue) continue;
                value = kind == MultiplyTransform ? value * amount : value + amount;
            }
        }
    }
    data.RecomputeRange();
}

// --- settings and output selection -------------------------------------------

bool GridData::SetSimulationPeriod(int start, int end, int year) {
    const bool changed = settings.simulationStart != start || settings.simulationEnd != end ||
                         settings.simulationYear != year;
    settings.simulationStart = start;
    settings.simulationEnd = end;
    settings.simulationYear = year;
    return changed;
}

int GridData::CountTimeSeriesSelections() const {
    std::size_t count = 0;
    for (const OutputParamDataLayer& layer : TimeSeriesCellGrid)
        for (const OutputParamDataRow& row : layer)
            for (const OutputParamDataItem& item : row)
                count += item.size();
    return static_cast<int>(count);
}

} // namespace korva
