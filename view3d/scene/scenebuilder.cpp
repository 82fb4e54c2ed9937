#include "scenebuilder.h"

#include "hiddenfaces.h"
#include "model/packedcolor.h"

#include <algorithm>
#include <cmath>

namespace korva {

namespace {

constexpr char FailedParamColour[] = "Failed to get param color.";

std::vector<bool> IndexMask(const std::vector<int>& filter, int count) {
    if (filter.empty()) return {};
    std::vector<bool> mask(static_cast<std::size_t>(count), false);
    for (int index : filter)
        if (index >= 0 && index < count) mask[static_cast<std::size_t>(index)] = true;
    return mask;
}

bool Shown(const std::vector<bool>& mask, int index) {
    return mask.empty() || mask[static_cast<std::size_t>(index)];
}

bool AnyBoundaryShown(const GridData& grid) {
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        if (grid.Memberships(type).AllZero()) continue;
        for (int32_t displayed : grid.Boundary(type).displayed)
            if (displayed != 0) return true;
    }
    return false;
}

bool Finite(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi);
}

} // namespace

RgbColor RampColour(double v, double lo, double hi, const RgbColor& cmin, const RgbColor& cmax) {
    const double t = hi > lo ? (v - lo) / (hi - lo) : 0.0;
    RgbColor out{};
    for (std::size_t c = 0; c < 3; ++c)
        out[c] = cmax[c] == cmin[c] ? cmin[c] : cmin[c] + (cmax[c] - cmin[c]) * t;
    return out;
}

std::vector<LegendEntry> GetLegendEntries(const GridData& grid, const ViewSettings& settings,
                                          int paramIndex) {
    std::vector<LegendEntry> entries;
    if (paramIndex < 0 || paramIndex >= grid.ParameterCount()) return entries;
    const ParameterData& parameter = grid.Parameter(paramIndex);
    double lo = settings.FilterMin;
    double hi = settings.FilterMax;
    if (!Finite(lo, hi)) {
        lo = parameter.minValue;
        hi = parameter.maxValue;
    }
    constexpr std::size_t Limit = 100;
    const std::vector<double> values = grid.DistinctValues(paramIndex, Limit);
    if (values.size() > Limit) {
        entries.push_back({lo, PackRgb(parameter.lowColor)});
        entries.push_back({hi, PackRgb(parameter.highColor)});
    } else {
        for (double v : values) {
            if (v < lo || v > hi) continue;
            entries.push_back(
                {v, PackRgb(RampColour(v, lo, hi, parameter.lowColor, parameter.highColor))});
        }
    }
    if (const ValueColourMap* overrides = settings.ValueColoursOf(paramIndex)) {
        for (LegendEntry& entry : entries) {
            const auto found = overrides->find(entry.value);
            if (found != overrides->end()) entry.colour = found->second;
        }
    }
    return entries;
}

SceneBuilder::SceneBuilder(const GridData& grid, const ViewSettings& settings)
    : grid(grid), settings(settings), geometry(grid),
      rowShown(IndexMask(settings.RowFilter, geometry.rows)),
      columnShown(IndexMask(settings.ColumnFilter, geometry.columns)),
      layerShown(IndexMask(settings.LayerFilter, geometry.layers)) {}

bool SceneBuilder::GetCellColour(int p, int layer, int row, int col, RgbColor& rgb, bool locate,
                                 bool unfiltered) const {
    if (p < 0 || p >= grid.ParameterCount()) return false;
    double v = NoDataValue;
    if (!grid.GetValue(p, layer, row, col, v, locate && settings.ViewMode == Display3D))
        return false;
    if (!unfiltered && (v < settings.FilterMin || v > settings.FilterMax)) return false;
    if (const ValueColourMap* overrides = settings.ValueColoursOf(p);
        overrides && !overrides->empty()) {
        const auto found = overrides->find(v);
        if (found != overrides->end()) {
            rgb = RgbFromPacked(found->second);
            return true;
        }
    }
    const ParameterData& parameter = grid.Parameter(p);
    if (settings.ColourFromFilter && !unfiltered && Finite(settings.FilterMin, settings.FilterMax))
        rgb = RampColour(v, settings.FilterMin, settings.FilterMax, parameter.lowColor,
                         parameter.highColor);
    else
        rgb = RampColour(v, parameter.minValue, parameter.maxValue, parameter.lowColor,
                         parameter.highColor);
    return true;
}

