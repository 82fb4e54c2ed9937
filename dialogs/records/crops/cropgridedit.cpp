#include "dialogs/records/crops/cropgridedit.h"

#include "dialogs/dialogdocument.h"
#include "model/griddata.h"

#include <QCoreApplication>
#include <memory>

namespace korva {

bool CropGridEdit::Apply(GridData& grid) {
    if (built_) {
        if (record_.Undone()) grid.Revert(record_);
        return true;
    }
    built_ = true;
    record_ = UndoRecord{};
    new_.Write(grid, &record_);
    const std::size_t listBytes = record_.HeldBytes();
    grid.BuildCropGrid(&record_);
    // The build keeps each changed cell as its position and its old value.
    changedCells_ = (record_.HeldBytes() - listBytes) / (sizeof(std::size_t) + sizeof(double));
    return !(old_ == new_) || changedCells_ > 0;
}

void CropGridEdit::Undo(GridData& grid) {
    if (!record_.Undone()) grid.Revert(record_);
}

std::size_t CropGridEdit::Bytes() const {
    return sizeof(*this) + old_.Bytes() + new_.Bytes() + record_.HeldBytes();
}

void ChangeCrops(DialogDocument& document, CropRecords newRecords) {
    auto edit =
        std::make_shared<CropGridEdit>(CropRecords::Read(document.Grid()), std::move(newRecords));
    // The cells are known only once the build has run: count the most it can
    // change, every crop value of every basin cell.
    const GridData& grid = document.Grid();
    std::size_t basinCells = 0;
    const MembershipGrid& basins = grid.Memberships(BasinType);
    if (!basins.AllZero())
        for (int32_t member : basins.LayerValues(0))
            basinCells += member > 0 ? 1 : 0;
    const std::size_t layers = grid.LayerSpacing().size();
    const std::size_t bytes = edit->Bytes() + basinCells * 10 * layers * 16;
    document.Change(
        QCoreApplication::translate("CropParameterDlg", "Edit Crop Data"),
        [edit](GridData& grid) { return edit->Apply(grid); },
        [edit](GridData& grid) { edit->Undo(grid); }, unsigned(CropsPart) | unsigned(CellsPart),
        bytes);
}

} // namespace korva
