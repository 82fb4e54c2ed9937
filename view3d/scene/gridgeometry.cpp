#include "gridgeometry.h"

#include "model/griddata.h"

#include <algorithm>

namespace korva {

namespace {

// Running edges from start; a uniform grid repeats its first spacing.
std::vector<double> Edges(const std::vector<double>& spacings, bool uniform, double scale,
                          double start, double direction) {
    std::vector<double> edges(spacings.size() + 1);
    double at = start;
    edges[0] = at;
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        at += direction * scale * (uniform ? spacings[0] : spacings[i]);
        edges[i + 1] = at;
    }
    return edges;
}

double Sum(const std::vector<double>& spacings, bool uniform) {
    if (spacings.empty()) return 0.0;
    if (uniform) return spacings[0] * static_cast<double>(spacings.size());
    double total = 0.0;
    for (double s : spacings)
        total += s;
    return total;
}

} // namespace

GridGeometry::GridGeometry(const GridData& grid)
    : rows(grid.NumRows()), columns(grid.NumColumns()), layers(grid.NumLayers()) {
    const bool uniform = grid.UniformSpacing() != 0;
    W = Sum(grid.ColumnSpacing(), uniform);
    D = Sum(grid.RowSpacing(), uniform);
    T = Sum(grid.LayerSpacing(), uniform) / 100.0;
    e = grid.ZExaggeration();
    H = e * T;
    xEdges = Edges(grid.ColumnSpacing(), uniform, 1.0, -W / 2.0, 1.0);
    yEdges = Edges(grid.RowSpacing(), uniform, 1.0, -D / 2.0, 1.0);
    zEdges = Edges(grid.LayerSpacing(), uniform, e / 100.0, H / 2.0, -1.0);
    depthTops = Edges(grid.LayerSpacing(), uniform, 1.0 / 100.0, 0.0, 1.0);
}

double GridGeometry::ThicknessAbove(int k) const {
    return depthTops[static_cast<std::size_t>(std::clamp(k, 0, layers))];
}

} // namespace korva