bool SceneBuilder::GetOutputCellColour(int p, int period, int layer, int row, int col,
                                       RgbColor& rgb) const {
    if (p < 0 || p >= static_cast<int>(grid.Outputs().gridOutputs.size())) return false;
    double v = NoDataValue;
    if (!grid.GetLocatedOutputValue(p, period, layer, row, col, v)) return false;
    if (v < settings.FilterMin || v > settings.FilterMax) return false;
    if (settings.HideAboveGround && grid.ParameterCount() > 0) {
        double g = NoDataValue;
        if (grid.GetValue(0, 0, row, col, g)) {
            const int groundLayer = grid.LayerOfHeight(g * 100.0);
            if (v <= 0.0) return false;
            if (layer != -1 && layer < groundLayer) return false;
        }
    }
    const KORVAOutputData& output = grid.Outputs().gridOutputs[static_cast<std::size_t>(p)];
    if (settings.ColourFromFilter && Finite(settings.FilterMin, settings.FilterMax))
        rgb = RampColour(v, settings.FilterMin, settings.FilterMax, output.lowColor,
                         output.highColor);
    else
        rgb = RampColour(v, output.minimum, output.maximum, output.lowColor, output.highColor);
    return true;
}

CellList SceneBuilder::BuildCellList(int pass, std::vector<std::string>* messages) const {
    CellList list;
    if (geometry.rows == 0 || geometry.columns == 0 || geometry.layers == 0) return list;
    if (pass == 0)
        BuildCellValues(list);
    else
        BuildMarkers(list, messages);
    return list;
}

bool SceneBuilder::CellPassesIndexFilters(int layer, int row, int col) const {
    return Shown(layerShown, layer) && Shown(rowShown, row) && Shown(columnShown, col);
}

bool SceneBuilder::OnCurrentSlice(int layer, int row) const {
    return settings.PlanOrientation ? layer == settings.CurrentSlice : row == settings.CurrentSlice;
}

void SceneBuilder::AddBox(CellList& list, int layer, int row, int col, const RgbColor& rgb,
                          double alpha) const {
    const auto k = static_cast<std::size_t>(layer);
    const auto i = static_cast<std::size_t>(row);
    const auto j = static_cast<std::size_t>(col);
    const double s = ZSign();
    const double zA = s * geometry.zEdges[k + 1];
    const double zB = s * geometry.zEdges[k];
    list.boxes.push_back(
        {static_cast<float>(geometry.xEdges[j]), static_cast<float>(geometry.yEdges[i]),
         static_cast<float>(std::min(zA, zB)), static_cast<float>(geometry.xEdges[j + 1]),
         static_cast<float>(geometry.yEdges[i + 1]), static_cast<float>(std::max(zA, zB)),
         PackRgba(rgb[0], rgb[1], rgb[2], alpha), AllFaces});
    const auto columns = static_cast<std::size_t>(geometry.columns);
    list.cells.push_back(
        static_cast<uint32_t>((k * static_cast<std::size_t>(geometry.rows) + i) * columns + j));
}

void SceneBuilder::DropHidden(CellList& list) const {
    bool opaque = true;
    for (const CellBox& box : list.boxes)
        opaque = opaque && AlphaOf(box.colour) == 255;
    DropHiddenFaces(list.boxes, list.cells,
                    {geometry.layers, geometry.rows, geometry.columns, ZSign() > 0}, opaque);
}

bool SceneBuilder::SurfaceOutputMeshShown() const {
    const int p = settings.OutputParameter;
    return (p == 9 || p == 12 || p == 13 || p == 14) &&
           p < static_cast<int>(grid.Outputs().gridOutputs.size());
}

template <typename HeightFn, typename ColourFn>
void SceneBuilder::BuildSurfaceMesh(StripList& strips, HeightFn height, ColourFn colour,
                                    RgbColor previous) const {
    for (int i = 0; i + 1 < geometry.rows; ++i) {
        strips.BeginStrip();
        for (int j = 0; j < geometry.columns; ++j) {
            for (int r = i; r <= i + 1; ++r) {
                double h = 0.0;
                if (!height(r, j, h)) continue;
                RgbColor rgb{};
                if (colour(r, j, rgb)) previous = rgb;
                strips.Add(static_cast<float>(geometry.ColumnCentre(j)),
                           static_cast<float>(geometry.RowCentre(r)),
                           static_cast<float>(ZSign() * geometry.ZOfElevation(h)),
                           PackRgba(previous[0], previous[1], previous[2], 1.0));
            }
        }
        strips.EndStrip(3);
    }
}

