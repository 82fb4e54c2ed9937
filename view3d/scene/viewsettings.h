#pragma once
// What the 3D view shows and how: the settings the scene builder and the
// camera read. CKORVAView owns one; the headless renderer fills one from its
// command line. Plain data, no Qt, so the scene can be built and tested
// without a window.
#include "model/griddata.h"

#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace korva {

// Margins of a camera's visible window, as fractions of the full view cut away
// on each side (negative margins widen the view).
struct ZoomMargins {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    bool operator==(const ZoomMargins&) const = default;
};

// Legend colour overrides of one parameter: value -> packed colour (red in the
// low byte). A value matches only when it is exactly equal.
using ValueColourMap = std::unordered_map<double, uint32_t>;

enum ViewModeEnum {
    Display3D = -1,
    GridEditMode = 0,
    ParameterEditMode = 1,
    BoundaryEditMode = 2,
    TimeSeriesCellMode = 3,
    GridEditSecondPickMode = 4,
    BackgroundClipMode = 5,
    TimeSeriesDisplayMode = 7,
    OutputLayerMode = 8,
};

struct ViewSettings {
    int ViewMode = Display3D;
    int PreviousViewMode = Display3D;
    bool PlanOrientation = true; // false: a vertical section along the rows
    int CurrentSlice = -1;       // layer (plan) or row (section) being edited
    int InputParameter = 0;      // position in ParameterOrder, or -1
    int OutputParameter = -1;    // index into the output store, or -1
    int OutputTimePeriod = 0;
    double RotationX = 0.0; // degrees
    double RotationZ = 0.0;
    ZoomMargins ZoomWindow2D;
    ZoomMargins ZoomWindow3D;
    bool Rotating = false;
    bool DrawGridLines = true;
    double FilterMin = -std::numeric_limits<double>::infinity();
    double FilterMax = std::numeric_limits<double>::infinity();
    bool ColourFromFilter = false;
    bool HideAboveGround = true;
    std::vector<int> RowFilter; // empty: every row
    std::vector<int> ColumnFilter;
    std::vector<int> LayerFilter;
    // One map per position of ParameterOrder.
    std::vector<ValueColourMap> ValueColours =
        std::vector<ValueColourMap>(GridData::ParameterCodeCount);
    // Opacity of parameter and output cells (0..1).
    double OutputTransparency = 0.5;
    // The ground elevation mesh of the 3D display.
    bool ShowGroundMesh = false;
    // The background image: loaded or not, and the part of it cut away on each side.
    bool BackgroundLoaded = false;
    ZoomMargins BackgroundClip;

    bool Is2D() const { return ViewMode != Display3D; }
    const ZoomMargins& CurrentZoom() const { return Is2D() ? ZoomWindow2D : ZoomWindow3D; }
    ZoomMargins& CurrentZoom() { return Is2D() ? ZoomWindow2D : ZoomWindow3D; }
    // The section orientation of a 2D mode, where the view looks along the rows.
    bool InSection() const { return Is2D() && !PlanOrientation; }
    const ValueColourMap* ValueColoursOf(int paramIndex) const {
        if (paramIndex < 0 || paramIndex >= static_cast<int>(ValueColours.size())) return nullptr;
        return &ValueColours[static_cast<std::size_t>(paramIndex)];
    }
};

} // namespace korva
