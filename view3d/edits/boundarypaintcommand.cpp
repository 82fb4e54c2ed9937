#include "boundarypaintcommand.h"

#include "app/document/korvadoc.h"

namespace korva {

BoundaryPaintCommand::BoundaryPaintCommand(CKORVADoc& document, int type, int number,
                                           const ModelPoint& a, const ModelPoint& b, int layer,
                                           bool add, bool propagateDown)
    : EditCommand(document,
                  add ? QStringLiteral("Paint Boundary") : QStringLiteral("Erase Boundary"),
                  ModelChange{ModelChange::Boundaries, type, 0}),
      type(type), number(number), a(a), b(b), layer(layer), add(add), propagateDown(propagateDown) {
    const GridData& grid = document.Grid();
    const int held = grid.Memberships(type).Layers();
    if (layer > 0 && (type == BasinType || (type == NoFlowType && grid.ModelKind() == 0))) return;
    if (add && (number < 1 || number > grid.BoundaryCount(type))) return;
    const int first = layer < 0 ? held - 1 : layer;
    changes_ = first >= 0 && first < held;
    this->layer = first;
}

EditResult BoundaryPaintCommand::Run(GridData& grid, UndoRecord* undo) {
    return grid.PaintBoundaryRegion(type, number, a, b, layer, add, propagateDown, undo);
}

} // namespace korva
