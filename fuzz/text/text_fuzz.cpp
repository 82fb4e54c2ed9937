// Feeds the text grid import. The first byte chooses the settings (order,
// row direction, header lines, layer); the rest is the file, imported into a
// layered and a surface parameter and as No Flow elevations, then exported.
// The number reader also reads the file as a stream cut at a byte limit: it
// must read exactly what it reads from the text cut there in memory.
#include "files/text/textexport.h"
#include "files/text/textimport.h"
#include "files/text/textimportreader.h"
#include "model/griddata.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<double> Numbers(korva::TextImportReader& reader, int skip, bool& skipped) {
    skipped = reader.SkipLines(skip);
    std::vector<double> numbers;
    double value = 0.0;
    while (numbers.size() < 4096 && reader.Next(value))
        numbers.push_back(value);
    return numbers;
}

// Compares the streamed reader with the in-memory one on the same bytes.
void CheckStreamedReader(const std::string& text, int skip, std::size_t limit) {
    std::istringstream stream(text);
    korva::TextImportReader streamed(stream, limit);
    korva::TextImportReader held(std::string_view(text).substr(0, limit));
    bool streamedSkipped = false;
    bool heldSkipped = false;
    const std::vector<double> a = Numbers(streamed, skip, streamedSkipped);
    const std::vector<double> b = Numbers(held, skip, heldSkipped);
    if (a.size() != b.size()) __builtin_trap();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && !(a[i] != a[i] && b[i] != b[i])) __builtin_trap();
    // Only a stream with bytes beyond the limit can reach it.
    if (streamed.LimitReached() && limit >= text.size()) __builtin_trap();
    if (!streamedSkipped && !streamed.LimitReached()) __builtin_trap();
    (void)heldSkipped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korva;
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing.assign(3, 10.0);
    ReaderContents(grid).columnSpacing.assign(4, 10.0);
    ReaderContents(grid).layerSpacing = {30.0, 50.0, 20.0};
    grid.Resize(3, 3, 4);
    grid.AppendBoundary(NoFlowType, "wall", RgbColor{0, 0, 1});

    ImportSettings settings;
    settings.format = choice & 1 ? RowColumnFormat : ColumnRowFormat;
    settings.reverseRows = (choice & 2) != 0;
    settings.linesToSkip = (choice >> 2) & 7;
    settings.layer = (choice >> 5) % 3;
    settings.noDataValue = (choice & 0x80) ? 0.0 : NoDataValue;

    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    std::istringstream first(text);
    ImportParameterValues(grid, moisture, first, settings);
    std::istringstream second(text);
    ImportParameterValues(grid, ground, second, settings);
    std::istringstream third(text);
    ImportBoundaryElevations(grid, NoFlowType, 1, third, settings);

    CheckStreamedReader(text, settings.linesToSkip, text.size());
    CheckStreamedReader(text, settings.linesToSkip, text.size() / 2);
    CheckStreamedReader(text, settings.linesToSkip, choice % (text.size() + 1));

    std::ostringstream out;
    WriteParameterExport(grid, moisture, out);
    WriteParameterExport(grid, ground, out);
    return 0;
}
