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
        data_.boundaries[type].type = static_cast<BoundaryTypeEnum>(type);
    Resize(1, 1, 1);
}

GridData::GridData(const GridData& other) : data_(other.data_) {}

GridData::GridData(GridData&& other) noexcept : data_(std::move(other.data_)) {}

GridData& GridData::operator=(const GridData& other) {
    if (this != &other) {
        data_ = other.data_;
        Report(MakeChange(ChangeKind::Model), nullptr);
    }
    return *this;
}

GridData& GridData::operator=(GridData&& other) noexcept {
    if (this != &other) {
        data_ = std::move(other.data_);
        // A listener that throws must not turn a move into a termination.
        try {
            Report(MakeChange(ChangeKind::Model), nullptr);
        } catch (...) {
        }
    }
    return *this;
}

GridContents& ReaderContents(GridData& grid) {
    return grid.data_;
}

// --- observing ----------------------------------------------------------------

int GridData::AddChangeListener(GridChangeListener listener) {
    const int handle = nextListener_++;
    listeners_.emplace_back(handle, std::move(listener));
    return handle;
}

void GridData::RemoveChangeListener(int handle) {
    std::erase_if(listeners_, [&](const auto& entry) { return entry.first == handle; });
}

void GridData::Report(const GridChange& change, UndoRecord* undo) {
    ++revision_;
    if (undo != nullptr) undo->changes_.push_back(change);
    // A listener may remove itself while being told.
    const auto listeners = listeners_;
    for (const auto& [handle, listener] : listeners)
        listener(change);
}

void GridData::ReplaceModel(GridData&& other) {
    data_ = std::move(other.data_);
    Report(MakeChange(ChangeKind::Model), nullptr);
}

void GridData::InstallOutputs(OutputStore&& outputs) {
    data_.outputs = std::move(outputs);
    Report(MakeChange(ChangeKind::Outputs), nullptr);
}

void GridData::SwapOutputs(OutputStore& other) {
    std::swap(data_.outputs, other);
    Report(MakeChange(ChangeKind::Outputs), nullptr);
}

void GridData::ClearOutputs() {
    data_.outputs.Clear();
    Report(MakeChange(ChangeKind::Outputs), nullptr);
}

EditResult GridData::SetOutputColors(int quantity, const RgbColor& lowColor,
                                     const RgbColor& highColor, UndoRecord* undo) {
    auto& outputs = data_.outputs.gridOutputs;
    if (quantity < 0 || quantity >= static_cast<int>(outputs.size()))
        throw std::invalid_argument("no output quantity " + std::to_string(quantity));
    KORVAOutputData& output = outputs[static_cast<std::size_t>(quantity)];
    if (output.lowColor == lowColor && output.highColor == highColor) return {false, {}};
    if (undo != nullptr)
        undo->pieces_.emplace_back(undo::OutputColors{quantity, output.lowColor, output.highColor});
    output.lowColor = lowColor;
    output.highColor = highColor;
    Report(MakeChange(ChangeKind::Outputs), undo);
    return {};
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
    if (dimension == RowDimension) return data_.rowSpacing;
    if (dimension == ColumnDimension) return data_.columnSpacing;
    return data_.layerSpacing;
}

double GridData::GetSpacing(int dimension, int index, bool inMetres) const {
    CheckDimension(dimension);
    const std::vector<double>& list = dimension == RowDimension      ? data_.rowSpacing
                                      : dimension == ColumnDimension ? data_.columnSpacing
                                                                     : data_.layerSpacing;
    const double spacing = list.at(static_cast<std::size_t>(index));
    return dimension == LayerDimension && inMetres ? spacing / 100.0 : spacing;
}

double GridData::TotalExtent(int dimension, bool inMetres) const {
    CheckDimension(dimension);
    const std::vector<double>& list = dimension == RowDimension      ? data_.rowSpacing
                                      : dimension == ColumnDimension ? data_.columnSpacing
                                                                     : data_.layerSpacing;
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
    data_.UniformSpacing =
        uniform(data_.rowSpacing) && uniform(data_.columnSpacing) && uniform(data_.layerSpacing)
            ? 1
            : 0;
}

