#pragma once
// A small irrigated field built in code, shared by the solver and run tests:
// 4 layers of 50 cm under 3 rows x 4 columns of 50 m, one basin with a crop
// over the whole field, two irrigations, daily ET and a drain along the last
// column.
#include "model/griddata.h"

#include <string>
#include <vector>

namespace korva::testing {

struct FieldOptions {
    int kind = 1;         // 0: 2D model, 1: 3D model
    int days = 60;        // simulated days from 1 January 1990
    bool drain = true;    // a drain under the last column
    bool irrigate = true; // 6 cm on days 10 and 30
    double et = 0.4;      // cm a day
    bool salt = true;     // the salt solver
};

inline void SetEverywhere(GridData& grid, int code, double value) {
    const int index = grid.ParameterIndexOfCode(code);
    if (index < 0) return;
    for (int l = 0; l < grid.NumLayers(); ++l)
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c)
                grid.SetValue(index, l, r, c, value, false);
    grid.RecomputeRange(index);
}

inline GridData MakeField(const FieldOptions& o = {}) {
    GridData grid;
    grid.ResetModel(o.kind);
    ReaderContents(grid).rowSpacing.assign(3, 50.0);
    ReaderContents(grid).columnSpacing.assign(4, 50.0);
    ReaderContents(grid).layerSpacing.assign(4, 50.0);
    grid.Resize(4, 3, 4);

    SimulationSettings& s = ReaderContents(grid).settings;
    s.simulationYear = 1990;
    s.simulationStart = 0;
    s.simulationEnd = o.days;
    s.irrigationTimeStep = 1;
    s.simulationTimeStep = 1;
    s.porosity = 0.4;
    s.useSaltSolver = o.salt ? 1 : 0;
    s.ETPeriod = {0, o.days - 1};
    s.DailyETUsage.assign(o.days, o.et);

    SetEverywhere(grid, GridData::GroundElevation, 2.0);
    SetEverywhere(grid, GridData::HorizontalHydraulicConductivity, 0.5);
    SetEverywhere(grid, GridData::VerticalHydraulicConductivity, 0.5);
    SetEverywhere(grid, GridData::InitialWaterTableElevation, 1.0);
    SetEverywhere(grid, GridData::InitialMoistureContent, 0.2);
    SetEverywhere(grid, GridData::InitialSaltConcentrationOfAquifer, 2.0);
    SetEverywhere(grid, GridData::InitialUnsaturatedSaltConcentration, 1.0);
    SetEverywhere(grid, GridData::InitialRootDepth, 10);
    SetEverywhere(grid, GridData::MaximumRootDepth, 80);
    SetEverywhere(grid, GridData::CropCoefficients1, 0.5);
    SetEverywhere(grid, GridData::CropCoefficients2, 1.1);
    SetEverywhere(grid, GridData::CropCoefficients3, 0.7);
    SetEverywhere(grid, GridData::DateOfPlanting, 5);
    SetEverywhere(grid, GridData::EndOfStage1, 20);
    SetEverywhere(grid, GridData::EndOfStage2, 35);
    SetEverywhere(grid, GridData::EndOfStage3, 50);
    SetEverywhere(grid, GridData::DateOfHarvest, 58);
    SetEverywhere(grid, GridData::IrrigationWeight, 1.0);
    SetEverywhere(grid, GridData::SoilLeachingEfficiency, 1.0);

    grid.AppendBoundary(BasinType, "field", {0, 0, 1});
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            grid.SetBoundaryValue(BasinType, 0, r, c, 1);
    ReaderContents(grid).irrigation.assign(1, {});
    if (o.irrigate) {
        ReaderContents(grid).irrigation[0].push_back({1, 11, 1990, 6.0, 0.8});
        ReaderContents(grid).irrigation[0].push_back({1, 31, 1990, 6.0, 0.8});
    }
    for (auto& factors : ReaderContents(grid).YieldResponseFactors)
        factors.assign(1, 1.0);
    const double bounds[5] = {2, 4, 6, 8, 10};
    for (int k = 0; k < 5; ++k)
        ReaderContents(grid).SalinityUpperBounds[k].assign(1, bounds[k]);

    if (o.drain) {
        grid.AppendBoundary(DrainType, "east drain", {1, 0, 0});
        const int layer = grid.BoundaryLayerCount(DrainType) > 1 ? 2 : 0;
        for (int r = 0; r < 3; ++r)
            grid.SetBoundaryValue(DrainType, layer, r, 3, 1);
    }

    ReaderContents(grid).printList = {{1, 1, 1990}, {1, 31, 1990}, {3, 1, 1990}};
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 1, 1, {0, 2});  // MC and US in layer 1
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 1, 0, {9});     // WE of the first column
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 2, 3, {9, 11}); // WE and RY by the drain
    return grid;
}

} // namespace korva::testing
