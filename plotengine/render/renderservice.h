#pragma once
// RenderService: the engine's one render thread. Qt Charts must be driven
// from a single thread, so every drawing of every ChartControl runs there,
// one after the other; a request thread hands its job over and waits.
//
// In a host without a Qt application (a web server loading the chart
// server, a script through ctypes) the service starts its own offscreen
// QApplication on a private thread and stops it when the process exits. In a
// host that has a QApplication (the desktop program) the jobs run on that
// application's thread, whose event loop must then be running.
#include <functional>

namespace korva::plot {

class ChartRenderer;

class RenderService {
public:
    static RenderService& Instance();

    // Runs job on the render thread and waits for it; an exception thrown by
    // the job is rethrown here.
    void Run(const std::function<void(ChartRenderer&)>& job);

    RenderService(const RenderService&) = delete;
    RenderService& operator=(const RenderService&) = delete;

    struct Impl;

private:
    RenderService();
    Impl* impl_; // lives until the process ends
};

} // namespace korva::plot
