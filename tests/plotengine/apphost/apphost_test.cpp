// The engine in a host that has its own QApplication (the desktop program):
// drawings run on the application's thread, whether they come from that
// thread or from workers while its event loop runs.
#include "../charttesthelpers.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace korva::plot::test {
namespace {

TEST(ApplicationHost, DrawsOnTheApplicationsOwnThread) {
    TempDir dir;
    ChartControl c;
    FillLineChart(c, 2, 10, 320, 200);
    c.Set("Color", 0, 4);
    c.Set("ImageFile", dir.File("gui.png"));
    c.Set("DrawMode", 11);
    QImage image(QString::fromStdString(dir.File("gui.png")));
    EXPECT_EQ(image.size(), QSize(320, 200));
    EXPECT_GT(CountColour(image, PaletteQColor(4), {}, 8), 50);
}

TEST(ApplicationHost, WorkerThreadsDrawWhileTheEventLoopRuns) {
    TempDir dir;
    std::atomic<int> finished{0}, good{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            try {
                ChartControl c;
                FillLineChart(c, 1, 8, 200 + t, 150);
                c.Set("Color", 0, 2);
                std::string path = dir.File("w" + std::to_string(t) + ".png");
                c.Set("ImageFile", path);
                c.Set("DrawMode", 11);
                QImage image(QString::fromStdString(path));
                if (image.width() == 200 + t && CountColour(image, PaletteQColor(2), {}, 8) > 30)
                    ++good;
            } catch (...) {
            }
            ++finished;
        });
    // The GUI thread keeps serving the queued drawings.
    while (finished < 4)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(good, 4);
}

} // namespace
} // namespace korva::plot::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int result = 1;
    QTimer::singleShot(0, [&] {
        result = RUN_ALL_TESTS();
        QCoreApplication::quit();
    });
    app.exec();
    return result;
}
