// Undo records: the snapshots an edit takes before it changes anything, and
// Revert, which exchanges each snapshot with the model's current state. An
// exchange is its own inverse, so the same record undoes and then redoes.
#include "griddata.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace korva {

namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };

} // namespace

void GridData::SaveParameterBox(UndoRecord* undo, int paramIndex, const CellRange& box) const {
    if (undo == nullptr) return;
    const ParameterData& data = Parameter(paramIndex);
    undo->pieces_.emplace_back(undo::ParameterCells{
        data_.ParameterOrder[static_cast<std::size_t>(paramIndex)], box.layer0, box.row0, box.col0,
        data.values.Region(box.layer0, box.row0, box.col0, box.layer1 - box.layer0 + 1,
                           box.row1 - box.row0 + 1, box.col1 - box.col0 + 1),
        data.minValue, data.maxValue});
}

void GridData::SaveMembershipBox(UndoRecord* undo, int type, const CellRange& box) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(undo::MembershipCells{
        type, box.layer0, box.row0, box.col0,
        Memberships(type).Region(box.layer0, box.row0, box.col0, box.layer1 - box.layer0 + 1,
                                 box.row1 - box.row0 + 1, box.col1 - box.col0 + 1)});
}

void GridData::SaveSpacings(UndoRecord* undo) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(undo::Spacings{
        data_.rowSpacing, data_.columnSpacing, data_.layerSpacing, data_.UniformSpacing,
        data_.ZExaggeration, data_.HorizontalUnits, data_.VerticalUnits});
}

void GridData::SaveBoundaryList(UndoRecord* undo, int type) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(undo::BoundaryList{type, Boundary(type)});
}

void GridData::SaveCropRecords(UndoRecord* undo) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(undo::Crops{data_.cropParams, data_.cropBasins, data_.irrigation,
                                           data_.YieldResponseFactors, data_.SalinityUpperBounds});
}

void GridData::SaveSettings(UndoRecord* undo) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(undo::Settings{data_.settings});
}

void GridData::SaveOutputRequest(UndoRecord* undo) const {
    if (undo == nullptr) return;
    undo->pieces_.emplace_back(
        undo::OutputRequest{data_.printList, data_.GridOutputParamList, data_.OutputBaseName});
}

void GridData::RevertPiece(undo::Piece& piece) {
    std::visit(
        Overloaded{
            [&](undo::ParameterCells& p) {
                ParameterData& data = data_.parameters.at(p.code);
                if (p.layer == 0 && p.row == 0 && p.column == 0 &&
                    p.cells.Layers() == data.values.Layers() &&
                    p.cells.Rows() == data.values.Rows() &&
                    p.cells.Columns() == data.values.Columns())
                    std::swap(p.cells, data.values); // the whole grid: no cell copied
                else
                    data.values.SwapRegion(p.layer, p.row, p.column, p.cells);
                std::swap(p.minValue, data.minValue);
                std::swap(p.maxValue, data.maxValue);
            },
            [&](undo::ParameterCellList& p) {
                ParameterData& data = data_.parameters.at(p.code);
                auto cells = data.values.Cells();
                for (std::size_t i = 0; i < p.cells.size(); ++i)
                    std::swap(cells[p.cells[i]], p.values[i]);
                std::swap(p.minValue, data.minValue);
                std::swap(p.maxValue, data.maxValue);
            },
            [&](undo::MembershipCells& p) {
                data_.memberships.at(static_cast<std::size_t>(p.type))
                    .SwapRegion(p.layer, p.row, p.column, p.cells);
            },
            [&](undo::MembershipRenumber& p) {
                MembershipGrid& grid = data_.memberships.at(static_cast<std::size_t>(p.type));
                if (p.deleted) {
                    grid.Unrenumber(p.number, p.cells);
                    p.cells.clear();
                } else {
                    p.cells = grid.Renumber(p.number);
                    if (Boundary(p.type).Count() == 0) grid.Compact();
                }
                p.deleted = !p.deleted;
            },
            [&](undo::SelectionCells& p) {
                SelectionGrid& grid = data_.TimeSeriesCellGrid;
                const CellRange& b = p.box;
                auto current = grid.Region(b.layer0, b.layer1, b.row0, b.row1, b.col0, b.col1);
                grid.RestoreRegion(b.layer0, b.layer1, b.row0, b.row1, b.col0, b.col1, p.entries);
                p.entries = std::move(current);
            },
            [&](undo::Slices& p) {
                const bool layers = p.dimension == LayerDimension;
                if (p.removed) {
                    for (auto& [code, data] : data_.parameters)
                        if (!layers || !data.IsSurface())
                            data.values.InsertSlices(p.dimension, p.at, p.parameters.at(code));
                    for (int type = 0; type < BoundaryTypeCount; ++type)
                        if (!layers || BoundaryHoldsEveryLayer(type))
                            data_.memberships[type].InsertSlices(p.dimension, p.at,
                                                                 p.memberships[type].value());
                    data_.TimeSeriesCellGrid.InsertSlices(p.dimension, p.at, p.count, p.selections);
                    p.parameters.clear();
                    p.memberships = {};
                    p.selections.clear();
                } else {
                    for (auto& [code, data] : data_.parameters)
                        if (!layers || !data.IsSurface())
                            p.parameters.emplace(
                                code, data.values.ExtractSlices(p.dimension, p.at, p.count));
                    for (int type = 0; type < BoundaryTypeCount; ++type)
                        if (!layers || BoundaryHoldsEveryLayer(type))
                            p.memberships[type] =
                                data_.memberships[type].ExtractSlices(p.dimension, p.at, p.count);
                    p.selections =
                        data_.TimeSeriesCellGrid.ExtractSlices(p.dimension, p.at, p.count);
                }
                p.removed = !p.removed;
            },
            [&](undo::Spacings& p) {
                std::swap(p.row, data_.rowSpacing);
                std::swap(p.column, data_.columnSpacing);
                std::swap(p.layer, data_.layerSpacing);
                std::swap(p.uniform, data_.UniformSpacing);
                std::swap(p.zExaggeration, data_.ZExaggeration);
                std::swap(p.horizontalUnits, data_.HorizontalUnits);
                std::swap(p.verticalUnits, data_.VerticalUnits);
            },
            [&](undo::BoundaryList& p) {
                std::swap(p.record, data_.boundaries.at(static_cast<std::size_t>(p.type)));
            },
            [&](undo::Crops& p) {
                std::swap(p.cropParams, data_.cropParams);
                std::swap(p.cropBasins, data_.cropBasins);
                std::swap(p.irrigation, data_.irrigation);
                std::swap(p.yieldResponseFactors, data_.YieldResponseFactors);
                std::swap(p.salinityUpperBounds, data_.SalinityUpperBounds);
            },
            [&](undo::Settings& p) { std::swap(p.settings, data_.settings); },
            [&](undo::OutputRequest& p) {
                std::swap(p.printList, data_.printList);
                std::swap(p.gridOutputParamList, data_.GridOutputParamList);
                std::swap(p.outputBaseName, data_.OutputBaseName);
            },
            [&](undo::ParameterInfo& p) {
                ParameterData& data = data_.parameters.at(p.code);
                std::swap(p.name, data.name);
                std::swap(p.lowColor, data.lowColor);
                std::swap(p.highColor, data.highColor);
            },
            [&](undo::OutputColors& p) {
                KORVAOutputData& output =
                    data_.outputs.gridOutputs.at(static_cast<std::size_t>(p.quantity));
                std::swap(p.lowColor, output.lowColor);
                std::swap(p.highColor, output.highColor);
            },
        },
        piece);
}

