#pragma once
// A small 3D-model grid with hand-checkable coordinates, shared by the view tests:
// columns 20 and 40 m (x from -30 to -10 to 30), rows 10 and 30 m (y from -20
// to -10 to 20), layers 100 and 300 cm (z from 2 to 1 to -2).
#include "model/griddata.h"

namespace korva::testing {

constexpr int GroundPosition = 0;  // "Ground Elevation", a surface parameter
constexpr int LayeredPosition = 1; // "Horizontal Hydraulic Conductivity"

inline GridData MakeSceneGrid() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).columnSpacing = {20.0, 40.0};
    ReaderContents(grid).rowSpacing = {10.0, 30.0};
    ReaderContents(grid).layerSpacing = {100.0, 300.0};
    grid.UpdateUniformSpacing();
    grid.Resize(2, 2, 2);
    return grid;
}

// A layered output quantity with value v everywhere.
inline KORVAOutputData MakeOutput(const std::string& name, int kind, int layers, double v,
                                  double lo, double hi) {
    KORVAOutputData output;
    output.name = name;
    output.kind = kind;
    output.minimum = lo;
    output.maximum = hi;
    KORVAOutputTimeData time;
    time.values.Assign(kind == 2 ? 1 : layers, 2, 2, v);
    output.times.push_back(time);
    return output;
}

} // namespace korva::testing
