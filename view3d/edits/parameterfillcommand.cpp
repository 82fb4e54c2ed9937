#include "parameterfillcommand.h"

namespace korva {

ParameterFillCommand::ParameterFillCommand(CKORVADoc& document, int paramIndex, const ModelPoint& a,
                                           const ModelPoint& b, int layer, double value,
                                           bool propagateDown)
    : DocumentCommand(document, QStringLiteral("Assign Parameter Value"),
                      ModelChange{ModelChange::Cells, -1, 0}),
      paramIndex(paramIndex), a(a), b(b), layer(layer), value(value), propagateDown(propagateDown) {
    const GridData& grid = Grid();
    const ParameterData& data = grid.Parameter(paramIndex);
    region = CellRegion::Between(grid, a, b);
    // A surface parameter keeps one layer whatever the editing layer.
    firstLayer = data.IsSurface() ? 0 : layer;
    lastLayer = data.IsSurface() ? 0 : (propagateDown ? grid.NumLayers() - 1 : layer);
    oldValues.reserve(static_cast<std::size_t>(region.Cells() * (lastLayer - firstLayer + 1)));
    for (int k = firstLayer; k <= lastLayer; ++k)
        for (int i = region.rowLow; i <= region.rowHigh; ++i)
            for (int j = region.columnLow; j <= region.columnHigh; ++j)
                oldValues.push_back(data.layers.at(static_cast<std::size_t>(k))
                                        .at(static_cast<std::size_t>(i))
                                        .at(static_cast<std::size_t>(j)));
    oldMin = data.minValue;
    oldMax = data.maxValue;
}

void ParameterFillCommand::redo() {
    Grid().FillRegion(paramIndex, a, b, layer, value, propagateDown);
    Report();
}

void ParameterFillCommand::undo() {
    ParameterData& data = Grid().Parameter(paramIndex);
    std::size_t n = 0;
    for (int k = firstLayer; k <= lastLayer; ++k)
        for (int i = region.rowLow; i <= region.rowHigh; ++i)
            for (int j = region.columnLow; j <= region.columnHigh; ++j)
                data.layers[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)]
                           [static_cast<std::size_t>(j)] = oldValues[n++];
    data.minValue = oldMin;
    data.maxValue = oldMax;
    Report();
}

std::size_t ParameterFillCommand::MemoryCost() const {
    return sizeof(*this) + oldValues.capacity() * sizeof(double);
}

} // namespace korva
