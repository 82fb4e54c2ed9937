// korva-batch on large projects, as a user runs it: the time and the peak
// memory of `info`, `check`, `write-input` and `resave` on a 300 x 300 x 10
// and a 500 x 500 x 20 project (every parameter filled), both made in a
// temporary folder in the same run, so the growth from one to the other
// shows whether the tool stays linear in the number of cells.
//   batch_bench [--batch PATH] [--repeat N] [--keep] [ROWS COLUMNS LAYERS]...
// Each command runs as a process of its own. Its peak memory is the process's
// maximum resident size less that of the same command on a one-cell project
// (the tool's own baseline: program, libraries, start-up), set against the
// size of the project's values held as doubles (the target is at most 1.5).
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Size {
    int rows, columns, layers;
};

struct Measure {
    bool ok = false;
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    long peakKilobytes = 0;
};

// A project as a user's large model looks: values of a measured field with six
// significant digits over a spread of magnitudes and a few cells without data.
korva::GridData LargeModel(const Size& size) {
    korva::GridData grid;
    grid.ResetModel(1);
    korva::GridContents& data = korva::ReaderContents(grid);
    data.rowSpacing.assign(static_cast<std::size_t>(size.rows), 10.0);
    data.columnSpacing.assign(static_cast<std::size_t>(size.columns), 12.5);
    data.layerSpacing.assign(static_cast<std::size_t>(size.layers), 40.0);
    grid.Resize(size.layers, size.rows, size.columns);
    // Time steps a run accepts, so that check finds nothing to report.
    data.settings.irrigationTimeStep = 1.0;
    data.settings.simulationTimeStep = 1.0;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        const double scale = std::pow(10.0, p % 5 - 1);
        korva::ParameterData& parameter =
            data.parameters.at(grid.ParameterOrder()[static_cast<std::size_t>(p)]);
        for (double& v : parameter.values.Cells()) {
            const double u = unit(random);
            v = u < 0.01 ? korva::NoDataValue : scale * (1.0 + 9.0 * u);
        }
        parameter.RecomputeRange();
    }
    return grid;
}

std::size_t ValueCount(const korva::GridData& grid) {
    std::size_t count = 0;
    for (int p = 0; p < grid.ParameterCount(); ++p)
        count += grid.Parameter(p).values.Size();
    return count;
}

// Runs the tool with args, its output and messages discarded; the exit status
// must be expected for the figures to count.
Measure Run(const std::string& batch, const std::vector<std::string>& args, int expected) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(batch.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Measure m;
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) return m;
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
        }
        ::execv(batch.c_str(), argv.data());
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return m;
    m.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    m.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    m.peakKilobytes = usage.ru_maxrss;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == expected;
    return m;
}

// The best of repeat runs: the least wall and CPU time, the least peak (a
// later run never needs less memory than the first, only a loaded machine
// makes it look slower).
Measure Best(const std::string& batch, const std::vector<std::string>& args, int expected,
             int repeat) {
    Measure best;
    for (int i = 0; i < repeat; ++i) {
        const Measure m = Run(batch, args, expected);
        if (!m.ok) return m;
        if (i == 0) {
            best = m;
        } else {
            best.wallSeconds = std::min(best.wallSeconds, m.wallSeconds);
            best.cpuSeconds = std::min(best.cpuSeconds, m.cpuSeconds);
            best.peakKilobytes = std::min(best.peakKilobytes, m.peakKilobytes);
        }
    }
    return best;
}

struct Command {
    const char* name;
    int expected; // exit status of a sound run
};

// check exits 1 when it finds a problem; the generated projects have none.
constexpr Command commands[] = {{"info", 0}, {"check", 0}, {"write-input", 0}, {"resave", 0}};

std::vector<std::string> CommandArgs(const Command& command, const fs::path& project,
                                     const fs::path& folder) {
    const std::string name = command.name;
    if (name == "write-input") return {name, project.string(), (folder / "inputset").string()};
    if (name == "resave") return {name, project.string(), (folder / "resaved.kvp").string()};
    return {name, project.string()};
}