EditResult GridData::SetTotalExtent(int dimension, double total, UndoRecord* undo) {
    std::vector<double>& list = Spacings(dimension);
    const double current = TotalExtent(dimension, false);
    if (!(total > 0.0) || current == 0.0) return EditResult::Refused();
    SaveSpacings(undo);
    const double factor = total / current;
    for (double& spacing : list)
        spacing *= factor;
    UpdateUniformSpacing();
    Report(MakeChange(ChangeKind::Geometry, -1, -1, -1, {}), undo);
    return {};
}

EditResult GridData::SetSpacing(int dimension, int index, double value, UndoRecord* undo) {
    std::vector<double>& list = Spacings(dimension);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        throw std::out_of_range("spacing index " + std::to_string(index));
    if (!(value > 0.0) || value == std::numeric_limits<double>::infinity())
        return EditResult::Refused();
    SaveSpacings(undo);
    list[static_cast<std::size_t>(index)] = value;
    UpdateUniformSpacing();
    Report(MakeChange(ChangeKind::Geometry, -1, -1, -1, {}), undo);
    return {};
}

EditResult GridData::SetZExaggeration(double value, UndoRecord* undo) {
    if (!(value > 0.0) || value == std::numeric_limits<double>::infinity())
        return EditResult::Refused();
    SaveSpacings(undo);
    data_.ZExaggeration = value;
    Report(MakeChange(ChangeKind::Geometry, -1, -1, -1, {}), undo);
    return {};
}

EditResult GridData::SetUnits(std::string horizontal, std::string vertical, UndoRecord* undo) {
    if (horizontal == data_.HorizontalUnits && vertical == data_.VerticalUnits)
        return EditResult::Refused();
    SaveSpacings(undo);
    data_.HorizontalUnits = std::move(horizontal);
    data_.VerticalUnits = std::move(vertical);
    Report(MakeChange(ChangeKind::Geometry), undo);
    return {};
}

double GridData::DepthBelowTop(double z) const {
    const double exaggeration = data_.ZExaggeration != 0.0 ? data_.ZExaggeration : 1.0;
    const double top = TotalExtent(LayerDimension, true) * exaggeration / 2.0;
    return (top - z) * 100.0 / exaggeration;
}

// --- parameters ---------------------------------------------------------------

