#pragma once
// The fourteen reported quantities of a simulated field, computed from the
// model and its state, and the names under which the grid output files carry
// them.
#include "solverstate.h"

namespace korva {

// "MC MOISTURE CONTENT", ..., "US SALT CONCENTRATION", "WE WATER TABLE
// ELEVATION", ...: the code's text, a space and what it is.
const char* OutputQuantityName(int code);

// The value of output code at a cell (layer ignored for surface codes), or
// NoDataValue where the cell (the column) holds no active soil or, for the
// relative yield, no crop.
//  MC  volumetric water content;  SN  saturation (water content / porosity);
//  US  salt concentration of the soil water (dS/m);
//  HC  pressure head (cm): negative suction above the water table, positive below;
//  HD  hydraulic head (m above the grid bottom);  SK  uptake by roots (1/day);
//  FL  flux down through the cell's bottom (cm/day);
//  QX, QY  flow towards the next column / row (m3/day);
//  WE  water table elevation (m above the grid bottom);  DW  its depth below the
//  ground (m);  RY  relative yield;  RG  root depth (m);  SWT  salt concentration
//  at the water table (dS/m).
double OutputValue(const SolverModel& model, const SolverState& state, int code, int layer, int row,
                   int column);

// The mean of OutputValue over every cell (layered codes) or column (surface
// codes) that has a value; NoDataValue when none has.
double OutputAverage(const SolverModel& model, const SolverState& state, int code);

} // namespace korva
