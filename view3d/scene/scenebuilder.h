#pragma once
// The grid scene as a pure function of (GridData with its output store, view
// settings): the cell values (list 3), the markers (list 4), the grid lines
// (list 2) and the background quad (list 1). Nothing here needs a window or a
// graphics context, and nothing here changes the grid.
#include "gridgeometry.h"
#include "sceneprimitives.h"
#include "viewsettings.h"

#include <string>
#include <utility>
#include <vector>

namespace korva {

// The colour of v on a ramp from lo (colour cmin) to hi (cmax); the position
// is not clamped, so a value outside lo..hi extrapolates, and an empty or
// inverted range gives cmin.
RgbColor RampColour(double v, double lo, double hi, const RgbColor& cmin, const RgbColor& cmax);

struct LegendEntry {
    double value;
    uint32_t colour; // packed, red in the low byte
};

// The legend of parameter paramIndex over FilterMin..FilterMax: one entry per
// distinct value in that range, or just its two ends when the parameter has
// more than 100 distinct values; legend overrides win.
std::vector<LegendEntry> GetLegendEntries(const GridData& grid, const ViewSettings& settings,
                                          int paramIndex);

class SceneBuilder {
public:
    // Both must outlive the builder; neither is changed.
    SceneBuilder(const GridData& grid, const ViewSettings& settings);

    // pass 0: parameter and output cells or the surface-output mesh (list 3);
    // pass 1: boundary and time-series markers and the ground mesh (list 4).
    // Messages for the user (at most one of each text per call) are appended
    // to messages when it is given.
    CellList BuildCellList(int pass, std::vector<std::string>* messages = nullptr) const;
    GridLineList BuildGridLineList() const;
    BackgroundQuad BuildBackground() const;

    // The colour of parameter p in a cell; false when unset or filtered out.
    bool GetCellColour(int p, int layer, int row, int col, RgbColor& rgb, bool locate,
                       bool unfiltered) const;
    // The colour of output quantity p at period in a cell, with the output
    // visibility rules (filter, out of bounds); false when not drawn.
    bool GetOutputCellColour(int p, int period, int layer, int row, int col, RgbColor& rgb) const;

    const GridGeometry& Geometry() const { return geometry; }

private:
    void BuildCellValues(CellList& list) const;
    void BuildMarkers(CellList& list, std::vector<std::string>* messages) const;
    bool SurfaceOutputMeshShown() const;
    // The quad strips of a surface over the cell centres of rows i and i + 1.
    template <typename HeightFn, typename ColourFn>
    void BuildSurfaceMesh(StripList& strips, HeightFn height, ColourFn colour,
                          RgbColor previous) const;
    bool CellPassesIndexFilters(int layer, int row, int col) const;
    // The cell is on the slice being edited: the current layer in plan, the
    // current row in a section.
    bool OnCurrentSlice(int layer, int row) const;
    // Appends the cell's box, and its cell number to the list's cells.
    void AddBox(CellList& list, int layer, int row, int col, const RgbColor& rgb,
                double alpha) const;
    // Leaves out the faces of the list's boxes that cannot show.
    void DropHidden(CellList& list) const;
    // Sections are drawn with the top layer up, so z is mirrored there.
    double ZSign() const { return settings.InSection() ? -1.0 : 1.0; }

    const GridData& grid;
    const ViewSettings& settings;
    GridGeometry geometry;
    std::vector<bool> rowShown, columnShown, layerShown; // empty: all
};

} // namespace korva
