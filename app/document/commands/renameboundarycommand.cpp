#include "renameboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

RenameBoundaryCommand::RenameBoundaryCommand(CKORVADoc& document, int type, int index,
                                             std::string name)
    : EditCommand(document, QString("Rename %1").arg(BoundaryTypeName(type)),
                  {ModelChange::Boundaries | ModelChange::Crops, type, 0}),
      type_(type), index_(index), newName_(std::move(name)) {}

EditResult RenameBoundaryCommand::Run(GridData& grid, UndoRecord* undo) {
    return grid.RenameBoundary(type_, index_, newName_, undo);
}

} // namespace korva
