// Prints the speed of the reference solver (cell-days a second for fields of
// several sizes) and of reading a child's output through PipedProcess.
#include "model/griddata.h"
#include "solver/solverstate.h"

#include <chrono>
#include <cstdio>
#include <string>
#ifdef KORVA_WITH_RUN
#include "run/pipedprocess.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

void SetEverywhere(korva::GridData& grid, int code, double value) {
    const int index = grid.ParameterIndexOfCode(code);
    for (int l = 0; l < grid.NumLayers(); ++l)
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c)
                grid.SetValue(index, l, r, c, value, false);
}

korva::GridData Field(int layers, int rows, int columns, int days) {
    korva::GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing.assign(rows, 20.0);
    ReaderContents(grid).columnSpacing.assign(columns, 20.0);
    ReaderContents(grid).layerSpacing.assign(layers, 40.0);
    grid.Resize(layers, rows, columns);
    ReaderContents(grid).settings.simulationEnd = days;
    ReaderContents(grid).settings.porosity = 0.4;
    SetEverywhere(grid, korva::GridData::InitialWaterTableElevation, layers * 0.2);
    SetEverywhere(grid, korva::GridData::DateOfPlanting, 10);
    SetEverywhere(grid, korva::GridData::DateOfHarvest, days - 10);
    grid.AppendBoundary(korva::BasinType, "field", {0, 0, 1});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.SetBoundaryValue(korva::BasinType, 0, r, c, 1);
    ReaderContents(grid).irrigation.assign(1, {});
    for (int d = 15; d < days; d += 14)
        ReaderContents(grid).irrigation[0].push_back({1, d, 1990, 5.0, 1.0});
    grid.AppendBoundary(korva::DrainType, "drain", {1, 0, 0});
    for (int r = 0; r < rows; ++r)
        grid.SetBoundaryValue(korva::DrainType, layers / 2, r, columns - 1, 1);
    return grid;
}

} // namespace

int main() {
    std::printf("reference solver, daily step\n");
    const int sizes[][3] = {{5, 10, 10}, {6, 30, 30}, {10, 50, 50}};
    for (const auto& s : sizes) {
        const int days = 365;
        const korva::GridData grid = Field(s[0], s[1], s[2], days);
        const korva::SolverModel model(grid, std::vector<double>(days, 0.5));
        korva::SolverState state(model);
        const auto start = Clock::now();
        for (int d = 0; d < days; ++d)
            korva::StepDay(model, state);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const double cellDays = static_cast<double>(model.CellCount()) * days;
        std::printf("  %2d x %2d x %2d cells, %d days: %7.3f s, %6.2f million cell-days/s\n", s[0],
                    s[1], s[2], days, seconds, cellDays / seconds / 1e6);
    }
#ifdef KORVA_WITH_RUN
    const int lines = 200000;
    const auto start = Clock::now();
    korva::PipedProcess child({"/bin/sh", "-c",
                               "i=0; while [ $i -lt " + std::to_string(lines) +
                                   " ]; do echo \"Day $i of the run\"; i=$((i+1)); done"});
    std::string line;
    int count = 0, read = 0;
    while (child.ReadLine(line, count, false))
        ++read;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("PipedProcess::ReadLine: %d lines of a shell loop in %.3f s (%.0f lines/s, "
                "bounded by the shell)\n",
                read, seconds, read / seconds);
#endif
    return 0;
}
