// Writes and reads the input set of a 200 x 200 x 10 grid with every
// parameter filled, and reads the same files with plain stream extraction of
// doubles as a baseline. Prints MB/s of each.
#include "files/inputset/inputset.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

korva::GridData BigModel() {
    using namespace korva;
    const int layers = 10, rows = 200, cols = 200;
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing.assign(rows, 25.0);
    ReaderContents(grid).columnSpacing.assign(cols, 12.5);
    ReaderContents(grid).layerSpacing.assign(layers, 30.0);
    grid.Resize(layers, rows, cols);
    unsigned seed = 12345;
    for (auto& [code, record] : ReaderContents(grid).parameters)
        for (double& v : record.values.Cells()) {
            seed = seed * 1103515245u + 12345u;
            v = code + (seed >> 8) % 100000 / 1000.0; // values such as 13.472
        }
    grid.AppendBoundary(NaturalBoundaryType, "river", {0, 0, 1});
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {0.02};
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {1.5};
    grid.AppendBoundary(NoFlowType, "rock", {0, 0, 0});
    for (int d = 0; d < 20; ++d)
        grid.AppendBoundary(DrainType, "drain " + std::to_string(d), {});
    grid.AppendBoundary(CollectorType, "main", {});
    for (int b = 0; b < 4; ++b)
        grid.AppendBoundary(BasinType, "basin " + std::to_string(b), {});
    grid.AppendBoundary(InactiveType, "air", {});
    for (int l = 0; l < layers; ++l)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                if (c == 0) ReaderContents(grid).memberships[NaturalBoundaryType].Set(l, r, c, 1);
                if (l == layers - 1) ReaderContents(grid).memberships[NoFlowType].Set(l, r, c, 1);
                if (r % 10 == 5)
                    ReaderContents(grid).memberships[DrainType].Set(l, r, c, 1 + c % 20);
                if (l == 0 && r < 5) ReaderContents(grid).memberships[InactiveType].Set(l, r, c, 1);
            }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            ReaderContents(grid).memberships[BasinType].Set(0, r, c, 1 + (r / 100) * 2 + c / 100);
    ReaderContents(grid).settings.simulationEnd = 365;
    ReaderContents(grid).settings.ETPeriod = {0, 364};
    ReaderContents(grid).settings.DailyETUsage.assign(365, 0.4);
    return grid;
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Every value of the eight files through operator>> into a double; a word
// that is not a number (the names) is stepped over.
double StreamBaseline(const std::string& base, double& checksum) {
    const auto start = Clock::now();
    for (const char* extension : korva::InputSetExtensions) {
        std::ifstream in(base + extension);
        double value = 0;
        for (;;) {
            if (in >> value) {
                checksum += value;
            } else if (in.eof()) {
                break;
            } else {
                in.clear();
                std::string word;
                in >> word;
            }
        }
    }
    return Seconds(start);
}

} // namespace

int main() {
    korva::CollectingMessageSink quiet;
    korva::ScopedMessageSink scope(quiet);
    const auto folder = std::filesystem::temp_directory_path() / "korva-inputset-bench";
    std::filesystem::create_directories(folder);
    const std::string base = (folder / "big").string();
    const korva::GridData model = BigModel();

    constexpr int rounds = 3;
    double bestWrite = 1e9, bestRead = 1e9, bestBaseline = 1e9, checksum = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = Clock::now();
        if (!korva::WriteModelInputFiles(model, base)) return 1;
        bestWrite = std::min(bestWrite, Seconds(start));

        korva::GridData read;
        read.ResetModel(1);
        start = Clock::now();
        if (!korva::ReadModelInputFiles(read, base)) {
            for (const auto& m : quiet.messages)
                std::fprintf(stderr, "%s\n", m.c_str());
            return 1;
        }
        bestRead = std::min(bestRead, Seconds(start));
        bestBaseline = std::min(bestBaseline, StreamBaseline(base, checksum));
    }
    double bytes = 0;
    for (const char* extension : korva::InputSetExtensions)
        bytes += static_cast<double>(std::filesystem::file_size(base + extension));
    const double mb = bytes / 1e6;
    std::printf("input set of 200 x 200 x 10 cells: %.1f MB in 8 files (best of %d)\n", mb, rounds);
    std::printf("write                 %7.3f s  %7.1f MB/s\n", bestWrite, mb / bestWrite);
    std::printf("read                  %7.3f s  %7.1f MB/s\n", bestRead, mb / bestRead);
    std::printf("ifstream >> double    %7.3f s  %7.1f MB/s   (baseline)\n", bestBaseline,
                mb / bestBaseline);
    std::printf("read speed-up over the baseline: %.1f x  (checksum %g)\n", bestBaseline / bestRead,
                checksum);
    std::filesystem::remove_all(folder);
    return 0;
}
