#include "gridscene.h"

#include "scenebuilder.h"

#include <algorithm>

namespace korva {

GridScene::GridScene(const GridData& grid) : grid(grid), geometry(grid) {}

void GridScene::Rebuild(unsigned lists) {
    const SceneBuilder builder(grid, settings);
    geometry = builder.Geometry();
    if (lists & BackgroundList) background = builder.BuildBackground();
    if (lists & GridLineList_) gridLines = builder.BuildGridLineList();
    std::vector<std::string> found;
    if (lists & MarkerList) markers = builder.BuildCellList(1, &found);
    if (lists & CellValueList) cellValues = builder.BuildCellList(0, &found);
    for (std::string& text : found)
        if (std::find(messages.begin(), messages.end(), text) == messages.end())
            messages.push_back(std::move(text));
    changed |= lists;
}

unsigned GridScene::TakeChanged() {
    return std::exchange(changed, 0u);
}

std::vector<std::string> GridScene::TakeMessages() {
    return std::exchange(messages, {});
}

void GridScene::SetHideAboveGround(bool hide) {
    settings.HideAboveGround = hide;
    Rebuild(CellValueList);
}

void GridScene::SetColourFromFilter(bool fromFilter) {
    settings.ColourFromFilter = fromFilter;
    Rebuild(CellValueList);
}

void GridScene::SetDrawGridLines(bool draw) {
    settings.DrawGridLines = draw;
    Rebuild(GridLineList_);
}

void GridScene::SetPlanOrientation(bool plan) {
    settings.PlanOrientation = plan;
    // Sections mirror z, so every list that draws cells follows the grid lines.
    Rebuild(GridLineList_ | MarkerList | CellValueList | BackgroundList);
}

void GridScene::SetOutputParameter(int p, int period) {
    settings.OutputParameter = p;
    settings.OutputTimePeriod = period;
    settings.InputParameter = -1;
    Rebuild(CellValueList);
}

void GridScene::SetInputParameter(int p) {
    settings.InputParameter = p;
    settings.OutputParameter = -1;
    Rebuild(CellValueList);
    if (p >= 0 && p < grid.ParameterCount() && grid.Parameter(p).IsSurface() && settings.Is2D())
        SetCurrentSlice(0);
}

void GridScene::SetCurrentSlice(int slice) {
    settings.CurrentSlice = slice;
    Rebuild(MarkerList | CellValueList);
}

void GridScene::SetViewMode(int mode) {
    const bool wasSection = settings.InSection();
    settings.PreviousViewMode = settings.ViewMode;
    settings.ViewMode = mode;
    settings.CurrentSlice = mode == Display3D ? -1 : 0;
    unsigned lists = MarkerList | CellValueList;
    // The grid lines change with the mode where the mode decides them: the
    // outline rule of grid editing, and the mirrored z of a section.
    lists |= GridLineList_;
    if (wasSection != settings.InSection()) lists |= BackgroundList;
    Rebuild(lists);
}

void GridScene::SetFilter(double lo, double hi) {
    settings.FilterMin = lo;
    settings.FilterMax = hi;
    Rebuild(MarkerList | CellValueList);
}

void GridScene::SetRowColumnLayerFilters(std::vector<int> rows, std::vector<int> columns,
                                         std::vector<int> layers) {
    settings.RowFilter = std::move(rows);
    settings.ColumnFilter = std::move(columns);
    settings.LayerFilter = std::move(layers);
    Rebuild(MarkerList | CellValueList);
}

void GridScene::SetValueColour(int p, double value, uint32_t packed) {
    if (p < 0) return;
    if (static_cast<std::size_t>(p) >= settings.ValueColours.size())
        settings.ValueColours.resize(static_cast<std::size_t>(p) + 1);
    settings.ValueColours[static_cast<std::size_t>(p)][value] = packed;
    Rebuild(CellValueList);
}

void GridScene::SetOutputTransparency(double opacity) {
    settings.OutputTransparency = opacity;
    Rebuild(CellValueList);
}

void GridScene::SetShowGroundMesh(bool show) {
    settings.ShowGroundMesh = show;
    Rebuild(MarkerList);
}

void GridScene::OnUpdate(int hint) {
    switch (hint) {
    case 0:
        Rebuild(MarkerList | CellValueList | GridLineList_ | BackgroundList);
        break;
    case 1:
        if (settings.InputParameter >= 0 &&
            static_cast<std::size_t>(settings.InputParameter) < settings.ValueColours.size())
            settings.ValueColours[static_cast<std::size_t>(settings.InputParameter)].clear();
        Rebuild(CellValueList);
        break;
    case 2:
        Rebuild(MarkerList | CellValueList);
        break;
    default:
        break;
    }
}

} // namespace korva
