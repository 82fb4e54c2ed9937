#include "rasterprobe.h"

#include "gdalsetup.h"

#include <cpl_error.h>
#include <filesystem>
#include <gdal.h>

namespace korva {

bool ProbeRaster(const std::string& path, RasterProbe& probe) {
    probe = RasterProbe{};
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    SetUpGdal();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    GDALDatasetH data =
        GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
    CPLPopErrorHandler();
    if (data == nullptr) return false;
    GDALDriverH driver = GDALGetDatasetDriver(data);
    if (driver != nullptr) {
        probe.driver = GDALGetDriverShortName(driver);
        probe.formatName = GDALGetDriverLongName(driver);
    }
    probe.rows = GDALGetRasterYSize(data);
    probe.columns = GDALGetRasterXSize(data);
    probe.bands = GDALGetRasterCount(data);
    GDALClose(data);
    // A whitespace-separated table of numbers can pass for x y z points; the
    // user means a text grid then.
    if (probe.driver == "XYZ") return false;
    return probe.bands > 0;
}

} // namespace korva
