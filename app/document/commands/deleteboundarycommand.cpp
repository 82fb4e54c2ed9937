#include "deleteboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

DeleteBoundaryCommand::DeleteBoundaryCommand(CKORVADoc& document, int type, int index)
    : EditCommand(document,
                  QString("Delete %1 \"%2\"")
                      .arg(BoundaryTypeName(type),
                           QString::fromStdString(document.Grid().Boundary(type).names.at(
                               static_cast<std::size_t>(index)))),
                  {ModelChange::Boundaries | ModelChange::Irrigation, type, 0}),
      type_(type), index_(index) {}

EditResult DeleteBoundaryCommand::Run(GridData& grid, UndoRecord* undo) {
    return grid.DeleteBoundary(type_, index_, undo);
}

} // namespace korva
