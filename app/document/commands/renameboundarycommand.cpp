#include "renameboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

RenameBoundaryCommand::RenameBoundaryCommand(CKORVADoc& document, int type, int index,
                                             std::string name)
    : DocumentCommand(document, QString("Rename %1").arg(BoundaryTypeName(type)),
                      {ModelChange::Boundaries | ModelChange::Crops, type, 0}),
      type_(type), index_(index),
      oldName_(document.Grid().Boundary(type).names.at(static_cast<std::size_t>(index))),
      newName_(std::move(name)) {}

void RenameBoundaryCommand::redo() {
    GridData& grid = Grid();
    std::vector<std::string> before;
    before.reserve(grid.cropBasins.size());
    for (const CropBasinData& entry : grid.cropBasins)
        before.push_back(entry.basinName);
    grid.RenameBoundary(type_, index_, newName_);
    renamedCropEntries_.clear();
    for (std::size_t i = 0; i < grid.cropBasins.size() && i < before.size(); ++i)
        if (grid.cropBasins[i].basinName != before[i]) renamedCropEntries_.push_back(i);
    Report();
}

void RenameBoundaryCommand::undo() {
    GridData& grid = Grid();
    grid.Boundary(type_).names.at(static_cast<std::size_t>(index_)) = oldName_;
    for (std::size_t i : renamedCropEntries_)
        grid.cropBasins.at(i).basinName = oldName_;
    Report();
}

} // namespace korva
