// The six boundary records: membership values, drain-collector links, cell
// colours, and appending, renaming and deleting boundaries.
#include "errors.h"
#include "griddata.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace korva {

namespace {

void CheckType(int type) {
    if (type < 0 || type >= BoundaryTypeCount)
        throw std::out_of_range("boundary type " + std::to_string(type));
}

template <class List> void EraseAt(List& list, std::size_t index) {
    if (index < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace

BoundaryTypeData& GridData::Boundary(int type) {
    CheckType(type);
    return boundaries[static_cast<std::size_t>(type)];
}

const BoundaryTypeData& GridData::Boundary(int type) const {
    CheckType(type);
    return boundaries[static_cast<std::size_t>(type)];
}

bool GridData::BoundaryHoldsEveryLayer(int type) const {
    CheckType(type);
    return ModelKind == 1 && type != BasinType;
}

int GridData::BoundaryLayerCount(int type) const {
    return BoundaryHoldsEveryLayer(type) ? NumLayers() : 1;
}

int32_t GridData::GetBoundaryValue(int type, int layer, int row, int col) const {
    const BoundaryTypeData& record = Boundary(type);
    if (layer < 0 || layer >= std::max(NumLayers(), static_cast<int>(record.grid.size())))
        throw std::out_of_range("boundary layer " + std::to_string(layer));
    // A one-layer grid (basins, the 2D model) holds the top layer only: the
    // layers below it belong to no boundary of the kind.
    if (static_cast<std::size_t>(layer) >= record.grid.size()) return 0;
    return record.grid[static_cast<std::size_t>(layer)]
        .at(static_cast<std::size_t>(row))
        .at(static_cast<std::size_t>(col));
}

void GridData::SetBoundaryValue(int type, int layer, int row, int col, int32_t value) {
    Boundary(type)
        .grid.at(static_cast<std::size_t>(layer))
        .at(static_cast<std::size_t>(row))
        .at(static_cast<std::size_t>(col)) = value;
}

void GridData::SetDrainCollector(int drainIndex, int collectorIndex) {
    if (drainIndex < 0)
        throw std::invalid_argument("negative drain index " + std::to_string(drainIndex));
    BoundaryTypeData& drains = boundaries[DrainType];
    if (drainIndex >= drains.Count())
        throw GenericError("No drain exists for index " + std::to_string(drainIndex) + ".");
    if (collectorIndex < -1 || collectorIndex >= boundaries[CollectorType].Count())
        throw std::invalid_argument("no collector exists for index " +
                                    std::to_string(collectorIndex));
    drains.collectorIndex.at(static_cast<std::size_t>(drainIndex)) = collectorIndex;
}

bool GridData::GetBoundaryCellColor(int layer, int row, int col, RgbColor& color) const {
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = boundaries[static_cast<std::size_t>(type)];
        const int32_t number = GetBoundaryValue(type, layer, row, col);
        // A number beyond the list (No Flow cells read back from a solver
        // input set carry 99) names no boundary and so gives no colour.
        if (number < 1 || number > record.Count()) continue;
        const auto index = static_cast<std::size_t>(number - 1);
        if (record.displayed.at(index) == 0) continue;
        color = {record.red.at(index), record.green.at(index), record.blue.at(index)};
        return true;
    }
    return false;
}

int GridData::AppendBoundary(int type, const std::string& name, const RgbColor& color) {
    BoundaryTypeData& record = Boundary(type);
    const int index = record.Count();
    record.ResizeLists(index + 1);
    const auto at = static_cast<std::size_t>(index);
    record.names[at] = name;
    record.red[at] = color[0];
    record.green[at] = color[1];
    record.blue[at] = color[2];
    if (type == BasinType) {
        for (auto& factors : YieldResponseFactors)
            factors.push_back(0.0);
        for (auto& bounds : SalinityUpperBounds)
            bounds.push_back(0.0);
        irrigation.emplace_back();
    }
    return index;
}

void GridData::RenameBoundary(int type, int index, const std::string& name) {
    BoundaryTypeData& record = Boundary(type);
    std::string& current = record.names.at(static_cast<std::size_t>(index));
    if (type == BasinType && current != name) {
        // The basin-crop table is keyed by basin name; carry the assignment
        // over unless another basin still answers to the old name.
        int holders = 0;
        for (const std::string& other : record.names)
            holders += other == current ? 1 : 0;
        if (holders == 1)
            for (CropBasinData& entry : cropBasins)
                if (entry.basinName == current) entry.basinName = name;
    }
    current = name;
}

void GridData::SetBoundaryColor(int type, int index, const RgbColor& color) {
    BoundaryTypeData& record = Boundary(type);
    const auto at = static_cast<std::size_t>(index);
    record.red.at(at) = color[0];
    record.green.at(at) = color[1];
    record.blue.at(at) = color[2];
}

void GridData::DeleteBoundary(int type, int index) {
    BoundaryTypeData& record = Boundary(type);
    if (index < 0 || index >= record.Count())
        throw std::out_of_range("boundary index " + std::to_string(index));
    const auto at = static_cast<std::size_t>(index);
    EraseAt(record.names, at);
    EraseAt(record.red, at);
    EraseAt(record.green, at);
    EraseAt(record.blue, at);
    EraseAt(record.displayed, at);
    EraseAt(record.collectorIndex, at);
    EraseAt(record.flux, at);
    EraseAt(record.waterQuality, at);

    // Membership numbers stay 1-based positions in the list.
    const int32_t number = index + 1;
    for (BoundaryLayerData& layer : record.grid)
        for (BoundaryRowData& row : layer)
            for (int32_t& value : row) {
                if (value == number)
                    value = 0;
                else if (value > number)
                    --value;
            }

    if (type == BasinType) {
        for (auto& factors : YieldResponseFactors)
            EraseAt(factors, at);
        for (auto& bounds : SalinityUpperBounds)
            EraseAt(bounds, at);
        EraseAt(irrigation, at);
    } else if (type == CollectorType) {
        // Drains of the deleted collector now empty into none; those of higher
        // collectors follow the renumbering.
        for (int32_t& collector : boundaries[DrainType].collectorIndex) {
            if (collector == index)
                collector = -1;
            else if (collector > index)
                --collector;
        }
    }
}

void GridData::PaintBoundaryRegion(int type, int number, const ModelPoint& point1,
                                   const ModelPoint& point2, int layer, bool add,
                                   bool propagateDown) {
    BoundaryTypeData& record = Boundary(type);
    if (add && (number < 1 || number > record.Count()))
        throw std::invalid_argument("no boundary numbered " + std::to_string(number));
    if (layer > 0 && (type == BasinType || (type == NoFlowType && ModelKind == 0))) return;
    const int lastLayer = static_cast<int>(record.grid.size()) - 1;
    if (layer < 0) layer = lastLayer;
    if (layer > lastLayer) throw std::out_of_range("boundary layer " + std::to_string(layer));
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    const int32_t value = add ? number : 0;
    const int toLayer = propagateDown ? lastLayer : layer;
    for (int k = layer; k <= toLayer; ++k)
        for (int row = rowLow; row <= rowHigh; ++row)
            for (int col = colLow; col <= colHigh; ++col)
                SetBoundaryValue(type, k, row, col, value);
}

} // namespace korva
