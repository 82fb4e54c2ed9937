#include "addboundarycommand.h"

#include "app/document/korvadoc.h"

namespace korva {

AddBoundaryCommand::AddBoundaryCommand(CKORVADoc& document, int type, std::string name,
                                       const RgbColor& color)
    : DocumentCommand(
          document,
          QString("Add %1 \"%2\"").arg(BoundaryTypeName(type), QString::fromStdString(name)),
          {ModelChange::Boundaries, type, 0}),
      type_(type), name_(std::move(name)), color_(color) {}

void AddBoundaryCommand::redo() {
    index_ = Grid().AppendBoundary(type_, name_, color_);
    Report();
}

void AddBoundaryCommand::undo() {
    GridData& grid = Grid();
    BoundaryTypeData& record = grid.Boundary(type_);
    record.ResizeLists(index_);
    if (type_ == BasinType) {
        for (auto& factors : grid.YieldResponseFactors)
            factors.resize(static_cast<std::size_t>(index_));
        for (auto& bounds : grid.SalinityUpperBounds)
            bounds.resize(static_cast<std::size_t>(index_));
        grid.irrigation.resize(static_cast<std::size_t>(index_));
    }
    Report();
}

} // namespace korva
