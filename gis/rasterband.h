#pragma once
// One band of a raster file (GeoTIFF, ESRI ASCII grid, any format GDAL
// reads), read onto a grid of a given number of rows and columns. A raster
// of another size is resampled over its whole extent, so its edges fall on
// the grid's edges.
#include <string>
#include <vector>

namespace korva {

enum class RasterResampling { Nearest, Average, Bilinear };

// "nearest", "average", "bilinear".
const char* RasterResamplingName(RasterResampling method);
// The method named name; false for another name.
bool RasterResamplingFromName(const std::string& name, RasterResampling& method);

struct RasterBand {
    int rasterRows = 0; // the size in the file
    int rasterColumns = 0;
    int rows = 0; // the size read
    int columns = 0;
    std::vector<double> values; // rows x columns, the raster's first (northern) row first
    bool hasNoData = false;
    double noData = 0.0;
    bool resampled = false;

    // True for a cell value that is the band's nodata value, or NaN.
    bool IsNoData(double value) const;
};

// A raster of more cells than this is refused: reading it would take
// minutes and the grid could not show its detail anyway.
constexpr long long MaxRasterCells = 4000000000LL;

// Reads band (1-based) of the raster at path onto rows x columns cells,
// resampled with method when the sizes differ. False, with a message in
// error, when GDAL cannot open or read the file, the band does not exist, or
// the raster cannot cover the grid (one row or column spread over several,
// an absurd size).
bool ReadRasterBand(const std::string& path, int band, int rows, int columns,
                    RasterResampling method, RasterBand& out, std::string& error);

} // namespace korva
