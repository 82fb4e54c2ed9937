// Feeds the readers of the solver's output files. The input is split at each
// line "--8<--" into the texts of base.day, base-1.kvo, base-2.kvo and
// base_MC.tss (a missing part is a missing file), and read as the program
// reads a run's outputs for a 2-layer, 3-row, 4-column grid; each part is
// also parsed on its own.
#include "files/output/modeloutput.h"
#include "files/output/modeloutputday.h"
#include "files/output/modeloutputgrid.h"
#include "files/output/modeloutputseries.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

class QuietSink : public korva::MessageSink {
public:
    void ShowMessage(const std::string&) override {}
};

std::vector<std::string> SplitParts(std::string_view input) {
    std::vector<std::string> parts;
    constexpr std::string_view separator = "--8<--\n";
    for (;;) {
        const std::size_t at = input.find(separator);
        parts.emplace_back(input.substr(0, at));
        if (at == std::string_view::npos) break;
        input.remove_prefix(at + separator.size());
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korva;
    QuietSink sink;
    ScopedMessageSink scope(sink);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> parts = SplitParts(input);

    // Each reader alone.
    OutputTimeList list;
    ParseOutputTimeList(parts[0], "fuzz.day", list);
    std::vector<KORVAOutputData> outputs;
    const OutputGridShape shape{3, 4, 2};
    ReadGridOutputText(outputs, parts[0], "fuzz-1.kvo", shape, 0, 2, 1.0);
    ReadGridOutputText(outputs, parts.back(), "fuzz-2.kvo", shape, 1, 2, 2.0);
    std::vector<TimeSeriesRecord> cells, averages;
    ParseTimeSeriesText(parts.back(), cells, averages);
    SortCellSeries(cells);

    // The whole read with post-processing, over files held in memory.
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing.assign(3, 10.0);
    ReaderContents(grid).columnSpacing.assign(4, 10.0);
    ReaderContents(grid).layerSpacing.assign(2, 50.0);
    grid.Resize(2, 3, 4);
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    for (int c = 0; c < 3; ++c)
        grid.SetValue(ground, 0, 0, c, 1.0 + c);
    const char* suffixes[] = {".day", "-1.kvo", "-2.kvo", "_MC.tss"};
    auto readFile = [&](const std::string& path, std::string& text) {
        for (std::size_t i = 0; i < 4 && i < parts.size(); ++i) {
            if (path == std::string("fuzz") + suffixes[i]) {
                text = parts[i];
                return true;
            }
        }
        return false;
    };
    ReadModelOutput(grid, "fuzz", 3, 4, 2, readFile);
    double value = 0;
    const int quantities = static_cast<int>(grid.Outputs().gridOutputs.size());
    for (int q = -1; q <= quantities; ++q)
        for (int t = 0; t < 3; ++t)
            for (int k = -1; k < 3; ++k)
                grid.GetLocatedOutputValue(q, t, k, 2, 3, value);
    return 0;
}
