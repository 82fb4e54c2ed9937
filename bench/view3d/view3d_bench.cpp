// Prints what the 3D view costs on large grids: building the scene, the GPU
// bytes kept per drawn cell, a full repaint and a rotation repaint (grid lines
// only), at 100 x 100 x 100 and 100 x 100 x 10 cells with every cell drawn;
// then "korva --render" of a 900k-cell project against "korva-batch info" of
// the same file. Run it under Xvfb: xvfb-run -a build/bin/view3d_bench
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "view3d/render/glscenerenderer.h"
#include "view3d/render/offscreenrender.h"
#include "view3d/scene/gridscene.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>

namespace {

using namespace korva;

// CPU milliseconds of the whole process (llvmpipe draws on its own threads).
double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double lastCpu = 0.0; // CPU time of the last Milliseconds call

// Wall-clock milliseconds of work. The machine may be shared, so the CPU time
// it took is kept in lastCpu and printed beside it.
double Milliseconds(const std::function<void()>& work) {
    const double cpu = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    work();
    lastCpu = ProcessCpuMs() - cpu;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A grid with every cell of a layered parameter set to a varying value.
GridData MakeGrid(int layers, int rows, int columns) {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).layerSpacing.assign(static_cast<std::size_t>(layers), 10.0);
    ReaderContents(grid).rowSpacing.assign(static_cast<std::size_t>(rows), 10.0);
    ReaderContents(grid).columnSpacing.assign(static_cast<std::size_t>(columns), 10.0);
    grid.UpdateUniformSpacing();
    grid.Resize(layers, rows, columns);
    const int p = grid.ParameterIndexOfCode(GridData::HorizontalHydraulicConductivity);
    for (int k = 0; k < layers; ++k)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                grid.SetValue(p, k, r, c, (r + c + k) % 50, false);
    grid.RecomputeRange(p);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.SetValue(0, 0, r, c, layers / 10.0, false);
    grid.RecomputeRange(0);
    return grid;
}

void Measure(int layers, int rows, int columns) {
    const GridData grid = MakeGrid(layers, rows, columns);
    GridScene scene(grid);
    ViewSettings& settings = scene.MutableSettings();
    settings.InputParameter = grid.ParameterIndexOfCode(GridData::HorizontalHydraulicConductivity);
    settings.RotationX = 30;
    settings.RotationZ = 30;
    const double build = Milliseconds([&] { scene.Rebuild(AllLists); });
    const double buildCpu = lastCpu;
    const double cellList = Milliseconds([&] { scene.Rebuild(CellValueList); });
    const double markerList = Milliseconds([&] { scene.Rebuild(MarkerList); });
    const double lineList = Milliseconds([&] { scene.Rebuild(GridLineList_); });
    const std::size_t cells = scene.CellValues().boxes.size();

    QOpenGLContext context;
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    context.setFormat(format);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::printf("no OpenGL context (run under xvfb-run)\n");
        return;
    }
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    QOpenGLFramebufferObject fbo(800, 600, fboFormat);
    fbo.bind();
    GlSceneRenderer renderer;
    QString error;
    if (!renderer.Initialise(&error)) {
        std::printf("%s\n", qPrintable(error));
        return;
    }
    QOpenGLFunctions* gl = context.functions();
    const double upload = Milliseconds([&] {
        renderer.Upload(scene);
        gl->glFinish();
    });
    const auto repaint = [&] {
        renderer.Draw(scene, 800, 600, Qt::lightGray);
        gl->glFinish();
    };
    repaint(); // the first draw compiles the driver's state
    const double full = Milliseconds(repaint);
    const double fullCpu = lastCpu;
    settings.Rotating = true;
    settings.RotationZ += 5;
    const double rotation = Milliseconds(repaint);
    const double rotationCpu = lastCpu;
    settings.Rotating = false;
    // The first full repaint once the turn ends: the boxes in sight are
    // found again for the new camera.
    const double turned = Milliseconds(repaint);
    const double turnedCpu = lastCpu;
    // From below every face between two cells shows through the translucent
    // ones in front. The first paint finds the faces in sight; the next ones
    // replay them, and the middle of three is printed, as the figure varies.
    settings.RotationX = 150;
    const double below = Milliseconds(repaint);
    const double belowCpu = lastCpu;
    std::array<std::pair<double, double>, 3> again{};
    for (auto& [wall, cpu] : again) {
        wall = Milliseconds(repaint);
        cpu = lastCpu;
    }
    std::sort(again.begin(), again.end());
    settings.RotationX = 30;
    std::printf("%d x %d x %d = %zu cells drawn\n", layers, rows, columns, cells);
    std::printf("  scene build (all four lists)   %9.1f ms (CPU %.1f ms)\n", build, buildCpu);
    std::printf("    cell values %.1f, markers %.1f, grid lines %.1f ms\n", cellList, markerList,
                lineList);
    std::printf("  upload to the GPU              %9.1f ms\n", upload);
    std::printf("  GPU bytes per drawn cell       %9.1f\n",
                cells ? static_cast<double>(renderer.CellValueBytes()) / cells : 0.0);
    std::printf("  full repaint 800 x 600         %9.1f ms (CPU %.1f ms)\n", full, fullCpu);
    std::printf("  rotation repaint (grid lines)  %9.1f ms (CPU %.1f ms)\n", rotation, rotationCpu);
    std::printf("  full repaint after the turn    %9.1f ms (CPU %.1f ms)\n", turned, turnedCpu);
    std::printf("  full repaint from below        %9.1f ms (CPU %.1f ms)\n", below, belowCpu);
    std::printf("    the same again, middle of 3  %9.1f ms (CPU %.1f ms)\n", again[1].first,
                again[1].second);
    renderer.Release();
    fbo.release();
    context.doneCurrent();
}

