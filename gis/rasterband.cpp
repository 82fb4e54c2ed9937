#include "rasterband.h"

#include "gdalsetup.h"

#include <cmath>
#include <cpl_error.h>
#include <gdal.h>

namespace korva {

namespace {

// GDAL's own message for the last failure, or fallback.
std::string GdalReason(const std::string& fallback) {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? std::string(message) : fallback;
}

// Keeps GDAL from printing its messages on standard error while a raster is
// read: they come back through CPLGetLastErrorMsg into our own message.
class QuietGdal {
public:
    QuietGdal() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

class Dataset {
public:
    explicit Dataset(const std::string& path) : handle_(GDALOpen(path.c_str(), GA_ReadOnly)) {}
    ~Dataset() {
        if (handle_ != nullptr) GDALClose(handle_);
    }
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;
    GDALDatasetH Get() const { return handle_; }

private:
    GDALDatasetH handle_;
};

GDALRIOResampleAlg GdalMethod(RasterResampling method) {
    switch (method) {
    case RasterResampling::Nearest:
        return GRIORA_NearestNeighbour;
    case RasterResampling::Bilinear:
        return GRIORA_Bilinear;
    case RasterResampling::Average:
        break;
    }
    return GRIORA_Average;
}

std::string Plural(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

const char* RasterResamplingName(RasterResampling method) {
    switch (method) {
    case RasterResampling::Nearest:
        return "nearest";
    case RasterResampling::Bilinear:
        return "bilinear";
    case RasterResampling::Average:
        break;
    }
    return "average";
}

bool RasterResamplingFromName(const std::string& name, RasterResampling& method) {
    for (RasterResampling m :
         {RasterResampling::Nearest, RasterResampling::Average, RasterResampling::Bilinear}) {
        if (name == RasterResamplingName(m)) {
            method = m;
            return true;
        }
    }
    return false;
}

bool RasterBand::IsNoData(double value) const {
    // NaN is never a value a cell could hold, whatever the band declares.
    if (std::isnan(value)) return true;
    return hasNoData && value == noData;
}

bool ReadRasterBand(const std::string& path, int band, int rows, int columns,
                    RasterResampling method, RasterBand& out, std::string& error) {
    SetUpGdal();
    QuietGdal quiet;
    out = RasterBand{};
    Dataset dataset(path);
    if (dataset.Get() == nullptr) {
        error = "cannot read " + path + " as a raster: " + GdalReason("not a raster GDAL knows");
        return false;
    }
    const int bands = GDALGetRasterCount(dataset.Get());
    if (band < 1 || band > bands) {
        error = path + " has " + Plural(bands, "band", "bands") + "; there is no band " +
                std::to_string(band);
        return false;
    }
    const int width = GDALGetRasterXSize(dataset.Get());
    const int height = GDALGetRasterYSize(dataset.Get());
    const long long cells = static_cast<long long>(width) * height;
    if (width < 1 || height < 1 || cells > MaxRasterCells) {
        error = path + " has an absurd size of " + std::to_string(width) + " x " +
                std::to_string(height) + " cells";
        return false;
    }
    // One row (or column) cannot be spread over several: the grid would get
    // stripes that are not in the data.
    if ((height == 1 && rows > 1) || (width == 1 && columns > 1)) {
        error = path + " has " + Plural(height, "row", "rows") + " and " +
                Plural(width, "column", "columns") + "; it cannot cover the grid's " +
                Plural(rows, "row", "rows") + " and " + Plural(columns, "column", "columns");
        return false;
    }
    GDALRasterBandH handle = GDALGetRasterBand(dataset.Get(), band);
    out.rasterRows = height;
    out.rasterColumns = width;
    out.rows = rows;
    out.columns = columns;
    out.resampled = height != rows || width != columns;
    int hasNoData = 0;
    const double noData = GDALGetRasterNoDataValue(handle, &hasNoData);
    out.hasNoData = hasNoData != 0;
    out.noData = noData;
    out.values.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0.0);

    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    extra.eResampleAlg = GdalMethod(method);
    const CPLErr result = GDALRasterIOEx(handle, GF_Read, 0, 0, width, height, out.values.data(),
                                         columns, rows, GDT_Float64, 0, 0, &extra);
    if (result != CE_None) {
        error = "cannot read band " + std::to_string(band) + " of " + path + ": " +
                GdalReason("the data is damaged");
        out.values.clear();
        return false;
    }
    return true;
}

} // namespace korva
