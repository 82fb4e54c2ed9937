#include "offscreenrender.h"

#include "files/output/modeloutput.h"
#include "files/project/projectfile.h"
#include "glscenerenderer.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "renderoptions.h"
#include "view3d/scene/gridscene.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPalette>
#include <filesystem>
#include <iostream>
#include <memory>

namespace korva {

namespace {

QSurfaceFormat SceneFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    return format;
}

} // namespace

bool RenderSceneImage(const GridData& grid, const ViewSettings& settings,
                      const OffscreenRenderRequest& request, QImage& image, QString& error,
                      std::vector<std::string>* messages) {
    QOpenGLContext context;
    context.setFormat(SceneFormat());
    if (!context.create()) {
        // Qt's platforms reach Mesa through GLX here, so an X server (Xvfb
        // is enough) must be running; say so rather than fail mutely.
        error = QStringLiteral("No OpenGL 3.3 context could be created for drawing the grid "
                               "(is an X server running? xvfb-run will do).");
        return false;
    }
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) {
        error = QStringLiteral("The OpenGL context could not be made current off screen.");
        return false;
    }
    bool done = false;
    {
        QOpenGLFramebufferObjectFormat fboFormat;
        fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
        QOpenGLFramebufferObject fbo(request.width, request.height, fboFormat);
        GlSceneRenderer renderer;
        if (!fbo.isValid()) {
            error = QStringLiteral("No %1 x %2 framebuffer is available for the image.")
                        .arg(request.width)
                        .arg(request.height);
        } else if (renderer.Initialise(&error)) {
            GridScene scene(grid);
            scene.MutableSettings() = settings;
            scene.Rebuild(AllLists);
            if (messages)
                for (std::string& text : scene.TakeMessages())
                    messages->push_back(std::move(text));
            fbo.bind();
            renderer.Upload(scene);
            if (settings.BackgroundLoaded) renderer.SetBackgroundImage(request.background);
            const QColor clear = request.clearColour.isValid()
                                     ? request.clearColour
                                     : QGuiApplication::palette().color(QPalette::Button);
            renderer.Draw(scene, request.width, request.height, clear);
            if (const QString problem = renderer.TakeProblem(); !problem.isEmpty() && messages)
                messages->push_back(problem.toStdString());
            fbo.release();
            image = fbo.toImage().convertToFormat(QImage::Format_RGB32);
            renderer.Release();
            done = true;
        }
    }
    context.doneCurrent();
    return done;
}

namespace {

int Fail(const QString& why) {
    std::cerr << "korva --render: " << why.toStdString() << "\n";
    return 1;
}

// The outputs of the project's last run, as the program loads them.
bool LoadOutputs(GridData& grid, const QString& projectPath, QString& error) {
    if (grid.OutputBaseName().empty()) {
        error = projectPath + QStringLiteral(" names no outputs of a run");
        return false;
    }
    std::filesystem::path base(grid.OutputBaseName());
    if (base.is_relative())
        base = std::filesystem::path(projectPath.toStdString()).parent_path() / base;
    if (ReadModelOutput(grid, base.string(), grid.NumRows(), grid.NumColumns(), grid.NumLayers()) !=
        1) {
        error = QStringLiteral("the outputs of ") + QString::fromStdString(base.string()) +
                QStringLiteral(" could not be read");
        return false;
    }
    return true;
}

// Reads what to draw; nullopt after the reason went to standard error.
struct RenderJob {
    RenderOptions options;
    GridData grid;
    ViewSettings settings;
};

std::unique_ptr<RenderJob> PrepareJob(const QStringList& args, int& exitCode) {
    exitCode = 1;
    QString error;
    std::optional<RenderOptions> options = ParseRenderOptions(args, error);
    if (!options) {
        Fail(error);
        return nullptr;
    }
    auto job = std::make_unique<RenderJob>();
    job->options = *options;
    if (!ReadProjectFile(job->grid, options->projectPath.toStdString())) {
        Fail(QStringLiteral("cannot read the project ") + options->projectPath);
        return nullptr;
    }
    if (options->output && !LoadOutputs(job->grid, options->projectPath, error)) {
        Fail(error);
        return nullptr;
    }
    if (!ApplyRenderOptions(*options, job->grid, job->settings, error)) {
        Fail(error);
        return nullptr;
    }
    exitCode = 0;
    return job;
}

int Render(const RenderJob& job) {
    OffscreenRenderRequest request;
    request.width = job.options.width;
    request.height = job.options.height;
    QImage image;
    QString error;
    std::vector<std::string> messages;
    if (!RenderSceneImage(job.grid, job.settings, request, image, error, &messages))
        return Fail(error);
    for (const std::string& text : messages)
        std::cerr << text << "\n";
    QImageWriter writer(job.options.outputPath);
    if (!writer.write(image))
        return Fail(QStringLiteral("cannot write ") + job.options.outputPath +
                    QStringLiteral(": ") + writer.errorString());
    return 0;
}

} // namespace

int RunHeadlessRender(const QStringList& args) {
    // The command line and the project are checked before any display is
    // opened, so their mistakes are reported wherever korva runs.
    int exitCode = 1;
    const std::unique_ptr<RenderJob> job = PrepareJob(args, exitCode);
    if (!job) return exitCode;
    if (QCoreApplication::instance()) return Render(*job);
    // Without an X display Qt would abort looking for one; its offscreen
    // platform lets the OpenGL check below report the problem instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No window is shown; the application object only gives access to OpenGL.
    static int argc = 1;
    static char name[] = "korva";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    return Render(*job);
}

} // namespace korva