void GridData::ResetModel(int kind) {
    data_.ParameterOrder.clear();
    data_.parameters.clear();
    data_.ModelKind = kind;
    if (kind == 0 || kind == 1) {
        for (int code = 0; code < ParameterCodeCount; ++code) {
            const ParameterTableEntry& entry = parameterTable[code];
            const int surfaceFlag = kind == 0 ? entry.surfaceFlag2D : entry.surfaceFlag3D;
            if (surfaceFlag < 0) continue;
            ParameterData data;
            data.name = entry.displayName;
            data.SurfaceFlag = surfaceFlag;
            data.FirstFileVersion = entry.firstFileVersion;
            data_.parameters[code] = std::move(data);
            data_.ParameterOrder.push_back(code);
        }
    }
    // The grid becomes one cell; each spacing list keeps its first width so the
    // lists and the cell storage never disagree about the dimensions.
    for (std::vector<double>* list :
         {&data_.rowSpacing, &data_.columnSpacing, &data_.layerSpacing}) {
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
    for (int code : data_.ParameterOrder) {
        ParameterData& data = data_.parameters.at(code);
        data.values.Assign(data.IsSurface() ? 1 : layers, rows, columns, NoDataValue);
        data.RecomputeRange();
    }
    for (int type = 0; type < BoundaryTypeCount; ++type)
        data_.memberships[type].Reset(BoundaryHoldsEveryLayer(type) ? layers : 1, rows, columns);
    data_.TimeSeriesCellGrid.Reset(layers, rows, columns);
    Report(MakeChange(ChangeKind::Model), nullptr);
}

const ParameterData& GridData::Parameter(int paramIndex) const {
    return data_.parameters.at(data_.ParameterOrder.at(static_cast<std::size_t>(paramIndex)));
}

ParameterData& GridData::MutableParameter(int paramIndex) {
    return data_.parameters.at(data_.ParameterOrder.at(static_cast<std::size_t>(paramIndex)));
}

int GridData::ParameterIndexOfCode(int code) const {
    for (std::size_t i = 0; i < data_.ParameterOrder.size(); ++i)
        if (data_.ParameterOrder[i] == code) return static_cast<int>(i);
    return -1;
}

bool GridData::GetValue(int paramIndex, int layer, int row, int col, double& value,
                        bool mapSurfaceToLayer) const {
    if (paramIndex < 0) {
        value = NoDataValue;
        return false;
    }
    const ParameterData& data = Parameter(paramIndex);
    value = data.values.At(data.IsSurface() ? 0 : layer, row, col);
    if (value == NoDataValue) return false;
    if (!mapSurfaceToLayer || !data.IsSurface()) return true;
    // A surface value is drawn in the layer it reaches: root depths below the
    // ground, elevations above the bottom; every other one on the top layer.
    switch (data_.ParameterOrder[static_cast<std::size_t>(paramIndex)]) {
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

CellRange GridData::ParameterBox(int paramIndex, int layer, bool propagateDown, int row0, int row1,
                                 int col0, int col1) const {
    const ParameterData& data = Parameter(paramIndex);
    CellRange box{layer, layer, row0, row1, col0, col1};
    if (data.IsSurface()) {
        box.layer0 = box.layer1 = 0;
    } else if (propagateDown) {
        box.layer1 = data.values.Layers() - 1;
    }
    return box;
}

EditResult GridData::SetValue(int paramIndex, int layer, int row, int col, double value,
                              bool recomputeRange, bool propagateDown, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const CellRange box = ParameterBox(paramIndex, layer, propagateDown, row, row, col, col);
    data.values.At(box.layer0, row, col); // range check before anything changes
    SaveParameterBox(undo, paramIndex, box);
    for (int k = box.layer0; k <= box.layer1; ++k)
        data.values(k, row, col) = value;
    if (recomputeRange) data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues,
                      data_.ParameterOrder[static_cast<std::size_t>(paramIndex)], -1, -1, box),
           undo);
    return {};
}

void GridData::RecomputeRange(int paramIndex) {
    MutableParameter(paramIndex).RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterInfo,
                      data_.ParameterOrder[static_cast<std::size_t>(paramIndex)]),
           nullptr);
}

EditResult GridData::SetParameterInfo(int paramIndex, const std::string& name,
                                      const RgbColor& lowColor, const RgbColor& highColor,
                                      UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    if (undo != nullptr)
        undo->pieces_.emplace_back(
            undo::ParameterInfo{code, data.name, data.lowColor, data.highColor});
    data.name = name;
    data.lowColor = lowColor;
    data.highColor = highColor;
    Report(MakeChange(ChangeKind::ParameterInfo, code), undo);
    return {};
}

std::vector<double> GridData::DistinctValues(int paramIndex, std::size_t limit) const {
    std::vector<double> values;
    for (double value : Parameter(paramIndex).values.Cells()) {
        if (value == NoDataValue) continue;
        const auto at = std::lower_bound(values.begin(), values.end(), value);
        if (at != values.end() && *at == value) continue;
        values.insert(at, value);
        if (values.size() > limit) return values;
    }
    return values;
}

EditResult GridData::ClearParameter(int paramIndex, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    const CellRange box{0, data.values.Layers() - 1, 0, data.values.Rows() - 1,
                        0, data.values.Columns() - 1};
    if (undo != nullptr) {
        // Every cell changes: the old grid moves into the record whole, no copy.
        Grid3D<double> cleared(data.values.Layers(), data.values.Rows(), data.values.Columns(),
                               NoDataValue);
        undo->pieces_.emplace_back(undo::ParameterCells{code, 0, 0, 0, std::move(data.values),
                                                        data.minValue, data.maxValue});
        data.values = std::move(cleared);
    } else {
        data.values.Fill(NoDataValue);
    }
    data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues, code, -1, -1, box), undo);
    return {};
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

