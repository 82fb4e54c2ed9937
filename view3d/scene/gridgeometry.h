#pragma once
// Where the cells of a grid lie in model coordinates (metres, grid centred at
// the origin, z up, layer 0 on top), read from GridData once per rebuild so the
// cell loops never look spacings up again.
#include <vector>

namespace korva {

class GridData;

struct GridGeometry {
    int rows = 0, columns = 0, layers = 0;
    double W = 0.0; // sum of the column widths
    double D = 0.0; // sum of the row widths
    double T = 0.0; // sum of the layer thicknesses in metres
    double e = 1.0; // Z exaggeration
    double H = 0.0; // e * T
    // Cell boundaries: xEdges[j] .. xEdges[j + 1] is column j, yEdges rows from
    // -D/2 upward, zEdges[k] (upper) .. zEdges[k + 1] (lower) is layer k.
    std::vector<double> xEdges, yEdges, zEdges;
    // depthTops[k]: metres of layers above layer k, not exaggerated.
    std::vector<double> depthTops;

    explicit GridGeometry(const GridData& grid);
    // z of an elevation measured upward from the bottom of the lowest layer.
    double ZOfElevation(double g) const { return e * g - H / 2.0; }
    double ColumnCentre(int j) const { return (xEdges[j] + xEdges[j + 1]) / 2.0; }
    double RowCentre(int i) const { return (yEdges[i] + yEdges[i + 1]) / 2.0; }
    // Metres of layers above layer k (not exaggerated).
    double ThicknessAbove(int k) const;
    // Metres of rows before row i.
    double WidthBefore(int i) const { return yEdges[i] - yEdges[0]; }
};

} // namespace korva
