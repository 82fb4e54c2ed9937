// Charts per second of the chart engine: a 4-set × 50-point line chart at
// 640 × 480 written as JPEG through ChartControl, from one and from two
// request threads, with the share of the time that goes to setting the
// properties, laying the chart out and writing the file, and what long titles
// and legends cost a drawing in time and peak memory.
#include "chartcontrol.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using korva::plot::ChartControl;
using Clock = std::chrono::steady_clock;

namespace {

void SetUp(ChartControl& c, int seed) {
    c.Set("NumSets", 4);
    c.Set("NumPoints", 50);
    c.Set("Width", 640);
    c.Set("Height", 480);
    c.Set("GraphType", 6);
    c.Set("GraphTitle", "Benchmark");
    c.Set("LeftTitle", "Value");
    c.Set("BottomTitle", "Point");
    c.Set("GridStyle", 3);
    for (int s = 0; s < 4; ++s) {
        c.Set("Legend", s, "Set " + std::to_string(s + 1));
        c.Set("ThisSet", s);
        for (int p = 0; p < 50; ++p)
            c.Set("Data", p, (s + 1) * 10.0 + ((p * 7 + seed) % 13));
    }
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Draws `charts` charts on each of `threads` threads; returns charts per second.
double Run(int threads, int charts, const std::string& dir, const char* ext) {
    auto start = Clock::now();
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([=] {
            for (int i = 0; i < charts; ++i) {
                ChartControl c;
                SetUp(c, i);
                c.Set("ImageFile",
                      dir + "/t" + std::to_string(t) + "_" + std::to_string(i % 4) + ext);
                c.Set("DrawMode", 11);
            }
        });
    for (auto& th : pool)
        th.join();
    return threads * charts / Seconds(start);
}

// The process's peak resident memory in kilobytes.
long PeakKilobytes() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// A chart whose title, axis titles and legends are `size` bytes long each.
void LongTexts(const std::string& dir, std::size_t size) {
    const std::string text(size, 'W');
    const long before = PeakKilobytes();
    auto start = Clock::now();
    ChartControl c;
    SetUp(c, 0);
    for (const char* name : {"GraphTitle", "LeftTitle", "BottomTitle"})
        c.Set(name, text);
    for (int s = 0; s < 4; ++s)
        c.Set("Legend", s, text);
    c.Set("ImageFile", dir + "/long.png");
    c.Set("DrawMode", 6);
    std::printf("7 texts of %8zu bytes: %8.1f ms, peak memory +%ld KB\n", size,
                Seconds(start) * 1e3, PeakKilobytes() - before);
}

} // namespace

int main(int argc, char** argv) {
    int charts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::string dir =
        (std::filesystem::temp_directory_path() / ("korva-plot-bench-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(dir);
    Run(1, 5, dir, ".jpg"); // starts the render thread, loads fonts and plugins

    std::printf("4 sets x 50 points, 640 x 480, %d charts per thread\n", charts);
    std::printf("JPEG, 1 thread : %7.1f charts/s\n", Run(1, charts, dir, ".jpg"));
    std::printf("JPEG, 2 threads: %7.1f charts/s\n", Run(2, charts, dir, ".jpg"));
    std::printf("PNG,  1 thread : %7.1f charts/s\n", Run(1, charts / 2, dir, ".png"));
    std::printf("GIF,  1 thread : %7.1f charts/s\n", Run(1, charts / 2, dir, ".gif"));

    // Where the time goes, per chart.
    auto start = Clock::now();
    for (int i = 0; i < charts; ++i) {
        ChartControl c;
        SetUp(c, i);
    }
    double setup = Seconds(start) / charts;
    ChartControl c;
    SetUp(c, 0);
    start = Clock::now();
    for (int i = 0; i < charts; ++i)
        c.Set("DrawMode", 2);
    double layout = Seconds(start) / charts;
    c.Set("ImageFile", dir + "/one.jpg");
    start = Clock::now();
    for (int i = 0; i < charts; ++i)
        c.Set("DrawMode", 11);
    double full = Seconds(start) / charts;
    std::printf("per chart: properties %.3f ms, build + layout %.3f ms, "
                "build + paint + JPEG %.3f ms\n",
                setup * 1e3, layout * 1e3, full * 1e3);
    for (std::size_t size : {1000u, 30000u, 1u << 20})
        LongTexts(dir, size);
    std::filesystem::remove_all(dir);
    return 0;
}
