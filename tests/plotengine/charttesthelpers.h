#pragma once
// Shared helpers of the chart engine tests: a temporary folder, a chart
// filled with known data, and pixel counting on decoded images.
#include "chartcontrol.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>

namespace korva::plot::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A chart of `sets` sets of `points` points, set s rising from s + 1.
void FillLineChart(ChartControl& chart, int sets, int points, int width = 640, int height = 480);

// Pixels of image close to colour (within tolerance per channel) inside rect.
int CountColour(const QImage& image, QColor colour, QRect rect = {}, int tolerance = 24);

QColor PaletteQColor(int code);

} // namespace korva::plot::test
