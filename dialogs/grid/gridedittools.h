#pragma once
// The tool of the grid editor: what a rectangle dragged in the view does.
// Three modes (add, subdivide, delete), each with a row, a column and a layer
// option. Within a mode the layer option excludes the other two, since a
// layer edit cuts horizontally and a row or column edit vertically.
#include "model/griddata.h"

#include <array>
#include <vector>

namespace korva {

enum GridToolMode { AddTool = 0, SubdivideTool = 1, DeleteTool = 2 };
enum GridToolOption { RowsOption = 0, ColumnsOption = 1, LayersOption = 2 };

class GridEditTools {
public:
    GridEditTools();

    int Mode() const { return mode_; }
    void SetMode(int mode);
    bool Option(int mode, int option) const;
    // Checking an option also selects its mode and clears the options it
    // excludes; clearing one touches nothing else.
    void SetOption(int mode, int option, bool checked);

private:
    int mode_ = AddTool;
    std::array<std::array<bool, 3>, 3> options_{};
};

// One grid operation a mouse action asks for, on one dimension.
struct GridEditStep {
    enum Kind { Split, Subdivide, DeleteRegion, DeleteItems };
    Kind kind = Split;
    int dimension = GridData::RowDimension;
    int parts = 1;                  // Subdivide: extra items per divided one
    std::vector<ModelPoint> points; // the picked corners
    int first = 0, last = 0;        // DeleteItems: the items, 0-based
};

// The picked rectangle in model points. In the plan a and b are x and y and
// the points lie at planZ (the height of the layer being shown); in the
// vertical section they are x and z.
struct PickedPoints {
    ModelPoint first;
    ModelPoint second;
    bool plan = true;
};
PickedPoints PointsOfPick(double a1, double a2, double b1, double b2, bool planOrientation,
                          double planZ);

// The model z of the middle of layer: where a plan pick on that layer lies.
double LayerMiddleZ(const GridData& grid, int layer);

// The steps of one mouse action with the tool as it is: rows before columns,
// so that each step sees the grid the one before left. The vertical section
// shows no rows, so it never edits them. Empty when nothing is to be done.
std::vector<GridEditStep> PlanGridEdit(const GridEditTools& tools, int subdivisions,
                                       const PickedPoints& picked);

} // namespace korva