void SceneBuilder::BuildCellValues(CellList& list) const {
    const int mode = settings.ViewMode;
    const int out = settings.OutputParameter;
    const int period = settings.OutputTimePeriod;
    const double alpha = settings.OutputTransparency;
    if (SurfaceOutputMeshShown()) {
        const auto ground = [&](int row, int col, double& h) {
            if (grid.ParameterCount() == 0 || !grid.GetValue(0, 0, row, col, h)) return false;
            double v = 0.0;
            if (out == 9 && grid.GetLocatedOutputValue(9, period, -1, row, col, v)) h -= v;
            return true;
        };
        const auto colour = [&](int row, int col, RgbColor& rgb) {
            return GetOutputCellColour(out, period, -1, row, col, rgb);
        };
        BuildSurfaceMesh(list.meshes, ground, colour,
                         grid.Outputs().gridOutputs[static_cast<std::size_t>(out)].lowColor);
        return;
    }
    const bool outputs3D = mode == Display3D && out >= 0;
    const bool parameters3D = mode == Display3D && settings.InputParameter >= 0;
    if (!outputs3D && !parameters3D && mode != OutputLayerMode && mode != ParameterEditMode) return;
    const int p = settings.InputParameter;
    const bool pValid = p >= 0 && p < grid.ParameterCount();
    if (alpha <= 0.0) return; // every cell of this list would be skipped

    for (int k = 0; k < geometry.layers; ++k) {
        if (!Shown(layerShown, k)) continue;
        for (int i = 0; i < geometry.rows; ++i) {
            if (!Shown(rowShown, i)) continue;
            for (int j = 0; j < geometry.columns; ++j) {
                if (!Shown(columnShown, j)) continue;
                const bool onSlice = OnCurrentSlice(k, i);
                RgbColor rgb{};
                bool coloured = false;
                if ((mode == OutputLayerMode && onSlice) || outputs3D)
                    coloured = GetOutputCellColour(out, period, k, i, j, rgb);
                if (!coloured && pValid &&
                    ((mode == ParameterEditMode && onSlice) || parameters3D)) {
                    // Same rule as GetCellColour, with the filter always applied.
                    coloured = GetCellColour(p, k, i, j, rgb, true, false);
                }
                if (coloured) AddBox(list, k, i, j, rgb, alpha);
            }
        }
    }
    DropHidden(list);
}

void SceneBuilder::BuildMarkers(CellList& list, std::vector<std::string>* messages) const {
    const int mode = settings.ViewMode;
    // A grid with no selections, or with no displayed boundary holding
    // cells, marks nothing: its cells need not be visited one by one.
    const bool seriesMarked =
        (mode == TimeSeriesCellMode || (mode == Display3D && TimeSeriesDisplay)) &&
        grid.CountTimeSeriesSelections() > 0;
    const bool boundariesMarked =
        (mode == BoundaryEditMode || mode == Display3D) && AnyBoundaryShown(grid);
    if (seriesMarked || boundariesMarked) {
        const RgbColor seriesColour{TimeSeriesCellColor[0], TimeSeriesCellColor[1],
                                    TimeSeriesCellColor[2]};
        const double seriesAlpha = settings.BackgroundLoaded ? 0.5 : 1.0;
        const auto& series = grid.TimeSeriesCellGrid();
        for (int k = 0; k < geometry.layers; ++k) {
            if (!Shown(layerShown, k)) continue;
            for (int i = 0; i < geometry.rows; ++i) {
                if (!Shown(rowShown, i)) continue;
                for (int j = 0; j < geometry.columns; ++j) {
                    if (!Shown(columnShown, j)) continue;
                    const bool onSlice = OnCurrentSlice(k, i);
                    bool hasSeries = false;
                    if ((mode == TimeSeriesCellMode && onSlice) ||
                        (mode == Display3D && TimeSeriesDisplay)) {
                        hasSeries = k < series.Layers() && i < series.Rows() &&
                                    j < series.Columns() && !series.Get(k, i, j).empty();
                    }
                    if ((mode == BoundaryEditMode && onSlice) ||
                        (!hasSeries && mode == Display3D)) {
                        RgbColor rgb{};
                        if (grid.GetBoundaryCellColor(k, i, j, rgb))
                            AddBox(list, k, i, j, rgb, 1.0);
                        continue;
                    }
                    if (hasSeries) AddBox(list, k, i, j, seriesColour, seriesAlpha);
                }
            }
        }
        DropHidden(list);
    }
    if (mode == Display3D && settings.ShowGroundMesh && grid.ParameterCount() > 0) {
        bool failed = false;
        const auto ground = [&](int row, int col, double& h) {
            return grid.GetValue(0, 0, row, col, h);
        };
        const auto colour = [&](int row, int col, RgbColor& rgb) {
            const bool found = GetCellColour(0, 0, row, col, rgb, false, true);
            failed = failed || !found;
            return found;
        };
        BuildSurfaceMesh(list.meshes, ground, colour, grid.Parameter(0).lowColor);
        // Once per rebuild: one box per failing vertex would bury the user.
        if (failed && messages) messages->push_back(FailedParamColour);
    }
}

