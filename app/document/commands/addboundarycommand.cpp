#include "addboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

AddBoundaryCommand::AddBoundaryCommand(CKORVADoc& document, int type, std::string name,
                                       const RgbColor& color)
    : EditCommand(
          document,
          QString("Add %1 \"%2\"").arg(BoundaryTypeName(type), QString::fromStdString(name)),
          {ModelChange::Boundaries, type, 0}),
      type_(type), name_(std::move(name)), color_(color) {}

EditResult AddBoundaryCommand::Run(GridData& grid, UndoRecord* undo) {
    index_ = grid.AppendBoundary(type_, name_, color_, undo);
    return {};
}

} // namespace korva
