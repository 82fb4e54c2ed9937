#pragma once
// What the "Raster Import Settings" dialog shows and accepts, without the
// window: the raster's size against the grid's, whether it will be resampled,
// the band, resampling and layer entries, and the reading of the choices.
#include "gis/rasterband.h"
#include "gis/rasterprobe.h"

#include <QString>
#include <QStringList>

namespace korva {

struct RasterImportSettings {
    int band = 1; // 1-based
    RasterResampling resampling = RasterResampling::Average;
    bool reverseRows = true; // the raster's first (northern) row is the grid's last
    int layer = 0;           // 0-based: this layer and every layer below it
};

class RasterImportForm {
public:
    // raster: what the file holds; rows x columns: the grid's size; layers:
    // the "Layer:" entries, withLayer false for a surface parameter.
    RasterImportForm(const RasterProbe& raster, int rows, int columns, int layers, bool withLayer);

    bool HasLayerChoice() const { return withLayer_; }
    // True when the raster's size is not the grid's: it is spread over the
    // grid with the chosen resampling, which matters only then.
    bool Resamples() const;
    // "GeoTIFF, 40 rows x 60 columns, 1 band" and what happens to it.
    QString Description() const;
    QStringList BandEntries() const;
    QStringList LayerEntries() const;
    // "Average", "Nearest", "Bilinear", in the order of ResamplingAt.
    static QStringList ResamplingEntries();
    static RasterResampling ResamplingAt(int entry);
    static int ResamplingEntry(RasterResampling method);

    // The settings of the chosen entries; false with message for an entry
    // outside its list.
    bool Read(int bandEntry, int resamplingEntry, bool reverseRows, int layerEntry,
              RasterImportSettings& settings, QString& message) const;

private:
    RasterProbe raster_;
    int rows_;
    int columns_;
    int layers_;
    bool withLayer_;
};

} // namespace korva