void GridData::Revert(UndoRecord& record) {
    // Undo walks the pieces back from the last, redo forward from the first:
    // each piece is exchanged in the state it was taken in.
    if (!record.undone_) {
        for (auto piece = record.pieces_.rbegin(); piece != record.pieces_.rend(); ++piece)
            RevertPiece(*piece);
    } else {
        for (undo::Piece& piece : record.pieces_)
            RevertPiece(piece);
    }
    record.undone_ = !record.undone_;
    for (const GridChange& change : record.changes_)
        Report(change, nullptr);
}

std::size_t UndoRecord::HeldBytes() const {
    std::size_t bytes = 0;
    auto entries = [](const std::vector<SelectionGrid::Entry>& list) {
        std::size_t total = 0;
        for (const auto& entry : list)
            total += sizeof(entry) + entry.codes.size() * sizeof(int32_t);
        return total;
    };
    for (const undo::Piece& piece : pieces_) {
        std::visit(
            Overloaded{
                [&](const undo::ParameterCells& p) { bytes += p.cells.Size() * sizeof(double); },
                [&](const undo::ParameterCellList& p) {
                    bytes += p.cells.size() * (sizeof(std::size_t) + sizeof(double));
                },
                [&](const undo::MembershipCells& p) { bytes += p.cells.Size() * sizeof(int32_t); },
                [&](const undo::MembershipRenumber& p) {
                    bytes += p.cells.size() * sizeof(std::size_t);
                },
                [&](const undo::SelectionCells& p) { bytes += entries(p.entries); },
                [&](const undo::Slices& p) {
                    for (const auto& [code, cells] : p.parameters)
                        bytes += cells.Size() * sizeof(double);
                    for (const auto& cells : p.memberships)
                        if (cells) bytes += cells->Size() * sizeof(int32_t);
                    bytes += entries(p.selections);
                },
                [&](const undo::Spacings& p) {
                    bytes += (p.row.size() + p.column.size() + p.layer.size()) * sizeof(double);
                },
                [&](const auto&) { bytes += sizeof(undo::Piece); },
            },
            piece);
    }
    return bytes;
}

std::string DescribeChange(const GridChange& change) {
    static constexpr const char* kinds[] = {
        "values",   "parameter info", "memberships", "boundary list", "geometry", "crops",
        "settings", "output request", "selections",  "outputs",       "model"};
    std::string text = kinds[static_cast<int>(change.kind)];
    if (change.parameterCode >= 0) text += " parameter " + std::to_string(change.parameterCode);
    if (change.boundaryType >= 0) text += " boundary kind " + std::to_string(change.boundaryType);
    if (change.dimension >= 0) text += " dimension " + std::to_string(change.dimension);
    const CellRange& c = change.cells;
    if (!c.Empty())
        text += " [" + std::to_string(c.layer0) + ".." + std::to_string(c.layer1) + "," +
                std::to_string(c.row0) + ".." + std::to_string(c.row1) + "," +
                std::to_string(c.col0) + ".." + std::to_string(c.col1) + "]";
    return text;
}

} // namespace korva
