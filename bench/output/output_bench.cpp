// Reading a large run's outputs: writes the .day, .kvo and .tss files of a
// 200 x 200 x 10 grid with 20 output times and the solver's 14 quantities,
// then times ReadModelOutput against a plain std::ifstream >> double reader
// of the same files, in the same run.
//
//   output_bench [--rows R] [--columns C] [--layers L] [--times N]
//                 [--layered Q] [--surface S] [--folder DIR] [--keep]
#include "files/numberformat.h"
#include "files/output/modeloutput.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int rows = 200;
    int columns = 200;
    int layers = 10;
    int times = 20;
    int layered = 9;
    int surface = 5;
    std::string folder;
    bool keep = false;
};

const char* LayeredNames[] = {"MC MOISTURE CONTENT",
                              "SN SATURATION",
                              "US SALT CONCENTRATION",
                              "HC CAPILLARY PRESSURE",
                              "HD HYDRAULIC HEAD",
                              "SK PLANT UPTAKE",
                              "FL FLUX",
                              "QX FLOW X",
                              "QY FLOW Y"};
const char* SurfaceNames[] = {"WE WATER TABLE ELEVATION", "DW DEPTH TO WATER TABLE",
                              "RY RELATIVE YIELD", "RG ROOT GROWTH", "SWT SALT AT WATER TABLE"};

std::uintmax_t WriteFiles(const Options& o, const std::string& base) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uintmax_t bytes = 0;
    auto put = [&](const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        bytes += text.size();
    };
    std::string day = "0 365\n" + std::to_string(o.times) + "\n";
    for (int k = 1; k <= o.times; ++k)
        day += std::to_string(k * 15) + "\n";
    put(base + ".day", day);

    std::string text;
    for (int k = 1; k <= o.times; ++k) {
        text = "KORVA solver output, day " + std::to_string(k * 15) + "\n" +
               std::to_string(o.layered) + " " + std::to_string(o.surface) + "\n" +
               std::to_string(o.rows) + " " + std::to_string(o.columns) + " " +
               std::to_string(o.layers) + "\n";
        for (int q = 0; q < o.layered; ++q)
            text += std::string(LayeredNames[q % 9]) + "\n";
        for (int q = 0; q < o.surface; ++q)
            text += std::string(SurfaceNames[q % 5]) + "\n";
        const int quantities = o.layered + o.surface;
        for (int q = 0; q < quantities; ++q) {
            const int layers = q < o.layered ? o.layers : 1;
            // Magnitudes as a solver prints them: fractions, heads, small fluxes.
            const double scale = q % 3 == 0 ? 1.0 : q % 3 == 1 ? 250.0 : 1e-4;
            for (int l = 0; l < layers; ++l) {
                for (int r = 0; r < o.rows; ++r) {
                    for (int c = 0; c < o.columns; ++c) {
                        korva::AppendNumber(text, scale * unit(random));
                        text += ' ';
                    }
                    text += '\n';
                }
            }
        }
        put(korva::GridOutputPath(base, k), text);
    }
    for (int code = 0; code < korva::OutputParamCount; ++code) {
        text.clear();
        for (int s = 0; s < 4; ++s) {
            text += std::string(korva::OutputParam(code).text) + "_x" + std::to_string(s + 1) +
                    "y1z1:\n";
            for (int d = 0; d < 365; ++d) {
                text += std::to_string(d) + " ";
                korva::AppendNumber(text, unit(random));
                text += "\n";
            }
            text += "\n";
        }
        put(korva::TimeSeriesPath(base, code), text);
    }
    return bytes;
}

