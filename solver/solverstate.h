#pragma once
// The changing state of a simulated field: the water and salt of every cell
// and of the ponded surface, the crop's growth, and the fluxes of the day last
// simulated (for the outputs).
#include "solvermodel.h"

#include <array>
#include <vector>

namespace korva {

// What entered and left the field in one day (or a whole run), in m3 of
// water and m3 x dS/m of salt.
struct DayBalance {
    double irrigation = 0;
    double boundaryInflow = 0;
    double evapotranspiration = 0;
    double drainage = 0; // drains and collectors
    double boundaryOutflow = 0;
    double saltIrrigation = 0;
    double saltBoundaryInflow = 0;
    double saltDrainage = 0;
    double saltBoundaryOutflow = 0;

    double WaterIn() const { return irrigation + boundaryInflow; }
    double WaterOut() const { return evapotranspiration + drainage + boundaryOutflow; }
    double SaltIn() const { return saltIrrigation + saltBoundaryInflow; }
    double SaltOut() const { return saltDrainage + saltBoundaryOutflow; }
    void Add(const DayBalance& other);
};

class SolverState {
public:
    // The initial state of model: initial moisture, water table and salt.
    explicit SolverState(const SolverModel& model);

    int day = 0; // the next day to simulate

    std::vector<double> water;     // m3 per cell
    std::vector<double> salt;      // m3 x dS/m per cell
    std::vector<double> pondWater; // m3 per column, on the surface
    std::vector<double> pondSalt;

    // Fluxes of the day last simulated.
    std::vector<double> verticalFlux; // m3 down through each cell's bottom
    std::vector<double> flowX;        // m3 through each cell's face towards the next column
    std::vector<double> flowY;        // m3 through each cell's face towards the next row
    std::vector<double> uptake;       // m3 taken by roots and evaporation from each cell

    // Crop growth per column.
    std::vector<double> rootDepth;                 // m
    std::vector<std::array<double, 4>> cropDemand; // m3 of potential crop ET per stage
    std::vector<std::array<double, 4>> cropActual; // m3 of actual crop ET per stage
    std::vector<double> rootSalinitySum;           // daily root-zone salinity, summed
    std::vector<int> rootSalinityDays;

    double StoredWater() const;
    double StoredSalt() const;
};

// Simulates state.day and moves on to the next day: irrigation, infiltration
// and percolation, lateral groundwater flow, drains and natural boundaries,
// evapotranspiration and crop growth. Returns what entered and left.
DayBalance StepDay(const SolverModel& model, SolverState& state);

// Elevation of the water table above the grid bottom (m): the top of the free
// water standing on the lowest active cell of the column; that cell's bottom
// when it holds none, and -1 for a column without active cells.
double WaterTableElevation(const SolverModel& model, const SolverState& state, int row, int column);

// The crop's yield relative to an unstressed crop so far, or -1 without a crop.
double RelativeYield(const SolverModel& model, const SolverState& state, int row, int column);

} // namespace korva
