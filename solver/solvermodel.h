#pragma once
// The fixed description of a simulated field, taken once from a GridData: the
// geometry, the soil of every cell, the boundaries, the crops and irrigation
// of every column, the daily ET and what to report. The daily step reads only
// this and the changing SolverState.
#include <array>
#include <string>
#include <vector>

namespace korva {

class GridData;

// One irrigation event of a basin, by day number.
struct IrrigationEvent {
    int day = -1;
    double depth = 0;             // metres of water on the basin's cells
    double saltConcentration = 0; // of the applied water (dS/m)
};

// The crop grown on one column, all days as day numbers.
struct ColumnCrop {
    bool present = false;
    double initialRootDepth = 0;         // metres below the ground
    double maxRootDepth = 0;             // metres below the ground
    std::array<double, 3> coefficient{}; // crop coefficients 1..3
    double planting = 0;
    std::array<double, 3> stageEnd{}; // ends of stages 1..3
    double harvest = 0;
};

// Soil of one cell.
struct CellSoil {
    bool active = false;   // inactive and no-flow cells hold no water and pass none
    double porosity = 0.4; // saturated water content
    double fieldCapacity = 0.2;
    double wiltingPoint = 0.1;
    double residual = 0.04;     // residual water content
    double bubblingHead = 20.0; // cm, of the pressure-saturation curve
    double poreSizeIndex = 0.5; // of the pressure-saturation curve
    double kHorizontal = 1.0;   // m/day
    double kVertical = 1.0;     // m/day
};

// A time-series selection: an output code at a cell (layer -1 for surface codes).
struct SeriesSelection {
    int code = 0;
    int layer = -1;
    int row = 0;
    int column = 0;
};

class SolverModel {
public:
    // kind: 0 for the 2D model, 1 for the 3D model. etPerDay holds the daily
    // ET (cm) of the simulated days, first day first; days without a value get 0.
    SolverModel(const GridData& grid, const std::vector<double>& etPerDay);

    int layers = 0, rows = 0, columns = 0;
    int kind = 1;
    std::vector<double> dx;        // column widths (m)
    std::vector<double> dy;        // row widths (m)
    std::vector<double> dz;        // layer thicknesses (m)
    std::vector<double> layerBase; // elevation of each layer's bottom above the grid bottom (m)
    double totalDepth = 0;         // m

    int year = 1990;
    int firstDay = 0; // the first simulated day
    int endDay = 0;   // the state after the last simulated day (endDay - 1) is that of endDay
    bool saltTransport = true;
    int kWeighting = 0;

    std::vector<CellSoil> soil;               // per cell
    std::vector<double> initialWater;         // volumetric, per cell
    std::vector<double> initialConcentration; // dS/m, per cell
    std::vector<int> drainCell;               // per cell: 1 drain, 2 collector, 0 none
    std::vector<int> naturalBoundary;         // per cell: 0 or 1-based natural boundary
    std::vector<double> naturalFlux;          // per natural boundary (m/day into the cell)
    std::vector<double> naturalQuality;       // per natural boundary (dS/m)

    std::vector<double> groundElevation;                  // per column (m above the grid bottom)
    std::vector<int> basin;                               // per column: 0 or 1-based basin
    std::vector<double> irrigationWeight;                 // per column
    std::vector<double> leachingEfficiency;               // per column, 0..1
    std::vector<ColumnCrop> crop;                         // per column
    std::vector<std::vector<IrrigationEvent>> irrigation; // per basin
    std::vector<std::array<double, 4>> yieldResponse;     // per basin, per growth stage
    std::vector<std::array<double, 5>> salinityBounds;    // per basin
    std::vector<double> et; // cm per simulated day, index day - firstDay

    std::vector<int> printDays;          // ascending, within firstDay..endDay
    std::vector<SeriesSelection> series; // in selection order
    std::vector<int> gridOutputs;        // codes written to every grid output file

    int CellIndex(int layer, int row, int column) const {
        return (layer * rows + row) * columns + column;
    }
    int ColumnIndex(int row, int column) const { return row * columns + column; }
    int CellCount() const { return layers * rows * columns; }
    int ColumnCount() const { return rows * columns; }
    double Area(int row, int column) const { return dx[column] * dy[row]; }
    double Volume(int layer, int row, int column) const { return Area(row, column) * dz[layer]; }
    // Potential ET (cm) of day, 0 outside the run.
    double PotentialET(int day) const;
    // Why the field cannot be simulated (a row, column or layer without a
    // positive size), or empty.
    const std::string& Problem() const { return problem_; }

private:
    std::string problem_;
};

} // namespace korva
