// Project file speed and memory on a large 3D project (300 rows x 300 columns x
// 10 layers, every parameter filled):
//   project_bench [ROWS COLUMNS LAYERS]
// prints the write and read rates in MB/s, the rate of a plain
// std::ifstream >> double reader of the same file (the baseline the reader
// must beat five times over), and the peak memory of a read, measured in a
// fresh child process against the size of the values held as doubles.
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

korva::GridData LargeModel(int rows, int columns, int layers) {
    korva::GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing.assign(static_cast<size_t>(rows), 10.0);
    ReaderContents(grid).columnSpacing.assign(static_cast<size_t>(columns), 12.5);
    ReaderContents(grid).layerSpacing.assign(static_cast<size_t>(layers), 40.0);
    grid.Resize(layers, rows, columns);
    // Values of a measured field: six significant digits, a spread of
    // magnitudes, a few cells without data.
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        const double scale = std::pow(10.0, p % 5 - 1);
        korva::ParameterData& parameter = korva::ReaderContents(grid).parameters.at(
            grid.ParameterOrder()[static_cast<size_t>(p)]);
        for (double& v : parameter.values.Cells()) {
            const double u = unit(random);
            v = u < 0.01 ? korva::NoDataValue : scale * (1.0 + 9.0 * u);
        }
        parameter.RecomputeRange();
    }
    return grid;
}

size_t ValueCount(const korva::GridData& grid) {
    size_t count = 0;
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        count += grid.Parameter(p).values.Size();
    }
    return count;
}

// The baseline: formatted extraction of every number of the file, the labels
// skipped word by word.
double StreamBaseline(const std::string& path, size_t& numbers) {
    std::ifstream in(path);
    double sum = 0.0;
    numbers = 0;
    std::string word;
    while (in) {
        double value = 0.0;
        if (in >> value) {
            sum += value;
            ++numbers;
        } else if (!in.eof()) {
            in.clear();
            in >> word;
        }
    }
    return sum;
}

long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) return std::atol(line.c_str() + length);
    }
    return -1;
}

// Child mode: read the file once and report the peak memory it took.
int MeasureReadPeak(const char* path) {
    const long before = StatusKilobytes("VmRSS:");
    korva::GridData grid;
    korva::CollectingMessageSink sink;
    korva::ScopedMessageSink scoped(sink);
    if (!korva::ReadProjectFile(grid, path)) return 1;
    const long peak = StatusKilobytes("VmHWM:");
    const long after = StatusKilobytes("VmRSS:");
    const double doublesMb = static_cast<double>(ValueCount(grid)) * 8.0 / 1e6;
    // The model itself holds more than its doubles: an (empty) time-series
    // list per cell and the boundary membership grids. What the read costs
    // beyond the model is the peak less what stays resident.
    const double peakMb = static_cast<double>(peak - before) / 1e3;
    const double modelMb = static_cast<double>(after - before) / 1e3;
    std::printf("read peak: %.1f MB above the start; the loaded model keeps %.1f MB (values as "
                "doubles %.1f MB)\n",
                peakMb, modelMb, doublesMb);
    std::printf("peak / doubles = %.2f, peak / loaded model = %.3f, read overhead %.1f MB\n",
                peakMb / doublesMb, peakMb / modelMb, peakMb - modelMb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--read-peak") return MeasureReadPeak(argv[2]);
    const int rows = argc > 3 ? std::atoi(argv[1]) : 300;
    const int columns = argc > 3 ? std::atoi(argv[2]) : 300;
    const int layers = argc > 3 ? std::atoi(argv[3]) : 10;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("korva_bench_" + std::to_string(::getpid()) + ".kvp"))
                                 .string();

    double writeSeconds = 1e30, readSeconds = 1e30, baselineSeconds = 1e30;
    {
        const korva::GridData grid = LargeModel(rows, columns, layers);
        std::printf("model: %d x %d x %d, %d parameters, %zu values\n", rows, columns, layers,
                    grid.ParameterCount(), ValueCount(grid));
        for (int i = 0; i < 3; ++i) {
            const auto start = Clock::now();
            if (!korva::WriteProjectFile(grid, path)) return 1;
            writeSeconds = std::min(writeSeconds, Seconds(start));
        }
    }
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::printf("file: %.1f MB\n", megabytes);
    for (int i = 0; i < 3; ++i) {
        korva::GridData grid;
        const auto start = Clock::now();
        if (!korva::ReadProjectFile(grid, path)) return 1;
        readSeconds = std::min(readSeconds, Seconds(start));
    }
    size_t numbers = 0;
    double checksum = 0.0;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        checksum += StreamBaseline(path, numbers);
        baselineSeconds = std::min(baselineSeconds, Seconds(start));
    }
    std::printf("write:    %7.1f MB/s (%.3f s)\n", megabytes / writeSeconds, writeSeconds);
    std::printf("read:     %7.1f MB/s (%.3f s)\n", megabytes / readSeconds, readSeconds);
    std::printf("baseline: %7.1f MB/s (%.3f s, std::ifstream >> double, %zu numbers, sum %g)\n",
                megabytes / baselineSeconds, baselineSeconds, numbers, checksum);
    std::printf("read / baseline speed: %.1f x\n", baselineSeconds / readSeconds);
    std::fflush(stdout);

    // The peak of a read in a fresh process, where nothing else was allocated.
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/proc/self/exe", argv[0], "--read-peak", path.c_str(),
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::remove(path);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
