#include "cropgridedit.h"

#include "dialogs/dialogdocument.h"
#include "model/griddata.h"

#include <QCoreApplication>
#include <memory>
#include <set>

namespace korva {

namespace {

// The cell parameters the crop grid builder writes.
bool IsCropParameter(int code) {
    return code >= GridData::InitialRootDepth && code <= GridData::DateOfHarvest;
}

double& CellOf(GridData& grid, int paramIndex, int layer, int row, int column) {
    return grid.Parameter(paramIndex)
        .layers[static_cast<std::size_t>(layer)][static_cast<std::size_t>(row)]
               [static_cast<std::size_t>(column)];
}

} // namespace

void CropGridEdit::Build(GridData& grid) {
    // The builder writes only cells of basins (Basin membership in layer 0),
    // so those are the only ones worth looking at before and after.
    struct Candidate {
        int paramIndex, layer, row, column;
        double before;
    };
    std::vector<Candidate> candidates;
    const BoundaryTypeData& basins = grid.Boundary(BasinType);
    if (!basins.grid.empty()) {
        const BoundaryLayerData& members = basins.grid.front();
        for (int p = 0; p < grid.ParameterCount(); ++p) {
            if (!IsCropParameter(grid.ParameterOrder[static_cast<std::size_t>(p)])) continue;
            const int layers = static_cast<int>(grid.Parameter(p).layers.size());
            for (std::size_t r = 0; r < members.size(); ++r)
                for (std::size_t c = 0; c < members[r].size(); ++c) {
                    if (members[r][c] <= 0) continue;
                    for (int l = 0; l < layers; ++l) {
                        const int row = static_cast<int>(r), column = static_cast<int>(c);
                        candidates.push_back({p, l, row, column, CellOf(grid, p, l, row, column)});
                    }
                }
        }
    }
    new_.Write(grid);
    grid.BuildCropGrid();
    for (const Candidate& cell : candidates) {
        const double after = CellOf(grid, cell.paramIndex, cell.layer, cell.row, cell.column);
        if (after != cell.before)
            cells_.push_back(
                {cell.paramIndex, cell.layer, cell.row, cell.column, cell.before, after});
    }
    cells_.shrink_to_fit();
}

void CropGridEdit::WriteCells(GridData& grid, bool useNew) const {
    std::set<int> touched;
    for (const CellChange& cell : cells_) {
        CellOf(grid, cell.paramIndex, cell.layer, cell.row, cell.column) =
            useNew ? cell.newValue : cell.oldValue;
        touched.insert(cell.paramIndex);
    }
    for (int p : touched)
        grid.RecomputeRange(p);
}

bool CropGridEdit::Apply(GridData& grid) {
    if (!built_) {
        Build(grid);
        built_ = true;
        return !(old_ == new_) || !cells_.empty();
    }
    new_.Write(grid);
    WriteCells(grid, true);
    return true;
}

void CropGridEdit::Undo(GridData& grid) const {
    old_.Write(grid);
    WriteCells(grid, false);
}

std::size_t CropGridEdit::Bytes() const {
    return sizeof(*this) + old_.Bytes() + new_.Bytes() + cells_.capacity() * sizeof(CellChange);
}

void ChangeCrops(DialogDocument& document, CropRecords newRecords) {
    auto edit =
        std::make_shared<CropGridEdit>(CropRecords::Read(document.Grid()), std::move(newRecords));
    // The cells are known only once the build has run: count the most it can
    // change, every crop value of every basin cell.
    const GridData& grid = document.Grid();
    std::size_t basinCells = 0;
    if (!grid.Boundary(BasinType).grid.empty())
        for (const BoundaryRowData& row : grid.Boundary(BasinType).grid.front())
            for (int32_t member : row)
                basinCells += member > 0 ? 1 : 0;
    const std::size_t layers = grid.layerSpacing.size();
    const std::size_t bytes = edit->Bytes() + basinCells * 10 * layers * 40;
    document.Change(
        QCoreApplication::translate("CropParameterDlg", "Edit Crop Data"),
        [edit](GridData& grid) { return edit->Apply(grid); },
        [edit](GridData& grid) { edit->Undo(grid); }, unsigned(CropsPart) | unsigned(CellsPart),
        bytes);
}

} // namespace korva
