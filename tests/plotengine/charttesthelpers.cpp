#include "charttesthelpers.h"

#include "chartcodes.h"

#include <atomic>
#include <unistd.h>

namespace korva::plot::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("korva-plot-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void FillLineChart(ChartControl& chart, int sets, int points, int width, int height) {
    chart.Set("NumSets", sets);
    chart.Set("NumPoints", points);
    chart.Set("Width", width);
    chart.Set("Height", height);
    for (int s = 0; s < sets; ++s) {
        chart.Set("ThisSet", s);
        for (int p = 0; p < points; ++p)
            chart.Set("Data", p, (s + 1) * 10.0 + p);
    }
}

int CountColour(const QImage& image, QColor colour, QRect rect, int tolerance) {
    if (rect.isNull()) rect = image.rect();
    rect = rect.intersected(image.rect());
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                ++n;
        }
    return n;
}

QColor PaletteQColor(int code) {
    return QColor::fromRgb(kPaletteRgb[code]);
}

} // namespace korva::plot::test
