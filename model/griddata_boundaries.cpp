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

BoundaryTypeData& GridData::MutableBoundary(int type) {
    CheckType(type);
    return data_.boundaries[static_cast<std::size_t>(type)];
}

const BoundaryTypeData& GridData::Boundary(int type) const {
    CheckType(type);
    return data_.boundaries[static_cast<std::size_t>(type)];
}

const MembershipGrid& GridData::Memberships(int type) const {
    CheckType(type);
    return data_.memberships[static_cast<std::size_t>(type)];
}

bool GridData::BoundaryHoldsEveryLayer(int type) const {
    CheckType(type);
    return data_.ModelKind == 1 && type != BasinType;
}

int GridData::BoundaryLayerCount(int type) const {
    return BoundaryHoldsEveryLayer(type) ? NumLayers() : 1;
}

int32_t GridData::GetBoundaryValue(int type, int layer, int row, int col) const {
    const MembershipGrid& grid = Memberships(type);
    if (layer < 0 || layer >= std::max(NumLayers(), grid.Layers()))
        throw std::out_of_range("boundary layer " + std::to_string(layer));
    // A one-layer grid (basins, the 2D model) holds the top layer only: the
    // layers below it belong to no boundary of the kind.
    if (layer >= grid.Layers()) return 0;
    return grid.Get(layer, row, col);
}

EditResult GridData::SetBoundaryValue(int type, int layer, int row, int col, int32_t value,
                                      UndoRecord* undo) {
    MembershipGrid& grid = data_.memberships.at(static_cast<std::size_t>(type));
    grid.Get(layer, row, col); // range check before anything changes
    const CellRange box{layer, layer, row, row, col, col};
    SaveMembershipBox(undo, type, box);
    grid.Set(layer, row, col, value);
    Report(MakeChange(ChangeKind::Memberships, -1, type, -1, box), undo);
    return {};
}

EditResult GridData::SetMembershipRegion(int type, int layer, int row, int col,
                                         const Grid3D<int32_t>& cells, UndoRecord* undo) {
    MembershipGrid& grid = data_.memberships.at(static_cast<std::size_t>(type));
    if (cells.Empty()) return EditResult::Refused();
    const CellRange box{layer, layer + cells.Layers() - 1, row, row + cells.Rows() - 1,
                        col,   col + cells.Columns() - 1};
    grid.Get(box.layer0, box.row0, box.col0); // range checks before anything changes
    grid.Get(box.layer1, box.row1, box.col1);
    SaveMembershipBox(undo, type, box);
    for (int k = 0; k < cells.Layers(); ++k)
        for (int r = 0; r < cells.Rows(); ++r)
            for (int c = 0; c < cells.Columns(); ++c)
                grid.Set(layer + k, row + r, col + c, cells(k, r, c));
    Report(MakeChange(ChangeKind::Memberships, -1, type, -1, box), undo);
    return {};
}

EditResult GridData::SetDrainCollector(int drainIndex, int collectorIndex, UndoRecord* undo) {
    if (drainIndex < 0)
        throw std::invalid_argument("negative drain index " + std::to_string(drainIndex));
    BoundaryTypeData& drains = data_.boundaries[DrainType];
    if (drainIndex >= drains.Count())
        throw GenericError("No drain exists for index " + std::to_string(drainIndex) + ".");
    if (collectorIndex < -1 || collectorIndex >= data_.boundaries[CollectorType].Count())
        throw std::invalid_argument("no collector exists for index " +
                                    std::to_string(collectorIndex));
    SaveBoundaryList(undo, DrainType);
    drains.collectorIndex.at(static_cast<std::size_t>(drainIndex)) = collectorIndex;
    Report(MakeChange(ChangeKind::BoundaryList, -1, DrainType), undo);
    return {};
}

