// Prints how long the grid operations take on the size of the project file
// benchmark: 300 x 300 x 10 cells with every parameter filled.
#include "model/griddata.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main() {
    using korva::GridData;
    constexpr int layers = 10, rows = 300, columns = 300;
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).layerSpacing.assign(layers, 10.0);
    ReaderContents(grid).rowSpacing.assign(rows, 10.0);
    ReaderContents(grid).columnSpacing.assign(columns, 10.0);
    for (int b = 0; b < 5; ++b)
        grid.AppendBoundary(korva::BasinType, "basin", {0, 0, 0});
    for (int d = 0; d < 5; ++d)
        grid.AppendBoundary(korva::DrainType, "drain", {0, 0, 0});

    std::printf("grid %d x %d x %d, %d parameters\n", layers, rows, columns, grid.ParameterCount());
    std::printf("Resize                      %8.2f ms\n",
                Milliseconds([&] { grid.Resize(layers, rows, columns); }));
    std::printf("SetValue every cell         %8.2f ms\n", Milliseconds([&] {
                    for (int p = 0; p < grid.ParameterCount(); ++p)
                        for (int k = 0; k < layers; ++k)
                            for (int r = 0; r < rows; ++r)
                                for (int c = 0; c < columns; ++c)
                                    grid.SetValue(p, k, r, c, r + c + k, false);
                }));
    double sum = 0;
    std::printf("GetValue every cell         %8.2f ms\n", Milliseconds([&] {
                    double value = 0;
                    for (int p = 0; p < grid.ParameterCount(); ++p)
                        for (int k = 0; k < layers; ++k)
                            for (int r = 0; r < rows; ++r)
                                for (int c = 0; c < columns; ++c)
                                    if (grid.GetValue(p, k, r, c, value)) sum += value;
                }));
    std::printf("RecomputeRange all          %8.2f ms\n", Milliseconds([&] {
                    for (int p = 0; p < grid.ParameterCount(); ++p)
                        grid.RecomputeRange(p);
                }));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.SetBoundaryValue(korva::BasinType, 0, r, c, 1 + (r + c) % 5);
    std::printf("BuildCropGrid-style fill    %8.2f ms\n", Milliseconds([&] {
                    for (int b = 1; b <= 5; ++b)
                        grid.SetValueForBasin(0, b, b);
                }));
    std::printf("DeleteItems one row         %8.2f ms\n",
                Milliseconds([&] { grid.DeleteItems(GridData::RowDimension, 150, 150); }));
    std::printf("DeleteItems one column      %8.2f ms\n",
                Milliseconds([&] { grid.DeleteItems(GridData::ColumnDimension, 150, 150); }));
    std::printf("SplitRowsColumnsAt (both)   %8.2f ms\n", Milliseconds([&] {
                    grid.SplitRowsColumnsAt(true, true, {{1.0, 1.0, 0.0}});
                }));
    std::printf("SubdivideLayers one layer   %8.2f ms\n", Milliseconds([&] {
                    grid.SubdivideLayers(1, {0, 0, 0}, {0, 0, 0});
                }));
    std::printf("DeleteBoundary (basin)      %8.2f ms\n",
                Milliseconds([&] { grid.DeleteBoundary(korva::BasinType, 0); }));
    std::printf("checksum %g\n", sum);
    return 0;
}
