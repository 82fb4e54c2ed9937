#include "cropeditcommand.h"

#include "model/griddata.h"

#include <QCoreApplication>
#include <algorithm>
#include <set>

namespace korva {

namespace {

// The cell parameters the crop grid builder writes.
bool IsCropParameter(int code) {
    return code >= GridData::InitialRootDepth && code <= GridData::DateOfHarvest;
}

} // namespace

CropEditCommand::CropEditCommand(GridData& grid, CropRecords newRecords, ModelChangedFn changed)
    : QUndoCommand(QCoreApplication::translate("CropEditCommand", "Edit Crop Data")), grid_(grid),
      old_(CropRecords::Read(grid)), new_(std::move(newRecords)), changed_(std::move(changed)) {}

void CropEditCommand::BuildAndRecord() {
    // The builder writes only cells of basins (Basin membership in layer 0),
    // so those are the only ones worth looking at before and after.
    struct Slot {
        int paramIndex, layer, row, column;
        double before;
    };
    std::vector<Slot> candidates;
    const BoundaryTypeData& basins = grid_.Boundary(BasinType);
    if (!basins.grid.empty()) {
        const BoundaryLayerData& members = basins.grid.front();
        for (int p = 0; p < grid_.ParameterCount(); ++p) {
            if (!IsCropParameter(grid_.ParameterOrder[static_cast<std::size_t>(p)])) continue;
            const ParameterData& parameter = grid_.Parameter(p);
            for (std::size_t r = 0; r < members.size(); ++r)
                for (std::size_t c = 0; c < members[r].size(); ++c) {
                    if (members[r][c] <= 0) continue;
                    for (std::size_t l = 0; l < parameter.layers.size(); ++l)
                        candidates.push_back({p, static_cast<int>(l), static_cast<int>(r),
                                              static_cast<int>(c),
                                              parameter.layers[l].at(r).at(c)});
                }
        }
    }
    new_.Write(grid_);
    grid_.BuildCropGrid();
    for (const Slot& slot : candidates) {
        const double after =
            grid_.Parameter(slot.paramIndex)
                .layers[static_cast<std::size_t>(slot.layer)][static_cast<std::size_t>(slot.row)]
                       [static_cast<std::size_t>(slot.column)];
        if (after != slot.before)
            cells_.push_back(
                {slot.paramIndex, slot.layer, slot.row, slot.column, slot.before, after});
    }
    cells_.shrink_to_fit();
}

void CropEditCommand::WriteCells(bool useNew) {
    std::set<int> touched;
    for (const CellChange& cell : cells_) {
        grid_.Parameter(cell.paramIndex)
            .layers[static_cast<std::size_t>(cell.layer)][static_cast<std::size_t>(cell.row)]
                   [static_cast<std::size_t>(cell.column)] = useNew ? cell.newValue : cell.oldValue;
        touched.insert(cell.paramIndex);
    }
    for (int p : touched)
        grid_.RecomputeRange(p);
}

void CropEditCommand::redo() {
    if (!built_) {
        BuildAndRecord();
        built_ = true;
    } else {
        new_.Write(grid_);
        WriteCells(true);
    }
    if (changed_) changed_();
}

void CropEditCommand::undo() {
    old_.Write(grid_);
    WriteCells(false);
    if (changed_) changed_();
}

} // namespace korva
