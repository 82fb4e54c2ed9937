// VTK export speed on a large 3D project (300 rows x 300 columns x 10 layers,
// every parameter filled, a few cells without data):
//   vtk_bench [ROWS COLUMNS LAYERS] [FOLDER]
// prints the rate of the binary export (the target is at least 300 MB/s) and
// of the text export in MB/s of file written, each the best of three runs,
// with the file's size. The file goes to FOLDER and is removed afterwards;
// without FOLDER it goes to the system's temporary folder (a disk: its speed
// bounds the figure) and then to /dev/shm (memory: the writer's own speed).
#include "files/vtk/vtkexport.h"
#include "model/griddata.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

korva::GridData LargeModel(int rows, int columns, int layers) {
    korva::GridData grid;
    grid.ResetModel(1);
    korva::ReaderContents(grid).rowSpacing.assign(static_cast<size_t>(rows), 10.0);
    korva::ReaderContents(grid).columnSpacing.assign(static_cast<size_t>(columns), 12.5);
    korva::ReaderContents(grid).layerSpacing.assign(static_cast<size_t>(layers), 40.0);
    grid.Resize(layers, rows, columns);
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        const int used = grid.Parameter(p).IsSurface() ? 1 : layers;
        for (int l = 0; l < used; ++l)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c) {
                    const double u = unit(random);
                    grid.SetValue(p, l, r, c, u < 0.01 ? korva::NoDataValue : 100.0 * u, false);
                }
        grid.RecomputeRange(p);
    }
    return grid;
}

void Measure(const korva::GridData& grid, korva::VtkEncoding encoding, const char* label,
             const std::string& path) {
    korva::VtkExportOptions options;
    options.encoding = encoding;
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        std::string error;
        if (!korva::ExportVtk(grid, path, options, &error)) {
            std::printf("%s: export failed: %s\n", label, error.c_str());
            return;
        }
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::printf("%-7s %8.1f MB in %7.3f s: %8.1f MB/s\n", label, megabytes, best, megabytes / best);
    std::filesystem::remove(path);
}

} // namespace

int main(int argc, char** argv) {
    const int rows = argc > 3 ? std::atoi(argv[1]) : 300;
    const int columns = argc > 3 ? std::atoi(argv[2]) : 300;
    const int layers = argc > 3 ? std::atoi(argv[3]) : 10;
    std::vector<std::string> folders;
    if (argc == 5 || argc == 2) {
        folders.push_back(argv[argc - 1]);
    } else {
        folders.push_back(std::filesystem::temp_directory_path().string());
        if (std::filesystem::is_directory("/dev/shm")) folders.push_back("/dev/shm");
    }
    if (rows < 1 || columns < 1 || layers < 1) {
        std::printf("usage: vtk_bench [ROWS COLUMNS LAYERS] [FOLDER]\n");
        return 2;
    }
    const korva::GridData grid = LargeModel(rows, columns, layers);
    for (const std::string& folder : folders) {
        std::printf("VTK export of %d x %d x %d cells, %d parameters, in %s\n", rows, columns,
                    layers, grid.ParameterCount(), folder.c_str());
        const std::string path = folder + "/korva_vtk_bench_" + std::to_string(::getpid()) + ".vtr";
        Measure(grid, korva::VtkEncoding::AppendedRaw, "binary", path);
        Measure(grid, korva::VtkEncoding::Ascii, "text", path);
    }
    return 0;
}
