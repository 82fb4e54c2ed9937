// The entry point of libkorva_chartimage.so (see chartimageplugin.h).
#include "chartimageplugin.h"

#include "chartimage.h"
#include "chartmodel.h"
#include "chartsettingsfile.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

void CopyError(const std::string& text, char* error, std::size_t size) {
    if (error == nullptr || size == 0) return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(error, text.data(), n);
    error[n] = '\0';
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
korva_chartimage_write(const char* settings, size_t size, int width, int height, const char* path,
                       char* error, size_t errorSize) {
    try {
        // Qt Charts needs a QApplication. A command-line host has none, and
        // no display either: draw offscreen for the length of this call.
        std::unique_ptr<QApplication> application;
        if (QApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "korva-batch";
            static char* argv[] = {name, nullptr};
            // Qt's notes about the missing session (no XDG_RUNTIME_DIR on a
            // server) are no messages for the tool's user.
            qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                    if (type == QtCriticalMsg || type == QtFatalMsg)
                        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
                });
            application = std::make_unique<QApplication>(argc, argv);
        }
        korva::plot::ChartModel model;
        korva::plot::ApplyChartSettings(model, std::string_view(settings, size));
        std::string reason;
        if (!korva::charts::WriteChartImage(model, width, height, path, reason)) {
            CopyError(reason, error, errorSize);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        CopyError(e.what(), error, errorSize);
        return 1;
    } catch (...) {
        CopyError("the chart could not be drawn", error, errorSize);
        return 1;
    }
}
