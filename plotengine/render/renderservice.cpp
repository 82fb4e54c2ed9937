#include "renderservice.h"

#include "chartcontrol.h"
#include "charterrors.h"
#include "chartrenderer.h"

#include <QApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <cstdlib>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace korva::plot {

struct RenderService::Impl {
    QObject* context = nullptr; // lives on the render thread; jobs are queued to it
    std::unique_ptr<ChartRenderer> renderer;
    std::thread ownThread;
    QApplication* ownApp = nullptr;

    ChartRenderer& Renderer() {
        if (!renderer) renderer = std::make_unique<ChartRenderer>();
        return *renderer;
    }
};

namespace {

RenderService::Impl* g_ownAppImpl = nullptr;

// Stops the private application's event loop at process exit, so that no
// drawing runs while the process tears its globals down.
void StopOwnApplication() {
    static std::mutex once;
    std::lock_guard lock(once); // registered twice; the second call finds nothing to do
    auto* impl = g_ownAppImpl;
    if (!impl || !impl->ownThread.joinable()) return;
    QMetaObject::invokeMethod(
        impl->context, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    impl->ownThread.join();
}

} // namespace

RenderService& RenderService::Instance() {
    static RenderService* service = new RenderService; // never destroyed: see StopOwnApplication
    return *service;
}

RenderService::RenderService() : impl_(new Impl) {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            throw ChartError(
                kErrDrawFailed,
                "The chart engine needs a QApplication; the host made a plain Qt application");
        impl_->context = new QObject;
        impl_->context->moveToThread(QCoreApplication::instance()->thread());
        return;
    }
    std::promise<void> ready;
    auto started = ready.get_future();
    Impl* impl = impl_;
    impl_->ownThread = std::thread([impl, &ready] {
        // Headless whatever the host's environment says: a server has no display.
        static int argc = 3;
        static char arg0[] = "korva-chart-engine", arg1[] = "-platform", arg2[] = "offscreen";
        static char* argv[] = {arg0, arg1, arg2, nullptr};
        auto* app = new QApplication(argc, argv);
        impl->ownApp = app;
        impl->context = new QObject;
        ready.set_value();
        app->exec();
        // The process is ending. Qt's global objects made after our exit
        // handler was registered are already gone, so destroying the
        // application or the chart now would touch freed memory: they stay
        // (still referenced) and the process releases them.
    });
    started.wait();
    g_ownAppImpl = impl_;
    std::atexit(StopOwnApplication);
}

void RenderService::Run(const std::function<void(ChartRenderer&)>& job) {
    std::exception_ptr failure;
    auto work = [this, &job, &failure] {
        try {
            job(impl_->Renderer());
        } catch (...) {
            failure = std::current_exception();
        }
    };
    if (QThread::currentThread() == impl_->context->thread()) {
        work();
    } else if (!QMetaObject::invokeMethod(impl_->context, work, Qt::BlockingQueuedConnection)) {
        throw ChartError(kErrDrawFailed, "The chart engine's render thread is not running");
    }
    // Qt Charts makes global objects during the first drawing; exit destroys
    // them before a handler registered earlier runs, so the render thread
    // could still be drawing with them. A handler registered now runs before
    // they go: it lets the current drawing finish and stops the loop.
    static std::once_flag afterFirstDrawing;
    if (impl_->ownThread.joinable())
        std::call_once(afterFirstDrawing, [] { std::atexit(StopOwnApplication); });
    if (failure) std::rethrow_exception(failure);
}

} // namespace korva::plot