int Usage() {
    std::fprintf(stderr, "usage: batch_bench [--batch PATH] [--repeat N] [--keep] "
                         "[ROWS COLUMNS LAYERS]...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string batch = KORVA_BATCH;
    int repeat = 2;
    bool keep = false;
    std::vector<Size> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--batch" && i + 1 < argc) {
            batch = argv[++i];
        } else if (arg == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--keep") {
            keep = true;
        } else if (i + 2 < argc) {
            const Size size{std::atoi(argv[i]), std::atoi(argv[i + 1]), std::atoi(argv[i + 2])};
            if (size.rows < 1 || size.columns < 1 || size.layers < 1) return Usage();
            sizes.push_back(size);
            i += 2;
        } else {
            return Usage();
        }
    }
    if (sizes.empty()) sizes = {{300, 300, 10}, {500, 500, 20}};
    if (::access(batch.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "batch_bench: no korva-batch at %s\n", batch.c_str());
        return 1;
    }

    const fs::path folder =
        fs::temp_directory_path() / ("korva_batch_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // The projects take hundreds of megabytes: they go on every way out,
    // a failed run's included, unless --keep asks for them.
    struct Cleanup {
        const fs::path& folder;
        const bool& keep;
        ~Cleanup() {
            std::error_code ignored;
            if (!keep) fs::remove_all(folder, ignored);
        }
    } cleanup{folder, keep};
    korva::CollectingMessageSink sink;
    korva::ScopedMessageSink scoped(sink);

    // The tool's own baseline: each command on a one-cell project.
    const fs::path tiny = folder / "tiny.kvp";
    if (!korva::WriteProjectFile(LargeModel({1, 1, 1}), tiny.string())) return 1;
    long baseline[std::size(commands)] = {};
    for (std::size_t c = 0; c < std::size(commands); ++c) {
        const Measure m =
            Best(batch, CommandArgs(commands[c], tiny, folder), commands[c].expected, repeat);
        if (!m.ok) {
            std::fprintf(stderr, "batch_bench: %s failed on a one-cell project\n",
                         commands[c].name);
            return 1;
        }
        baseline[c] = m.peakKilobytes;
    }
    std::printf("korva-batch: %s\nbaseline peak (one-cell project): info %.1f MB\n", batch.c_str(),
                static_cast<double>(baseline[0]) / 1e3);
    std::printf("best of %d runs; peak = maximum resident size above the baseline, "
                "x doubles = peak / values as doubles (target for a read at most 1.5)\n\n",
                repeat);

    struct Row {
        double cells, doublesMb;
        Measure measures[std::size(commands)];
    };
    std::vector<Row> rows;
    int failures = 0;
    for (const Size& size : sizes) {
        const fs::path project = folder / ("project.kvp");
        Row row{};
        {
            const korva::GridData grid = LargeModel(size);
            row.cells = static_cast<double>(size.rows) * size.columns * size.layers;
            row.doublesMb = static_cast<double>(ValueCount(grid)) * 8.0 / 1e6;
            if (!korva::WriteProjectFile(grid, project.string())) return 1;
        }
        std::printf("%d x %d x %d = %.0f cells, %.1f MB of values as doubles, file %.1f MB\n",
                    size.rows, size.columns, size.layers, row.cells, row.doublesMb,
                    static_cast<double>(fs::file_size(project)) / 1e6);
        std::printf("  %-12s %9s %9s %10s %10s\n", "command", "wall s", "CPU s", "peak MB",
                    "x doubles");
        for (std::size_t c = 0; c < std::size(commands); ++c) {
            const Measure m = Best(batch, CommandArgs(commands[c], project, folder),
                                   commands[c].expected, repeat);
            row.measures[c] = m;
            if (!m.ok) {
                std::printf("  %-12s FAILED (exit status other than %d)\n", commands[c].name,
                            commands[c].expected);
                ++failures;
                continue;
            }
            const double peakMb = static_cast<double>(m.peakKilobytes - baseline[c]) / 1e3;
            std::printf("  %-12s %9.3f %9.3f %10.1f %10.2f\n", commands[c].name, m.wallSeconds,
                        m.cpuSeconds, peakMb, peakMb / row.doublesMb);
            std::fflush(stdout);
        }
        rows.push_back(row);
        std::printf("\n");
    }

    // Growth from the first size to each later one: CPU time and peak per cell
    // stay about the same when the tool is linear.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        std::printf("growth from size 1 to size %zu: cells x %.2f\n", i + 1,
                    rows[i].cells / rows[0].cells);
        for (std::size_t c = 0; c < std::size(commands); ++c) {
            const Measure& a = rows[0].measures[c];
            const Measure& b = rows[i].measures[c];
            if (!a.ok || !b.ok) continue;
            std::printf("  %-12s CPU x %.2f  peak x %.2f\n", commands[c].name,
                        b.cpuSeconds / a.cpuSeconds,
                        static_cast<double>(b.peakKilobytes - baseline[c]) /
                            static_cast<double>(a.peakKilobytes - baseline[c]));
        }
    }
    if (keep) std::printf("files kept in %s\n", folder.string().c_str());
    return failures == 0 ? 0 : 1;
}
