// Graph1 in libpxserver.so: the project's chart engine. Loading the library
// makes every hidden form's chart a ChartControl of the engine.
#include "enginechart.h"

#include "chartcodes.h"
#include "chartcontrol.h"
#include "component.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <mutex>
#include <thread>

namespace korva::pxserver {
namespace {

// The engine's private application stops at process exit from a handler it
// registers before the first drawing; Qt Charts makes global text objects
// during that drawing, and exit destroys them before the engine's handler
// runs, while the render thread may still be laying out a chart from its
// queue. A handler registered after the first drawing runs before those
// objects go: it lets the render thread finish its queue and stop.
void StopRenderThreadAtExit() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) return;
    QThread* renderThread = app->thread();
    QMetaObject::invokeMethod(
        app,
        [] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::quit();
        },
        Qt::BlockingQueuedConnection);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!renderThread->isFinished() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void AfterFirstDrawing() {
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(StopRenderThreadAtExit); });
}

class EngineChart : public ChartSurface {
public:
    plot::PropertyValue Get(std::string_view name, std::optional<int> index) const override {
        return control_.Get(name, index);
    }
    void Set(std::string_view name, std::optional<int> index,
             const plot::PropertyValue& value) override {
        control_.Set(name, index, value);
        if (name == "DrawMode" &&
            value != plot::PropertyValue(static_cast<int16_t>(plot::kDrawHold)))
            AfterFirstDrawing(); // every mode but the hold draws, or has drawn
    }

private:
    plot::ChartControl control_;
};

const bool kEngineInstalled = [] {
    Component::Instance().SetChartFactory(EngineChartFactory());
    return true;
}();

} // namespace

ChartFactory EngineChartFactory() {
    return [] { return std::make_unique<EngineChart>(); };
}
} // namespace korva::pxserver
