#pragma once
// What a file is as a raster, before it is read: whether GDAL recognises it,
// its size and bands. The desktop program's import uses it to choose between
// the raster import and the plain text grid import.
#include <string>

namespace korva {

struct RasterProbe {
    std::string driver;     // GDAL's short name of the format ("GTiff", "AAIGrid")
    std::string formatName; // its long name ("GeoTIFF")
    int rows = 0;
    int columns = 0;
    int bands = 0;
};

// True when GDAL opens path as a raster in a format that is a raster of its
// own. Plain text that GDAL merely takes for a list of x y z points ("XYZ")
// is not: such a file is a text grid for the text import. False for a file
// GDAL does not open at all.
bool ProbeRaster(const std::string& path, RasterProbe& probe);

} // namespace korva