GridLineList SceneBuilder::BuildGridLineList() const {
    GridLineList list;
    const GridGeometry& g = geometry;
    if (g.rows == 0 || g.columns == 0 || g.layers == 0) return list;
    const double s = ZSign();
    const Rgba8 red = PackRgba(1, 0, 0, 1);
    const Rgba8 white = PackRgba(1, 1, 1, 1);
    StripList& lines = list.lines;
    const auto add = [&](double x, double y, double z, Rgba8 c) {
        lines.Add(static_cast<float>(x), static_cast<float>(y), static_cast<float>(s * z), c);
    };
    lines.BeginStrip();
    add(-g.W / 2, -g.D / 2, g.H / 2, red);
    add(-g.W / 2, -g.D / 2, 1.5 * g.H / 2, red);

    // All boundaries, or only the outline (first and last of each family).
    const bool all = settings.DrawGridLines || settings.ViewMode == GridEditMode;
    const auto pick = [all](const std::vector<double>& edges) {
        if (all || edges.size() <= 2) return edges;
        return std::vector<double>{edges.front(), edges.back()};
    };
    const std::vector<double> xs = pick(g.xEdges), ys = pick(g.yEdges), zs = pick(g.zEdges);
    // Each line of the lattice is straight, so its two ends draw the same
    // line as every boundary it passes; that keeps a million-cell grid's
    // lines small enough to turn smoothly.
    const auto line = [&](double xa, double ya, double za, double xb, double yb, double zb) {
        lines.BeginStrip();
        add(xa, ya, za, white);
        add(xb, yb, zb, white);
    };
    const double x0 = g.xEdges.front(), x1 = g.xEdges.back();
    const double y0 = g.yEdges.front(), y1 = g.yEdges.back();
    const double z0 = g.zEdges.front(), z1 = g.zEdges.back();
    for (double z : zs) {
        for (double y : ys)
            line(x0, y, z, x1, y, z);
        for (double x : xs)
            line(x, y0, z, x, y1, z);
    }
    for (double y : ys)
        for (double x : xs)
            line(x, y, z0, x, y, z1);
    return list;
}

BackgroundQuad SceneBuilder::BuildBackground() const {
    BackgroundQuad quad;
    if (!settings.BackgroundLoaded) return quad;
    const float w = static_cast<float>(geometry.W / 2);
    const float d = static_cast<float>(geometry.D / 2);
    const float z = static_cast<float>(ZSign() * (-geometry.H / 2 - 1));
    const ZoomMargins& c = settings.BackgroundClip;
    const float cl = static_cast<float>(c.left), ct = static_cast<float>(c.top);
    const float cr = static_cast<float>(c.right), cb = static_cast<float>(c.bottom);
    const float corners[4][3] = {{w, d, z}, {-w, d, z}, {-w, -d, z}, {w, -d, z}};
    const float tex[4][2] = {{1 - cr, ct}, {cl, ct}, {cl, 1 - cb}, {1 - cr, 1 - cb}};
    for (int n = 0; n < 4; ++n) {
        for (int a = 0; a < 3; ++a)
            quad.corners[n][a] = corners[n][a];
        for (int a = 0; a < 2; ++a)
            quad.texCoords[n][a] = tex[n][a];
    }
    quad.present = true;
    return quad;
}

Rgba8 PackRgba(double red, double green, double blue, double alpha) {
    const auto byte = [](double c) {
        if (!(c > 0.0)) return 0u; // also NaN
        if (c >= 1.0) return 255u;
        return static_cast<unsigned>(std::lround(c * 255.0));
    };
    return byte(red) | (byte(green) << 8) | (byte(blue) << 16) | (byte(alpha) << 24);
}

} // namespace korva
