#pragma once
// The view's four lists with the settings they are built from, and the rules
// of which setting rebuilds which list: a repaint never rebuilds geometry,
// each setter rebuilds only the lists it feeds. The renderer asks which lists
// changed since it last uploaded them (TakeChanged). No graphics context here.
#include "gridgeometry.h"
#include "sceneprimitives.h"
#include "viewsettings.h"

#include <string>
#include <vector>

namespace korva {

class GridData;

enum SceneList : unsigned {
    BackgroundList = 1u << 0,
    GridLineList_ = 1u << 1,
    CellValueList = 1u << 2,
    MarkerList = 1u << 3,
    AllLists = 0xfu,
};

class GridScene {
public:
    explicit GridScene(const GridData& grid);

    const ViewSettings& Settings() const { return settings; }
    // For the settings that rebuild nothing (camera, zoom, rotation): change
    // them here, then repaint.
    ViewSettings& MutableSettings() { return settings; }
    const GridData& Grid() const { return grid; }
    // Extents and cell boundaries as of the last rebuild; the camera uses them.
    const GridGeometry& Geometry() const { return geometry; }

    // Rebuilds the named lists from the grid and the settings.
    void Rebuild(unsigned lists);
    // The lists rebuilt since the last call; the renderer uploads those.
    unsigned TakeChanged();
    // Messages for the user from the last rebuilds (each text once).
    std::vector<std::string> TakeMessages();

    const CellList& CellValues() const { return cellValues; }
    const CellList& Markers() const { return markers; }
    const GridLineList& GridLines() const { return gridLines; }
    const BackgroundQuad& Background() const { return background; }

    // Setters that change one setting and rebuild what it feeds.
    void SetHideAboveGround(bool hide);
    void SetColourFromFilter(bool fromFilter);
    void SetDrawGridLines(bool draw);
    void SetPlanOrientation(bool plan);
    // Shows output quantity p at period; the input parameter is cleared.
    void SetOutputParameter(int p, int period);
    // Shows input parameter p (position in ParameterOrder); the output is cleared.
    // A surface parameter is edited on its one layer, so the slice returns to 0.
    void SetInputParameter(int p);
    void SetCurrentSlice(int slice);
    void SetViewMode(int mode);
    void SetFilter(double lo, double hi);
    void SetRowColumnLayerFilters(std::vector<int> rows, std::vector<int> columns,
                                  std::vector<int> layers);
    void SetValueColour(int p, double value, uint32_t packed);
    void SetOutputTransparency(double opacity);
    void SetShowGroundMesh(bool show);
    void RefreshMarkers() { Rebuild(MarkerList | CellValueList); }
    // The document's update hints: 0 the model changed, 1 a boundary colour,
    // 2 the transparency; other hints only repaint.
    void OnUpdate(int hint);

private:
    const GridData& grid;
    ViewSettings settings;
    GridGeometry geometry;
    CellList cellValues, markers;
    GridLineList gridLines;
    BackgroundQuad background;
    unsigned changed = 0;
    std::vector<std::string> messages;
};

} // namespace korva