EditResult GridData::FillRegion(int paramIndex, const ModelPoint& point1, const ModelPoint& point2,
                                int layer, double value, bool propagateDown, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    if (code == GroundElevation) value = std::min(value, TotalExtent(LayerDimension, true));
    const CellRange box =
        ParameterBox(paramIndex, layer, propagateDown, rowLow, rowHigh, colLow, colHigh);
    data.values.At(box.layer0, rowLow, colLow);
    SaveParameterBox(undo, paramIndex, box);
    for (int k = box.layer0; k <= box.layer1; ++k)
        for (int row = rowLow; row <= rowHigh; ++row) {
            auto cells = data.values.Row(k, row);
            std::fill(cells.begin() + colLow, cells.begin() + colHigh + 1, value);
        }
    data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues, code, -1, -1, box), undo);
    return {};
}

EditResult GridData::SetValueForBasin(int paramIndex, int basin, double value, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    const MembershipGrid& basins = data_.memberships[BasinType];
    // The box around the basin's cells is all an undo needs.
    CellRange box{0, data.values.Layers() - 1, basins.Rows(), -1, basins.Columns(), -1};
    for (int row = 0; row < basins.Rows(); ++row)
        for (int col = 0; col < basins.Columns(); ++col)
            if (basins.Get(0, row, col) == basin) {
                box.row0 = std::min(box.row0, row);
                box.row1 = std::max(box.row1, row);
                box.col0 = std::min(box.col0, col);
                box.col1 = std::max(box.col1, col);
            }
    if (box.Empty()) return {};
    // The record keeps only the cells whose value changes.
    undo::ParameterCellList changed{code, {}, {}, data.minValue, data.maxValue};
    for (int row = box.row0; row <= box.row1; ++row)
        for (int col = box.col0; col <= box.col1; ++col) {
            if (basins.Get(0, row, col) != basin) continue;
            for (int k = 0; k < data.values.Layers(); ++k) {
                double& cell = data.values(k, row, col);
                if (undo != nullptr && cell != value) {
                    changed.cells.push_back(data.values.IndexOf(k, row, col));
                    changed.values.push_back(cell);
                }
                cell = value;
            }
        }
    if (undo != nullptr) undo->pieces_.emplace_back(std::move(changed));
    data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues, code, -1, -1, box), undo);
    return {};
}

EditResult GridData::SetParameterValues(int paramIndex, Grid3D<double> values, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    if (values.Layers() != data.values.Layers() || values.Rows() != data.values.Rows() ||
        values.Columns() != data.values.Columns())
        throw std::invalid_argument("parameter values of another size");
    const CellRange box{0, values.Layers() - 1, 0, values.Rows() - 1, 0, values.Columns() - 1};
    if (undo != nullptr)
        undo->pieces_.emplace_back(undo::ParameterCells{code, 0, 0, 0, std::move(data.values),
                                                        data.minValue, data.maxValue});
    data.values = std::move(values);
    data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues, code, -1, -1, box), undo);
    return {};
}

EditResult GridData::MarkAboveGround(int type, int marker, UndoRecord* undo) {
    if (type != InactiveType) return EditResult::Refused();
    const int groundIndex = ParameterIndexOfCode(GroundElevation);
    if (groundIndex < 0) return EditResult::Refused();
    MembershipGrid& inactive = data_.memberships[InactiveType];
    const double thickness = TotalExtent(LayerDimension, false);
    const int layersHeld = inactive.Layers();
    std::vector<int> groundLayers(
        static_cast<std::size_t>(NumRows()) * static_cast<std::size_t>(NumColumns()), 0);
    int deepest = 0;
    for (int row = 0; row < NumRows(); ++row) {
        for (int col = 0; col < NumColumns(); ++col) {
            double ground = NoDataValue;
            // A column without a ground elevation has no surface to drape over.
            if (!GetValue(groundIndex, 0, row, col, ground)) continue;
            const int groundLayer = std::min(LayerOfDepth(thickness - 100.0 * ground), layersHeld);
            groundLayers[static_cast<std::size_t>(row * NumColumns() + col)] = groundLayer;
            deepest = std::max(deepest, groundLayer);
        }
    }
    if (deepest == 0) return {};
    const CellRange box{0, deepest - 1, 0, NumRows() - 1, 0, NumColumns() - 1};
    SaveMembershipBox(undo, InactiveType, box);
    for (int row = 0; row < NumRows(); ++row)
        for (int col = 0; col < NumColumns(); ++col)
            for (int layer = 0;
                 layer < groundLayers[static_cast<std::size_t>(row * NumColumns() + col)]; ++layer)
                inactive.Set(layer, row, col, marker);
    Report(MakeChange(ChangeKind::Memberships, -1, InactiveType, -1, box), undo);
    return {};
}

