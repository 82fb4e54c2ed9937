#include "panelcommands.h"

#include "app/document/commands/functioncommand.h"
#include "app/document/commands/valuecommand.h"
#include "app/document/korvadoc.h"

#include <memory>

namespace korva {

QUndoCommand* MakeZExaggerationCommand(CKORVADoc& document, double value) {
    return new ValueCommand<double>(
        document, QStringLiteral("Z Exaggeration"),
        [](GridData& grid) -> double& { return grid.ZExaggeration; }, value,
        ModelChange{ModelChange::Geometry, -1, 0});
}

QUndoCommand* MakeParameterColourCommand(CKORVADoc& document, int p, bool high,
                                         const RgbColor& colour) {
    return new ValueCommand<RgbColor>(
        document, QStringLiteral("Parameter Colour"),
        [p, high](GridData& grid) -> RgbColor& {
            ParameterData& data = grid.Parameter(p);
            return high ? data.highColor : data.lowColor;
        },
        colour, ModelChange{ModelChange::Cells, -1, 2});
}

QUndoCommand* MakeClearParameterCommand(CKORVADoc& document, int p) {
    const ParameterData& data = document.Grid().Parameter(p);
    std::size_t bytes = 0;
    for (const auto& layer : data.layers)
        for (const auto& row : layer)
            bytes += row.size() * sizeof(double);
    // Clearing changes every cell, so every old value is what undo needs.
    auto old = std::make_shared<ParameterData>(data);
    return new FunctionCommand(
        document, QStringLiteral("Clear Parameter"),
        [p](GridData& grid) { grid.ClearParameter(p); },
        [p, old](GridData& grid) {
            ParameterData& target = grid.Parameter(p);
            target.layers = old->layers;
            target.minValue = old->minValue;
            target.maxValue = old->maxValue;
        },
        ModelChange{ModelChange::Cells, -1, 0}, bytes);
}

QUndoCommand* MakeToggleBoundaryShownCommand(CKORVADoc& document, int type, int index) {
    // Toggling is its own inverse: the command keeps no values at all.
    const auto flip = [type, index](GridData& grid) {
        auto& flags = grid.Boundary(type).displayed;
        if (index >= 0 && index < static_cast<int>(flags.size()))
            flags[static_cast<std::size_t>(index)] = flags[static_cast<std::size_t>(index)] ? 0 : 1;
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
            for (int32_t& flag : grid.Boundary(type).displayed)
                flag = flag ? 0 : 1;
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
    auto old =
        std::make_shared<std::vector<BoundaryLayerData>>(document.Grid().Boundary(type).grid);
    std::size_t bytes = 0;
    for (const auto& layer : *old)
        for (const auto& row : layer)
            bytes += row.size() * sizeof(int32_t);
    return new FunctionCommand(
        document, QStringLiteral("Drape Boundary"),
        [type, number](GridData& grid) { grid.MarkAboveGround(type, number); },
        [type, old](GridData& grid) { grid.Boundary(type).grid = *old; },
        ModelChange{ModelChange::Boundaries, type, 0}, bytes);
}

} // namespace korva
