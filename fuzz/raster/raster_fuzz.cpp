// Feeds the raster import of the desktop program and korva-batch: the bytes
// are a file GDAL may or may not take for a raster (the first byte chooses
// the file's ending, so the drivers that go by it are reached too). When the
// probe takes it for a raster, its first band is read onto a small grid with
// each resampling and imported into a layered and a surface parameter with
// undo; undoing must give back the model exactly.
#include "files/project/projectfile.h"
#include "gis/rasterband.h"
#include "gis/rasterimport.h"
#include "gis/rasterprobe.h"
#include "model/griddata.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string ModelText(const korva::GridData& grid) {
    std::ostringstream out;
    korva::WriteProjectFile(grid, out);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const char* const endings[] = {".tif", ".asc", ".txt", ".grd", ".img", ""};
    const std::string path =
        (std::filesystem::temp_directory_path() / ("korva-raster-fuzz-" + std::to_string(getpid())))
            .string() +
        endings[data[0] % 6];
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    korva::RasterProbe probe;
    if (korva::ProbeRaster(path, probe)) {
        korva::GridData grid;
        grid.ResetModel(1);
        korva::ReaderContents(grid).rowSpacing.assign(3, 10.0);
        korva::ReaderContents(grid).columnSpacing.assign(4, 10.0);
        korva::ReaderContents(grid).layerSpacing.assign(2, 100.0);
        grid.Resize(2, 3, 4);
        const std::string before = ModelText(grid);
        for (korva::RasterResampling method :
             {korva::RasterResampling::Nearest, korva::RasterResampling::Average,
              korva::RasterResampling::Bilinear}) {
            korva::RasterBand band;
            std::string error;
            if (!korva::ReadRasterBand(path, 1, 3, 4, method, band, error)) continue;
            for (int code :
                 {korva::GridData::InitialMoistureContent, korva::GridData::GroundElevation}) {
                korva::UndoRecord undo;
                const std::size_t set = korva::ImportRasterValues(
                    grid, grid.ParameterIndexOfCode(code), band, data[0] % 2 == 0, 1, &undo);
                if (set > 0) grid.Revert(undo);
                if (ModelText(grid) != before) __builtin_trap();
            }
        }
    }
    std::filesystem::remove(path);
    return 0;
}