EditResult GridData::TransformParameter(int paramIndex, int firstLayer, int lastLayer,
                                        TransformKind kind, double amount, UndoRecord* undo) {
    ParameterData& data = MutableParameter(paramIndex);
    const int code = data_.ParameterOrder[static_cast<std::size_t>(paramIndex)];
    if (firstLayer > lastLayer) std::swap(firstLayer, lastLayer);
    if (firstLayer < 0 || lastLayer >= NumLayers())
        throw std::out_of_range("layer range " + std::to_string(firstLayer) + ".." +
                                std::to_string(lastLayer));
    // A surface parameter's single layer stands for every layer: changing it
    // once per layer of the range would compound the transform.
    const int from = data.IsSurface() ? 0 : firstLayer;
    const int to = data.IsSurface() ? 0 : lastLayer;
    const CellRange box{from, to, 0, data.values.Rows() - 1, 0, data.values.Columns() - 1};
    SaveParameterBox(undo, paramIndex, box);
    for (int layer = from; layer <= to; ++layer) {
        for (double& value : data.values.Layer(layer)) {
            if (value == NoDataValue) continue;
            value = kind == MultiplyTransform ? value * amount : value + amount;
        }
    }
    data.RecomputeRange();
    Report(MakeChange(ChangeKind::ParameterValues, code, -1, -1, box), undo);
    return {};
}

// --- settings and output selection -------------------------------------------

EditResult GridData::SetSettings(SimulationSettings settings, UndoRecord* undo) {
    SaveSettings(undo);
    data_.settings = std::move(settings);
    Report(MakeChange(ChangeKind::Settings), undo);
    return {};
}

EditResult GridData::SetSimulationPeriod(int start, int end, int year, UndoRecord* undo) {
    SimulationSettings& settings = data_.settings;
    const bool changed = settings.simulationStart != start || settings.simulationEnd != end ||
                         settings.simulationYear != year;
    if (!changed) return EditResult::Refused();
    SaveSettings(undo);
    settings.simulationStart = start;
    settings.simulationEnd = end;
    settings.simulationYear = year;
    Report(MakeChange(ChangeKind::Settings), undo);
    return {};
}

int GridData::CountTimeSeriesSelections() const {
    return data_.TimeSeriesCellGrid.CountSelections();
}

EditResult GridData::SetTimeSeriesSelection(int layer, int row, int col, OutputParamDataItem codes,
                                            UndoRecord* undo) {
    SelectionGrid& grid = data_.TimeSeriesCellGrid;
    grid.Get(layer, row, col); // range check
    for (int32_t code : codes)
        if (code < 0 || code >= OutputParamCount)
            throw std::invalid_argument("output code " + std::to_string(code));
    const CellRange box{layer, layer, row, row, col, col};
    if (undo != nullptr)
        undo->pieces_.emplace_back(
            undo::SelectionCells{box, grid.Region(layer, layer, row, row, col, col)});
    grid.Set(layer, row, col, std::move(codes));
    Report(MakeChange(ChangeKind::Selections, -1, -1, -1, box), undo);
    return {};
}

EditResult GridData::SetPrintList(std::vector<PrintDataItem> list, UndoRecord* undo) {
    SaveOutputRequest(undo);
    data_.printList = std::move(list);
    Report(MakeChange(ChangeKind::OutputRequest), undo);
    return {};
}

EditResult GridData::SetGridOutputParamList(OutputParamDataItem codes, UndoRecord* undo) {
    for (int32_t code : codes)
        if (code < 0 || code >= OutputParamCount)
            throw std::invalid_argument("output code " + std::to_string(code));
    SaveOutputRequest(undo);
    data_.GridOutputParamList = std::move(codes);
    Report(MakeChange(ChangeKind::OutputRequest), undo);
    return {};
}

EditResult GridData::SetOutputBaseName(std::string name, UndoRecord* undo) {
    SaveOutputRequest(undo);
    data_.OutputBaseName = std::move(name);
    Report(MakeChange(ChangeKind::OutputRequest), undo);
    return {};
}

} // namespace korva
