#include "boundarypaintcommand.h"

namespace korva {

BoundaryPaintCommand::BoundaryPaintCommand(CKORVADoc& document, int type, int number,
                                           const ModelPoint& a, const ModelPoint& b, int layer,
                                           bool add, bool propagateDown)
    : DocumentCommand(document,
                      add ? QStringLiteral("Paint Boundary") : QStringLiteral("Erase Boundary"),
                      ModelChange{ModelChange::Boundaries, type, 0}),
      type(type), number(number), a(a), b(b), layer(layer), add(add), propagateDown(propagateDown) {
    const GridData& grid = Grid();
    const BoundaryTypeData& record = grid.Boundary(type);
    const int held = static_cast<int>(record.grid.size());
    if (layer > 0 && (type == BasinType || (type == NoFlowType && grid.ModelKind == 0))) return;
    if (add && (number < 1 || number > record.Count())) return;
    firstLayer = layer < 0 ? held - 1 : layer;
    if (firstLayer < 0 || firstLayer >= held) return;
    lastLayer = propagateDown ? held - 1 : firstLayer;
    region = CellRegion::Between(grid, a, b);
    for (int k = firstLayer; k <= lastLayer; ++k)
        for (int i = region.rowLow; i <= region.rowHigh; ++i)
            for (int j = region.columnLow; j <= region.columnHigh; ++j)
                oldValues.push_back(grid.GetBoundaryValue(type, k, i, j));
}

void BoundaryPaintCommand::redo() {
    Grid().PaintBoundaryRegion(type, number, a, b, firstLayer, add, propagateDown);
    Report();
}

void BoundaryPaintCommand::undo() {
    GridData& grid = Grid();
    std::size_t n = 0;
    for (int k = firstLayer; k <= lastLayer; ++k)
        for (int i = region.rowLow; i <= region.rowHigh; ++i)
            for (int j = region.columnLow; j <= region.columnHigh; ++j)
                grid.SetBoundaryValue(type, k, i, j, oldValues[n++]);
    Report();
}

std::size_t BoundaryPaintCommand::MemoryCost() const {
    return sizeof(*this) + oldValues.capacity() * sizeof(int32_t);
}

} // namespace korva
