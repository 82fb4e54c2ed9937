#pragma once
// Helpers of the exchange tests: files the tests write (text grids, GeoTIFFs
// through GDAL), a dialog answered as soon as it opens, and folders of their own.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gdal.h>
#include <memory>
#include <string>
#include <vector>

namespace korva::test {

// Writes a one-band Float64 GeoTIFF of height x width values, value(row,
// column) with row 0 the first (northern) row, and nodata as the band's
// nodata value.
inline bool WriteGeoTiff(const std::string& path, int height, int width,
                         const std::function<double(int, int)>& value, double nodata = -9999.0) {
    GDALAllRegister();
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    if (driver == nullptr) return false;
    GDALDatasetH data = GDALCreate(driver, path.c_str(), width, height, 1, GDT_Float64, nullptr);
    if (data == nullptr) return false;
    std::vector<double> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            values[static_cast<std::size_t>(r * width + c)] = value(r, c);
    GDALRasterBandH band = GDALGetRasterBand(data, 1);
    GDALSetRasterNoDataValue(band, nodata);
    const bool ok = GDALRasterIO(band, GF_Write, 0, 0, width, height, values.data(), width, height,
                                 GDT_Float64, 0, 0) == CE_None;
    GDALClose(data);
    return ok;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Runs answer on the first dialog of type D that opens modally after this
// call (answer accepts or rejects it), so code that calls exec() can be
// tested as a user would drive it.
template <class D> void WhenDialogOpens(std::function<void(D&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    // Gives up after ten seconds, so a dialog that never opens cannot catch a
    // later test's dialog.
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, ticks] {
        if (++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
            // Another dialog came instead: close it, so the test fails
            // instead of waiting for ever.
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start();
}

// Saves what widget shows to KORVA_SCREENSHOTS/name.png when that variable
// names a folder (for looking at the dialogs; the tests do not need it).
inline void Screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("KORVA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace korva::test
