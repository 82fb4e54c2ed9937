// Feeds the text grid import. The first byte chooses the settings (order,
// row direction, header lines, layer); the rest is the file, imported into a
// layered and a surface parameter and as No Flow elevations, then exported.
#include "files/text/textexport.h"
#include "files/text/textimport.h"
#include "model/griddata.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

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

    std::ostringstream out;
    WriteParameterExport(grid, moisture, out);
    WriteParameterExport(grid, ground, out);
    return 0;
}
