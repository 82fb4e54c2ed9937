// DrawGraph of a 4-set x 50-point line chart at 640 x 480 into JPEG, as a page
// does it: a new PXServerProp per chart, properties set, DrawGraph, release,
// the image deleted as SendImage would. Prints charts per second on one and
// on two request threads, and the engine alone for comparison.
//
//   bench_chartserver [seconds per run]
#include "chartcontrol.h"
#include "component.h"
#include "enginechart.h"
#include "pxserverprop.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace korva::pxserver;
using Clock = std::chrono::steady_clock;

constexpr int kSets = 4;
constexpr int kPoints = 50;

template <typename Chart> void SetChart(Chart&& set, int seed) {
    set("GraphType", std::nullopt, int16_t{6}); // line chart in the engine's codes
    set("NumSets", std::nullopt, int16_t{kSets});
    set("NumPoints", std::nullopt, int16_t{kPoints});
    set("GraphTitle", std::nullopt, std::string("Sales"));
    for (int16_t s = 0; s < kSets; ++s) {
        set("ThisSet", std::nullopt, s);
        for (int16_t i = 0; i < kPoints; ++i)
            set("Data", i, 10.0 * (s + 1) + 8 * std::sin(i / 6.0 + s + seed));
    }
}

// Time spent inside the engine's drawing modes, to tell the component's own
// share of DrawGraph from the drawing itself.
std::atomic<long long> drawModeNanos{0};
std::atomic<long long> drawGraphNanos{0};

class TimedEngineChart : public ChartSurface {
public:
    TimedEngineChart() : engine_(EngineChartFactory()()) {}
    korva::plot::PropertyValue Get(std::string_view name, std::optional<int> index) const override {
        return engine_->Get(name, index);
    }
    void Set(std::string_view name, std::optional<int> index,
             const korva::plot::PropertyValue& value) override {
        const auto start = Clock::now();
        engine_->Set(name, index, value);
        if (name == "DrawMode") drawModeNanos += (Clock::now() - start).count();
    }

private:
    std::unique_ptr<ChartSurface> engine_;
};

bool DrawOne(const std::string& folder, int seed) {
    PXServerProp prop;
    prop.SetPath(folder);
    prop.Put("Width", std::nullopt, int16_t{638}); // the control adds its 2-pixel border
    prop.Put("Height", std::nullopt, int16_t{478});
    SetChart([&](const char* n, std::optional<int16_t> i, auto v) { prop.Put(n, i, v); }, seed);
    const auto start = Clock::now();
    const std::string address = prop.DrawGraph("");
    drawGraphNanos += (Clock::now() - start).count();
    if (address.rfind("images/PX", 0) != 0) {
        std::fprintf(stderr, "DrawGraph: %s\n", address.c_str());
        return false;
    }
    std::filesystem::remove(folder + address.substr(7) + ".JPG");
    return true;
}

bool DrawEngineOnly(const std::string& folder, int seed, int thread) {
    korva::plot::ChartControl chart;
    chart.Set("Width", int16_t{640});
    chart.Set("Height", int16_t{480});
    SetChart([&](const char* n, std::optional<int16_t> i,
                 auto v) { chart.Set(n, i ? std::optional<int>(*i) : std::nullopt, v); },
             seed);
    const std::string file = folder + "engine" + std::to_string(thread) + ".JPG";
    chart.Set("ImageFile", file);
    chart.Set("DrawMode", int16_t{6});
    return std::filesystem::remove(file);
}

template <typename Draw> double Run(int threads, double seconds, Draw draw) {
    std::atomic<long> charts{0};
    std::atomic<bool> failed{false};
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int n = 0; Clock::now() < end && !failed; ++n) {
                if (!draw(n, t))
                    failed = true;
                else
                    ++charts;
            }
        });
    for (auto& worker : workers)
        worker.join();
    if (failed) std::exit(1);
    return charts / std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const auto root =
        std::filesystem::temp_directory_path() / ("pxserver-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "etc");
    std::filesystem::create_directories(root / "images");
    ::setenv("PXSERVER_SYSCONFDIR", (root / "etc").c_str(), 1);
    Component::Instance().SetOwnFolder(root.string());
    Component::Instance().SetChartFactory([] { return std::make_unique<TimedEngineChart>(); });
    const std::string images = (root / "images").string() + "/";

    DrawOne(images, 0); // starts the engine's render thread
    std::printf("DrawGraph, 4 sets x 50 points, 640 x 480 JPEG, %.1f s per run\n", seconds);
    // Interleaved, so that a warming or busy machine weighs on both alike.
    for (int threads : {1, 2}) {
        const double engine =
            Run(threads, seconds, [&](int n, int t) { return DrawEngineOnly(images, n, t); });
        const double drawGraph =
            Run(threads, seconds, [&](int n, int) { return DrawOne(images, n); });
        std::printf("  %d thread%s: DrawGraph %7.1f charts/s   (engine alone %7.1f charts/s)\n",
                    threads, threads > 1 ? "s" : " ", drawGraph, engine);
    }
    std::printf("  DrawGraph's time inside the engine's drawing: %.1f %%\n",
                100.0 * double(drawModeNanos) / double(std::max(1LL, drawGraphNanos.load())));
    std::filesystem::remove_all(root);
    return 0;
}
