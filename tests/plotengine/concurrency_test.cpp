// Many request threads drawing at once: every picture is its own chart.
#include "charttesthelpers.h"

#include <QImage>
#include <gtest/gtest.h>
#include <thread>

namespace korva::plot::test {
namespace {

TEST(Concurrency, ManyThreadsDrawingAtOnceGetTheirOwnCorrectCharts) {
    TempDir dir;
    const int colours[] = {1, 2, 4, 5, 6, 9, 10, 13};
    constexpr int kThreads = 8, kCharts = 6;
    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            try {
                for (int i = 0; i < kCharts; ++i) {
                    ChartControl c;
                    c.Set("GraphType", i % 2 ? 3 : 6);
                    c.Set("NumPoints", 4 + t);
                    c.Set("Width", 200 + 10 * t);
                    c.Set("Height", 150 + i);
                    c.Set("Color", 0, colours[t]);
                    c.Set("ThickLines", 1);
                    for (int p = 0; p < 4 + t; ++p)
                        c.Set("Data", p, 5.0 + p);
                    std::string path = dir.File(std::to_string(t) + "_" + std::to_string(i) +
                                                (i % 3 ? ".png" : ".gif"));
                    c.Set("ImageFile", path);
                    c.Set("DrawMode", 11);
                    QImage image(QString::fromStdString(path));
                    if (image.size() != QSize(200 + 10 * t, 150 + i))
                        failures[t] += path + " has the wrong size; ";
                    if (CountColour(image, PaletteQColor(colours[t]), {}, 6) < 50)
                        failures[t] += path + " lacks its colour; ";
                    for (int other : colours)
                        if (other != colours[t] &&
                            CountColour(image, PaletteQColor(other), {}, 6) > 20)
                            failures[t] += path + " shows another chart's colour; ";
                }
            } catch (const std::exception& e) {
                failures[t] += e.what();
            }
        });
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(failures[t], "") << "thread " << t;
}

} // namespace
} // namespace korva::plot::test
