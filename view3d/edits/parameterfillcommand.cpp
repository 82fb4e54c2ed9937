#include "parameterfillcommand.h"

namespace korva {

ParameterFillCommand::ParameterFillCommand(CKORVADoc& document, int paramIndex, const ModelPoint& a,
                                           const ModelPoint& b, int layer, double value,
                                           bool propagateDown)
    : EditCommand(document, QStringLiteral("Assign Parameter Value"),
                  ModelChange{ModelChange::Cells, -1, 0}),
      paramIndex(paramIndex), a(a), b(b), layer(layer), value(value), propagateDown(propagateDown) {
}

EditResult ParameterFillCommand::Run(GridData& grid, UndoRecord* undo) {
    return grid.FillRegion(paramIndex, a, b, layer, value, propagateDown, undo);
}

} // namespace korva