bool GridData::GetBoundaryCellColor(int layer, int row, int col, RgbColor& color) const {
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = data_.boundaries[static_cast<std::size_t>(type)];
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

int GridData::AppendBoundary(int type, const std::string& name, const RgbColor& color,
                             UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(type);
    SaveBoundaryList(undo, type);
    if (type == BasinType) SaveCropRecords(undo);
    const int index = record.Count();
    record.ResizeLists(index + 1);
    const auto at = static_cast<std::size_t>(index);
    record.names[at] = name;
    record.red[at] = color[0];
    record.green[at] = color[1];
    record.blue[at] = color[2];
    if (type == BasinType) {
        for (auto& factors : data_.YieldResponseFactors)
            factors.push_back(0.0);
        for (auto& bounds : data_.SalinityUpperBounds)
            bounds.push_back(0.0);
        data_.irrigation.emplace_back();
    }
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    if (type == BasinType) Report(MakeChange(ChangeKind::Crops), undo);
    return index;
}

EditResult GridData::RenameBoundary(int type, int index, const std::string& name,
                                    UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(type);
    std::string& current = record.names.at(static_cast<std::size_t>(index));
    SaveBoundaryList(undo, type);
    bool cropsChanged = false;
    if (type == BasinType && current != name) {
        // The basin-crop table is keyed by basin name; carry the assignment
        // over unless another basin still answers to the old name.
        int holders = 0;
        for (const std::string& other : record.names)
            holders += other == current ? 1 : 0;
        if (holders == 1) {
            for (const CropBasinData& entry : data_.cropBasins)
                cropsChanged = cropsChanged || entry.basinName == current;
            if (cropsChanged) {
                SaveCropRecords(undo);
                for (CropBasinData& entry : data_.cropBasins)
                    if (entry.basinName == current) entry.basinName = name;
            }
        }
    }
    current = name;
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    if (cropsChanged) Report(MakeChange(ChangeKind::Crops), undo);
    return {};
}

EditResult GridData::SetBoundaryColor(int type, int index, const RgbColor& color,
                                      UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(type);
    const auto at = static_cast<std::size_t>(index);
    record.red.at(at);
    SaveBoundaryList(undo, type);
    record.red.at(at) = color[0];
    record.green.at(at) = color[1];
    record.blue.at(at) = color[2];
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    return {};
}

EditResult GridData::SetBoundaryDisplayed(int type, int index, bool displayed, UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(type);
    const auto at = static_cast<std::size_t>(index);
    record.displayed.at(at);
    SaveBoundaryList(undo, type);
    record.displayed[at] = displayed ? 1 : 0;
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    return {};
}

EditResult GridData::SetBoundaryFlux(int index, double flux, double waterQuality,
                                     UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(NaturalBoundaryType);
    const auto at = static_cast<std::size_t>(index);
    record.flux.at(at);
    record.waterQuality.at(at);
    SaveBoundaryList(undo, NaturalBoundaryType);
    record.flux[at] = flux;
    record.waterQuality[at] = waterQuality;
    Report(MakeChange(ChangeKind::BoundaryList, -1, NaturalBoundaryType), undo);
    return {};
}

EditResult GridData::SetBoundaryLists(int type, BoundaryTypeData record, UndoRecord* undo) {
    BoundaryTypeData& current = MutableBoundary(type);
    const auto n = static_cast<std::size_t>(current.Count());
    const bool shaped = record.names.size() == n && record.red.size() == n &&
                        record.green.size() == n && record.blue.size() == n &&
                        record.displayed.size() == n && record.collectorIndex.size() == n &&
                        record.flux.size() == n && record.waterQuality.size() == n;
    if (record.type != type || !shaped)
        throw std::invalid_argument("boundary lists of another kind or size");
    SaveBoundaryList(undo, type);
    current = std::move(record);
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    return {};
}

EditResult GridData::DeleteBoundary(int type, int index, UndoRecord* undo) {
    BoundaryTypeData& record = MutableBoundary(type);
    if (index < 0 || index >= record.Count())
        throw std::out_of_range("boundary index " + std::to_string(index));
    SaveBoundaryList(undo, type);
    if (type == BasinType) SaveCropRecords(undo);
    if (type == CollectorType) SaveBoundaryList(undo, DrainType);
    const auto at = static_cast<std::size_t>(index);
    EraseAt(record.names, at);
    EraseAt(record.red, at);
    EraseAt(record.green, at);
    EraseAt(record.blue, at);
    EraseAt(record.displayed, at);
    EraseAt(record.collectorIndex, at);
    EraseAt(record.flux, at);
    EraseAt(record.waterQuality, at);

    // Membership numbers stay 1-based positions in the list; the record keeps
    // only the cells of the deleted boundary, the rest renumber back.
    const int32_t number = index + 1;
    MembershipGrid& grid = data_.memberships[static_cast<std::size_t>(type)];
    std::vector<std::size_t> held = grid.Renumber(number);
    // A kind without boundaries holds no cells.
    if (record.Count() == 0) grid.Compact();
    if (undo != nullptr)
        undo->pieces_.emplace_back(undo::MembershipRenumber{type, number, std::move(held), true});

    if (type == BasinType) {
        for (auto& factors : data_.YieldResponseFactors)
            EraseAt(factors, at);
        for (auto& bounds : data_.SalinityUpperBounds)
            EraseAt(bounds, at);
        EraseAt(data_.irrigation, at);
    } else if (type == CollectorType) {
        // Drains of the deleted collector now empty into none; those of higher
        // collectors follow the renumbering.
        for (int32_t& collector : data_.boundaries[DrainType].collectorIndex) {
            if (collector == index)
                collector = -1;
            else if (collector > index)
                --collector;
        }
    }
    Report(MakeChange(ChangeKind::BoundaryList, -1, type), undo);
    Report(MakeChange(ChangeKind::Memberships, -1, type, -1,
                      {0, grid.Layers() - 1, 0, grid.Rows() - 1, 0, grid.Columns() - 1}),
           undo);
    if (type == BasinType) Report(MakeChange(ChangeKind::Crops), undo);
    if (type == CollectorType) Report(MakeChange(ChangeKind::BoundaryList, -1, DrainType), undo);
    return {};
}

EditResult GridData::PaintBoundaryRegion(int type, int number, const ModelPoint& point1,
                                         const ModelPoint& point2, int layer, bool add,
                                         bool propagateDown, UndoRecord* undo) {
    const BoundaryTypeData& record = Boundary(type);
    if (add && (number < 1 || number > record.Count()))
        throw std::invalid_argument("no boundary numbered " + std::to_string(number));
    if (layer > 0 && (type == BasinType || (type == NoFlowType && data_.ModelKind == 0)))
        return EditResult::Refused();
    MembershipGrid& grid = data_.memberships[static_cast<std::size_t>(type)];
    const int lastLayer = grid.Layers() - 1;
    if (layer < 0) layer = lastLayer;
    if (layer > lastLayer) throw std::out_of_range("boundary layer " + std::to_string(layer));
    int rowLow = 0, rowHigh = 0, colLow = 0, colHigh = 0;
    LocatedRange(RowDimension, point1, point2, rowLow, rowHigh);
    LocatedRange(ColumnDimension, point1, point2, colLow, colHigh);
    const int32_t value = add ? number : 0;
    const CellRange box{layer, propagateDown ? lastLayer : layer, rowLow, rowHigh, colLow, colHigh};
    SaveMembershipBox(undo, type, box);
    grid.FillBox(box.layer0, box.layer1, box.row0, box.row1, box.col0, box.col1, value);
    Report(MakeChange(ChangeKind::Memberships, -1, type, -1, box), undo);
    return {};
}

} // namespace korva
