#include "panelcommands.h"

#include "app/document/commands/editcommand.h"
#include "app/document/commands/functioncommand.h"
#include "app/document/korvadoc.h"

#include <memory>

namespace korva {

QUndoCommand* MakeZExaggerationCommand(CKORVADoc& document, double value) {
    return new ModelEditCommand(
        document, QStringLiteral("Z Exaggeration"),
        [value](GridData& grid, UndoRecord* undo) { return grid.SetZExaggeration(value, undo); },
        ModelChange{ModelChange::Geometry, -1, 0});
}

QUndoCommand* MakeParameterColourCommand(CKORVADoc& document, int p, bool high,
                                         const RgbColor& colour) {
    return new ModelEditCommand(
        document, QStringLiteral("Parameter Colour"),
        [p, high, colour](GridData& grid, UndoRecord* undo) {
            const ParameterData& data = grid.Parameter(p);
            return grid.SetParameterInfo(p, data.name, high ? data.lowColor : colour,
                                         high ? colour : data.highColor, undo);
        },
        ModelChange{ModelChange::Cells, -1, 2});
}

QUndoCommand* MakeClearParameterCommand(CKORVADoc& document, int p) {
    // Clearing changes every cell: the undo record takes the old grid over
    // whole, without copying it.
    return new ModelEditCommand(
        document, QStringLiteral("Clear Parameter"),
        [p](GridData& grid, UndoRecord* undo) { return grid.ClearParameter(p, undo); },
        ModelChange{ModelChange::Cells, -1, 0});
}

QUndoCommand* MakeToggleBoundaryShownCommand(CKORVADoc& document, int type, int index) {
    // Toggling is its own inverse: the command keeps no values at all.
    const auto flip = [type, index](GridData& grid) {
        const auto& flags = grid.Boundary(type).displayed;
        if (index >= 0 && index < static_cast<int>(flags.size()))
            grid.SetBoundaryDisplayed(type, index, flags[static_cast<std::size_t>(index)] == 0);
    };
    return new FunctionCommand(document, QStringLiteral("Show Boundary"), flip, flip,
                               ModelChange{ModelChange::BoundaryColors, type, 2});
}

QUndoCommand* MakeToggleTimeSeriesShownCommand(CKORVADoc& document) {
    const auto flip = [](GridData&) { TimeSeriesDisplay = TimeSeriesDisplay ? 0 : 1; };
    return new FunctionCommand(document, QStringLiteral("Show Time Series Cells"), flip, flip,
                               ModelChange{ModelChange::OutputSelection, -1, 2});
}

QUndoCommand* MakeToggleAllShownCommand(CKORVADoc& document) {
    const auto flip = [](GridData& grid) {
        for (int type = 0; type < BoundaryTypeCount; ++type)
            for (int i = 0; i < grid.BoundaryCount(type); ++i)
                grid.SetBoundaryDisplayed(
                    type, i, grid.Boundary(type).displayed[static_cast<std::size_t>(i)] == 0);
        TimeSeriesDisplay = TimeSeriesDisplay ? 0 : 1;
    };
    return new FunctionCommand(document, QStringLiteral("Show Boundaries"), flip, flip,
                               ModelChange{ModelChange::BoundaryColors, -1, 2});
}

QUndoCommand* MakeTimeSeriesColourCommand(CKORVADoc& document, const RgbColor& colour) {
    const RgbColor old{TimeSeriesCellColor[0], TimeSeriesCellColor[1], TimeSeriesCellColor[2]};
    const auto set = [](const RgbColor& c) {
        return [c](GridData&) { TimeSeriesCellColor = {c[0], c[1], c[2]}; };
    };
    return new FunctionCommand(document, QStringLiteral("Time Series Cell Colour"), set(colour),
                               set(old), ModelChange{ModelChange::OutputSelection, -1, 2});
}

QUndoCommand* MakeDrapeCommand(CKORVADoc& document, int type, int number) {
    return new ModelEditCommand(
        document, QStringLiteral("Drape Boundary"),
        [type, number](GridData& grid, UndoRecord* undo) {
            return grid.MarkAboveGround(type, number, undo);
        },
        ModelChange{ModelChange::Boundaries, type, 0});
}

} // namespace korva
