#include "boundarycolorcommand.h"

#include "app/document/korvadoc.h"

namespace korva {

namespace {
RgbColor ColorOf(const BoundaryTypeData& record, int index) {
    const auto at = static_cast<std::size_t>(index);
    return {record.red.at(at), record.green.at(at), record.blue.at(at)};
}
} // namespace

BoundaryColorCommand::BoundaryColorCommand(CKORVADoc& document, int type, int index,
                                           const RgbColor& color)
    : DocumentCommand(document, QString("Change %1 Colour").arg(BoundaryTypeName(type)),
                      {ModelChange::BoundaryColors, type, CKORVADoc::BoundaryColorChanged}),
      type_(type), index_(index), oldColor_(ColorOf(document.Grid().Boundary(type), index)),
      newColor_(color) {}

void BoundaryColorCommand::redo() {
    Grid().SetBoundaryColor(type_, index_, newColor_);
    Report();
}

void BoundaryColorCommand::undo() {
    Grid().SetBoundaryColor(type_, index_, oldColor_);
    Report();
}

} // namespace korva