void CompareWithBatchInfo() {
    QTemporaryDir dir;
    const QString project = dir.filePath("big.kvp");
    {
        const GridData grid = MakeGrid(90, 100, 100);
        if (!WriteProjectFile(grid, project.toStdString())) {
            std::printf("cannot write %s\n", qPrintable(project));
            return;
        }
    }
    const QString bin = QStringLiteral(KORVA_BIN_DIR);
    const QString image = dir.filePath("big.png");
    const auto runProcess = [](const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, args);
        process.waitForFinished(-1);
        return process.exitCode();
    };
    int infoExit = 0, renderExit = 0;
    const auto childCpuMs = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const auto ms = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
        };
        return ms(usage.ru_utime) + ms(usage.ru_stime);
    };
    double before = childCpuMs();
    const double info = Milliseconds([&] {
        infoExit = runProcess(bin + "/korva-batch", {"info", project});
    });
    const double infoCpu = childCpuMs() - before;
    before = childCpuMs();
    const QStringList renderArgs{"--render", image, "--parameter", "3", project};
    const bool haveKorva = QFile::exists(bin + "/korva");
    const double render = Milliseconds([&] {
        renderExit =
            haveKorva ? runProcess(bin + "/korva", renderArgs) : RunHeadlessRender(renderArgs);
    });
    const double renderCpu = haveKorva ? childCpuMs() - before : lastCpu;
    std::printf("900k-cell project (90 x 100 x 100)\n");
    std::printf("  korva-batch info               %9.1f ms (CPU %.1f ms, exit %d)\n", info, infoCpu,
                infoExit);
    std::printf("  korva --render%s %9.1f ms (CPU %.1f ms, exit %d)\n",
                haveKorva ? "                " : " (in process)   ", render, renderCpu, renderExit);
    std::printf("  ratio, wall clock / CPU        %9.2f / %.2f (target at most 4)\n", render / info,
                renderCpu / infoCpu);
}

} // namespace

// The machine may be shared: its load goes beside the figures.
void PrintLoad(const char* when) {
    std::FILE* file = std::fopen("/proc/loadavg", "r");
    char text[64] = {};
    if (file) {
        if (!std::fgets(text, sizeof(text), file)) text[0] = 0;
        std::fclose(file);
    }
    std::printf("load average %s: %s", when, text[0] ? text : "unknown\n");
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    PrintLoad("before");
    Measure(100, 100, 100);
    Measure(10, 100, 100);
    CompareWithBatchInfo();
    PrintLoad("after");
    return 0;
}
