#include "gridedittools.h"

namespace korva {

GridEditTools::GridEditTools() {
    for (auto& mode : options_)
        mode = {true, true, false};
}

void GridEditTools::SetMode(int mode) {
    if (mode >= AddTool && mode <= DeleteTool) mode_ = mode;
}

bool GridEditTools::Option(int mode, int option) const {
    if (mode < AddTool || mode > DeleteTool || option < RowsOption || option > LayersOption)
        return false;
    return options_[static_cast<std::size_t>(mode)][static_cast<std::size_t>(option)];
}

void GridEditTools::SetOption(int mode, int option, bool checked) {
    if (mode < AddTool || mode > DeleteTool || option < RowsOption || option > LayersOption) return;
    auto& options = options_[static_cast<std::size_t>(mode)];
    options[static_cast<std::size_t>(option)] = checked;
    if (!checked) return;
    mode_ = mode;
    if (option == LayersOption) {
        options[RowsOption] = false;
        options[ColumnsOption] = false;
    } else {
        options[LayersOption] = false;
    }
}

std::vector<GridEditStep> PlanGridEdit(const GridEditTools& tools, int subdivisions,
                                       const PickedPoints& picked) {
    const ModelPoint& point1 = picked.first;
    const ModelPoint& point2 = picked.second;
    const int mode = tools.Mode();
    const GridEditStep::Kind kind = mode == AddTool         ? GridEditStep::Split
                                    : mode == SubdivideTool ? GridEditStep::Subdivide
                                                            : GridEditStep::DeleteRegion;
    std::vector<GridEditStep> steps;
    const auto add = [&](int dimension) {
        GridEditStep step;
        step.kind = kind;
        step.dimension = dimension;
        step.parts = subdivisions;
        step.points = {point1, point2};
        // A layer is cut at one depth: the first corner's.
        if (kind == GridEditStep::Split && dimension == GridData::LayerDimension)
            step.points.resize(1);
        steps.push_back(step);
    };
    if (tools.Option(mode, LayersOption)) {
        add(GridData::LayerDimension);
        return steps;
    }
    if (tools.Option(mode, RowsOption) && picked.plan) add(GridData::RowDimension);
    if (tools.Option(mode, ColumnsOption)) add(GridData::ColumnDimension);
    return steps;
}

double LayerMiddleZ(const GridData& grid, int layer) {
    const double exaggeration = grid.ZExaggeration() != 0.0 ? grid.ZExaggeration() : 1.0;
    double depth = 0.0; // centimetres below the top
    for (int k = 0; k < grid.NumLayers(); ++k) {
        const double thickness = grid.LayerSpacing()[static_cast<std::size_t>(k)];
        if (k == layer) {
            depth += thickness / 2.0;
            break;
        }
        depth += thickness;
    }
    const double top = grid.TotalExtent(GridData::LayerDimension, true) * exaggeration / 2.0;
    return top - depth / 100.0 * exaggeration;
}

PickedPoints PointsOfPick(double a1, double a2, double b1, double b2, bool planOrientation,
                          double planZ) {
    if (planOrientation) return {{a1, b1, planZ}, {a2, b2, planZ}, true};
    return {{a1, 0.0, b1}, {a2, 0.0, b2}, false};
}

} // namespace korva
