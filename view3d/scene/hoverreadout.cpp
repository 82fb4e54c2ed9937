#include "hoverreadout.h"

#include <cstdio>

namespace korva {

namespace {

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string Where(int layer, int row, int column) {
    return "Layer " + std::to_string(layer + 1) + ", row " + std::to_string(row + 1) + ", column " +
           std::to_string(column + 1);
}

} // namespace

std::optional<std::string> HoverText(const GridData& grid, const ViewSettings& settings, int layer,
                                     int row, int column) {
    const int mode = settings.ViewMode;
    if (mode == Display3D) return std::nullopt;
    if (mode == TimeSeriesCellMode || mode == TimeSeriesDisplayMode || mode == GridEditMode)
        return Where(layer, row, column);
    // The layer shown: the editing layer in plan; in a section the slice is a
    // row, so the layer is the one under the pointer.
    const int shownLayer = settings.PlanOrientation ? settings.CurrentSlice : layer;
    const auto prefix = [&](int l) { return "(" + Where(l, row, column) + ") "; };
    const int out = settings.OutputParameter;
    if (mode == OutputLayerMode && out >= 0) {
        if (out >= static_cast<int>(grid.Outputs().gridOutputs.size())) return std::nullopt;
        const KORVAOutputData& output = grid.Outputs().gridOutputs[static_cast<std::size_t>(out)];
        const int l = output.kind == 2 ? -1 : shownLayer;
        double v = 0.0;
        if (!grid.GetLocatedOutputValue(out, settings.OutputTimePeriod, l, row, column, v))
            return std::nullopt;
        return prefix(l) + "Parameter " + output.name + " has value " + Number(v);
    }
    const int p = settings.InputParameter;
    if (p >= 0 && p < grid.ParameterCount()) {
        if (shownLayer < 0 || shownLayer >= grid.NumLayers()) return std::nullopt;
        double v = 0.0;
        const std::string name = grid.Parameter(p).name;
        if (grid.GetValue(p, shownLayer, row, column, v))
            return prefix(shownLayer) + "Parameter " + name + " has value " + Number(v);
        return prefix(shownLayer) + "Parameter " + name + " is unset.";
    }
    if (mode == BoundaryEditMode) return "(" + Where(shownLayer, row, column) + ")";
    return std::nullopt;
}

} // namespace korva
