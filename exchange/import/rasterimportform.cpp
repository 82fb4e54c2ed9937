#include "rasterimportform.h"

#include <algorithm>

namespace korva {

namespace {

QString Count(int n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

constexpr RasterResampling Methods[] = {RasterResampling::Average, RasterResampling::Nearest,
                                        RasterResampling::Bilinear};

} // namespace

RasterImportForm::RasterImportForm(const RasterProbe& raster, int rows, int columns, int layers,
                                   bool withLayer)
    : raster_(raster), rows_(rows), columns_(columns), layers_(std::max(layers, 1)),
      withLayer_(withLayer) {}

bool RasterImportForm::Resamples() const {
    return raster_.rows != rows_ || raster_.columns != columns_;
}

QString RasterImportForm::Description() const {
    QString text =
        QString::fromStdString(raster_.formatName.empty() ? raster_.driver : raster_.formatName);
    text += QStringLiteral(", ") + Count(raster_.rows, "row", "rows") + QStringLiteral(" x ") +
            Count(raster_.columns, "column", "columns") + QStringLiteral(", ") +
            Count(raster_.bands, "band", "bands") + QStringLiteral(".\n");
    if (Resamples())
        text += QStringLiteral("The grid has ") + Count(rows_, "row", "rows") +
                QStringLiteral(" x ") + Count(columns_, "column", "columns") +
                QStringLiteral(": the raster is resampled over its whole extent onto the grid.");
    else
        text += QStringLiteral("It has the grid's size: one raster cell per grid cell.");
    return text;
}

QStringList RasterImportForm::BandEntries() const {
    QStringList entries;
    for (int b = 1; b <= raster_.bands; ++b)
        entries << QString::number(b);
    return entries;
}

QStringList RasterImportForm::LayerEntries() const {
    QStringList entries;
    for (int k = 1; k <= layers_; ++k)
        entries << QString::number(k);
    return entries;
}

QStringList RasterImportForm::ResamplingEntries() {
    return {QStringLiteral("Average"), QStringLiteral("Nearest"), QStringLiteral("Bilinear")};
}

RasterResampling RasterImportForm::ResamplingAt(int entry) {
    return entry >= 0 && entry < 3 ? Methods[entry] : RasterResampling::Average;
}

int RasterImportForm::ResamplingEntry(RasterResampling method) {
    for (int i = 0; i < 3; ++i)
        if (Methods[i] == method) return i;
    return 0;
}

bool RasterImportForm::Read(int bandEntry, int resamplingEntry, bool reverseRows, int layerEntry,
                            RasterImportSettings& settings, QString& message) const {
    if (bandEntry < 0 || bandEntry >= raster_.bands) {
        message = QStringLiteral("Choose a band from 1 to %1.").arg(raster_.bands);
        return false;
    }
    if (resamplingEntry < 0 || resamplingEntry >= 3) {
        message = QStringLiteral("Choose how the raster is resampled.");
        return false;
    }
    if (withLayer_ && (layerEntry < 0 || layerEntry >= layers_)) {
        message = QStringLiteral("Choose a layer from 1 to %1.").arg(layers_);
        return false;
    }
    settings.band = bandEntry + 1;
    settings.resampling = ResamplingAt(resamplingEntry);
    settings.reverseRows = reverseRows;
    settings.layer = withLayer_ ? layerEntry : 0;
    return true;
}

} // namespace korva