// The plain reader a first version would write: a stream per file, getline
// for the header lines, operator>> for every number.
double BaselineRead(const Options& o, const std::string& base, std::vector<double>& values) {
    values.clear();
    std::string line;
    for (int k = 1; k <= o.times; ++k) {
        std::ifstream in(korva::GridOutputPath(base, k));
        for (int i = 0; i < 3 + o.layered + o.surface; ++i)
            std::getline(in, line);
        double v = 0;
        while (in >> v)
            values.push_back(v);
    }
    for (int code = 0; code < korva::OutputParamCount; ++code) {
        std::ifstream in(korva::TimeSeriesPath(base, code));
        double x = 0, y = 0;
        while (std::getline(in, line)) {
            if (line.empty() || !(line[0] >= '0' && line[0] <= '9')) continue;
            std::sscanf(line.c_str(), "%lf %lf", &x, &y);
            values.push_back(y);
        }
    }
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process: the machine is shared, so wall time alone
// would measure the neighbours too.
double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : "0"; };
        if (arg == "--rows")
            o.rows = std::atoi(next());
        else if (arg == "--columns")
            o.columns = std::atoi(next());
        else if (arg == "--layers")
            o.layers = std::atoi(next());
        else if (arg == "--times")
            o.times = std::atoi(next());
        else if (arg == "--layered")
            o.layered = std::atoi(next());
        else if (arg == "--surface")
            o.surface = std::atoi(next());
        else if (arg == "--folder")
            o.folder = next();
        else if (arg == "--keep")
            o.keep = true;
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
    }
    const std::filesystem::path folder =
        o.folder.empty() ? std::filesystem::temp_directory_path() / "korva-outputs-bench"
                         : std::filesystem::path(o.folder);
    std::filesystem::create_directories(folder);
    const std::string base = (folder / "run").string();

    auto start = Clock::now();
    const std::uintmax_t bytes = WriteFiles(o, base);
    const double mb = static_cast<double>(bytes) / 1e6;
    std::printf("grid %d x %d x %d, %d times, %d per-layer + %d surface quantities: %.1f MB "
                "written in %.2f s\n",
                o.rows, o.columns, o.layers, o.times, o.layered, o.surface, mb, Seconds(start));

    korva::CollectingMessageSink sink;
    korva::ScopedMessageSink scope(sink);
    double best = 1e30;
    double bestCpu = 1e30;
    for (int run = 0; run < 2; ++run) {
        korva::GridData grid;
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(static_cast<std::size_t>(o.rows), 10.0);
        ReaderContents(grid).columnSpacing.assign(static_cast<std::size_t>(o.columns), 10.0);
        ReaderContents(grid).layerSpacing.assign(static_cast<std::size_t>(o.layers), 20.0);
        grid.Resize(o.layers, o.rows, o.columns);
        start = Clock::now();
        const double cpuStart = CpuSeconds();
        const int result = korva::ReadModelOutput(grid, base, o.rows, o.columns, o.layers);
        const double seconds = Seconds(start);
        bestCpu = std::min(bestCpu, CpuSeconds() - cpuStart);
        if (result != 1 ||
            grid.Outputs().gridOutputs.size() != static_cast<std::size_t>(o.layered + o.surface)) {
            std::fprintf(stderr, "read failed (%zu messages)\n", sink.messages.size());
            return 1;
        }
        best = std::min(best, seconds);
    }
    std::printf("ReadModelOutput:         %7.3f s  %8.1f MB/s   cpu %7.3f s  %8.1f MB/s\n", best,
                mb / best, bestCpu, mb / bestCpu);

    double baselineBest = 1e30;
    double baselineCpu = 1e30;
    std::vector<double> values;
    double checksum = 0;
    for (int run = 0; run < 2; ++run) {
        start = Clock::now();
        const double cpuStart = CpuSeconds();
        checksum += BaselineRead(o, base, values);
        baselineBest = std::min(baselineBest, Seconds(start));
        baselineCpu = std::min(baselineCpu, CpuSeconds() - cpuStart);
    }
    std::printf("std::ifstream >> double: %7.3f s  %8.1f MB/s   cpu %7.3f s  %8.1f MB/s\n",
                baselineBest, mb / baselineBest, baselineCpu, mb / baselineCpu);
    std::printf("(%zu values, checksum %g)\n", values.size(), checksum);
    std::printf("speed-up: %.1f x wall, %.1f x cpu\n", baselineBest / best, baselineCpu / bestCpu);

    if (!o.keep) std::filesystem::remove_all(folder);
    return 0;
}
