// Mouse edits on a 5-million-cell grid (500 rows x 500 columns x 20 layers,
// every parameter filled), each with its undo record, as the window makes
// them: fill a 100 x 100 region of one layer and every layer below, paint a
// boundary region through the layers, clear a parameter; then the grid edits
// that remove or insert whole rows, columns and layers (delete, split,
// subdivide), which move every cell of the model. Prints the time of each
// edit, the bytes its record holds, the time of undoing it and whether the
// undo gave back the model exactly.
//   edit_bench [ROWS COLUMNS LAYERS]
#include "model/griddata.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double CpuMilliseconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) * 1000.0 / CLOCKS_PER_SEC;
}

korva::GridData FilledModel(int rows, int columns, int layers) {
    korva::GridData grid;
    grid.ResetModel(1);
    korva::GridContents& data = korva::ReaderContents(grid);
    data.rowSpacing.assign(static_cast<std::size_t>(rows), 10.0);
    data.columnSpacing.assign(static_cast<std::size_t>(columns), 10.0);
    data.layerSpacing.assign(static_cast<std::size_t>(layers), 25.0);
    grid.Resize(layers, rows, columns);
    for (auto& [code, parameter] : data.parameters) {
        double value = code;
        for (double& cell : parameter.values.Cells()) {
            cell = value;
            value = value > 1000.0 ? code : value + 0.125;
        }
        parameter.RecomputeRange();
    }
    grid.AppendBoundary(korva::DrainType, "drain", {0, 0, 1});
    return grid;
}

// A point at the middle of cell (row, column) in model coordinates.
korva::ModelPoint CellCentre(const korva::GridData& grid, int row, int column) {
    return {-grid.TotalExtent(korva::GridData::ColumnDimension, false) / 2.0 + 10.0 * column + 5.0,
            -grid.TotalExtent(korva::GridData::RowDimension, false) / 2.0 + 10.0 * row + 5.0, 0.0};
}

void Measure(korva::GridData& grid, const char* name,
             const std::function<korva::EditResult(korva::GridData&, korva::UndoRecord*)>& edit) {
    const korva::GridData before = grid;
    korva::UndoRecord record;
    // Wall time is what the user waits; CPU time (the edits run on one
    // thread) stays comparable on a loaded machine.
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const korva::EditResult result = edit(grid, &record);
    const double editMs = Milliseconds(start);
    const double editCpuMs = CpuMilliseconds(cpuStart);
    if (!result) {
        std::printf("%-34s refused: %s\n", name,
                    result.messages.empty() ? "(no message)" : result.messages.front().c_str());
        return;
    }
    // What the record holds while the edit stands (undoing moves removed
    // slices back into the model, leaving the record nearly empty).
    const std::size_t heldBytes = record.HeldBytes();
    const auto undoStart = Clock::now();
    grid.Revert(record);
    const double undoMs = Milliseconds(undoStart);
    const bool exact = grid.Contents() == before.Contents();
    std::printf("%-34s %7.2f ms (CPU %7.2f)  record %9.1f KB  undo %7.2f ms  %s\n", name, editMs,
                editCpuMs, static_cast<double>(heldBytes) / 1024.0, undoMs,
                exact ? "restored exactly" : "NOT RESTORED");
}

} // namespace

int main(int argc, char** argv) {
    const int rows = argc == 4 ? std::atoi(argv[1]) : 500;
    const int columns = argc == 4 ? std::atoi(argv[2]) : 500;
    const int layers = argc == 4 ? std::atoi(argv[3]) : 20;
    if (rows < 100 || columns < 100 || layers < 2) {
        std::fprintf(stderr, "usage: edit_bench [ROWS COLUMNS LAYERS], at least 100 x 100 x 2\n");
        return 2;
    }
    korva::GridData grid = FilledModel(rows, columns, layers);
    std::size_t values = 0;
    for (int p = 0; p < grid.ParameterCount(); ++p)
        values += grid.Parameter(p).values.Size();
    std::printf("grid: %d x %d x %d = %lld cells, %d parameters, %.1f MB of values as doubles; "
                "target 50 ms per edit\n",
                rows, columns, layers, static_cast<long long>(rows) * columns * layers,
                grid.ParameterCount(), static_cast<double>(values) * 8.0 / 1e6);
    const int layered = grid.ParameterIndexOfCode(korva::GridData::HorizontalHydraulicConductivity);
    const korva::ModelPoint from = CellCentre(grid, 100, 150);
    const korva::ModelPoint to = CellCentre(grid, 199, 249);
    Measure(grid, "fill 100 x 100, layer 2 and below",
            [&](korva::GridData& g, korva::UndoRecord* u) {
                return g.FillRegion(layered, from, to, 2, 42.0, true, u);
            });
    Measure(grid, "paint drain 100 x 100, all layers",
            [&](korva::GridData& g, korva::UndoRecord* u) {
                return g.PaintBoundaryRegion(korva::DrainType, 1, from, to, 0, true, true, u);
            });
    Measure(grid, "clear a layered parameter",
            [&](korva::GridData& g, korva::UndoRecord* u) { return g.ClearParameter(layered, u); });

    // Grid edits: every parameter, membership grid and the time-series grid
    // lose or gain a slice.
    using korva::GridData;
    Measure(grid, "delete one row", [&](GridData& g, korva::UndoRecord* u) {
        return g.DeleteItems(GridData::RowDimension, rows / 2, rows / 2, u);
    });
    Measure(grid, "delete one column", [&](GridData& g, korva::UndoRecord* u) {
        return g.DeleteItems(GridData::ColumnDimension, columns / 2, columns / 2, u);
    });
    Measure(grid, "delete one layer", [&](GridData& g, korva::UndoRecord* u) {
        return g.DeleteItems(GridData::LayerDimension, layers / 2, layers / 2, u);
    });
    const korva::ModelPoint middle = CellCentre(grid, rows / 2, columns / 2);
    Measure(grid, "split a row and a column", [&](GridData& g, korva::UndoRecord* u) {
        return g.SplitRowsColumnsAt(true, true, {middle}, u);
    });
    Measure(grid, "subdivide a middle layer in two", [&](GridData& g, korva::UndoRecord* u) {
        return g.SubdivideLayers(1, middle, middle, u);
    });
    return 0;
}
