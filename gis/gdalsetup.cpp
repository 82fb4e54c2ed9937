#include "gdalsetup.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <mutex>

namespace korva {

void SetUpGdal() {
    static std::once_flag once;
    std::call_once(once, [] {
        // An ESRI ASCII grid holds decimal text; GDAL reads it as 32-bit
        // floats unless told otherwise, so 0.21 would arrive as 0.2099999934
        // and differ from the same grid imported as text.
        if (CPLGetConfigOption("AAIGRID_DATATYPE", nullptr) == nullptr)
            CPLSetConfigOption("AAIGRID_DATATYPE", "Float64");
        GDALAllRegister();
    });
}

} // namespace korva
