#include "viewinteraction.h"

#include "model/griddata.h"

namespace korva {

void RotateByDrag(ViewSettings& settings, int lastX, int lastY, int x, int y) {
    const int dx = lastX - x;
    const int dy = lastY - y;
    // Integer remainder: a single move of more than 360 pixels can leave a
    // negative angle, which turns the camera the same way.
    settings.RotationZ = static_cast<int>(settings.RotationZ - dx + 360) % 360;
    settings.RotationX = static_cast<int>(settings.RotationX - dy + 360) % 360;
}

int NextSlice(const GridData& grid, const ViewSettings& settings) {
    int count = 0;
    switch (settings.ViewMode) {
    case ParameterEditMode: {
        const int p = settings.InputParameter;
        if (p < 0 || p >= grid.ParameterCount() || grid.Parameter(p).IsSurface()) return -1;
        count = settings.PlanOrientation ? grid.NumLayers() : grid.NumRows();
        break;
    }
    case BoundaryEditMode:
    case TimeSeriesCellMode:
        count = grid.NumLayers();
        break;
    default:
        return -1;
    }
    if (count <= 0) return -1;
    return (settings.CurrentSlice + 1) % count;
}

} // namespace korva
