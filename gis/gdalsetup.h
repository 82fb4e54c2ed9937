#pragma once
// GDAL's drivers and the settings every raster read here shares; called
// before each open, it does its work once per process.
namespace korva {

void SetUpGdal();

} // namespace korva
