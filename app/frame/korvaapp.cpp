#include "korvaapp.h"

#include "app/document/korvadoc.h"
#include "app/document/promptermessagesink.h"
#include "app/document/workingfolder.h"
#include "app/registercommands.h"
#include "mainframe.h"
#include "splashwnd.h"
#include "toolicons.h"
#include "view3d/render/offscreenrender.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#ifndef KORVA_VERSION
#define KORVA_VERSION "0"
#endif

namespace korva {

namespace {

constexpr char Description[] =
    "KORVA: pre- and post-processor of a layered soil-water, salt-transport and crop-growth model "
    "of irrigated land.";

void SetUpParser(QCommandLineParser& parser) {
    parser.setApplicationDescription(Description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption("nosplash", "Start without the splash picture."));
    parser.addPositionalArgument("project", "A project file (.kvp) to open.", "[project]");
    parser.addOption(
        QCommandLineOption("render",
                           "Draw the project's grid into OUT.png without a window and end (first "
                           "argument: korva --render OUT.png [options] PROJECT.kvp).",
                           "OUT.png"));
}

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(SettingsOrganization);
    QCoreApplication::setApplicationName(SettingsApplication);
    QCoreApplication::setApplicationVersion(KORVA_VERSION);
}

bool WantsInformationOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0) return false;
        for (const char* option : {"-h", "--help", "--help-all", "-?", "-v", "--version"})
            if (std::strcmp(arg, option) == 0) return true;
    }
    return false;
}

bool HasDisplay() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

CKORVAApp::CKORVAApp() = default;

CKORVAApp::~CKORVAApp() = default;

bool CKORVAApp::ParseCommandLine(const QStringList& arguments, const QString& launchFolder,
                                 StartOptions& options, QString& error) {
    QCommandLineParser parser;
    SetUpParser(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        error = "Only one project file can be named.";
        return false;
    }
    options.splash = !parser.isSet("nosplash");
    options.projectFile.clear();
    if (!files.isEmpty())
        options.projectFile = QFileInfo(QDir(launchFolder), files.first()).absoluteFilePath();
    return true;
}

int CKORVAApp::Main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--render") == 0) {
        // A picture of a project's grid without a window.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args.append(QString::fromLocal8Bit(argv[i]));
        return RunHeadlessRender(args);
    }
    if (WantsInformationOnly(argc, argv)) {
        // Help and version need no window, so they work in any terminal.
        QCoreApplication core(argc, argv);
        SetApplicationNames();
        QCommandLineParser parser;
        SetUpParser(parser);
        parser.process(core); // prints and exits
        return 0;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "korva: no display found (DISPLAY is not set). Start it on a desktop or "
                     "under xvfb-run; korva-batch runs projects without a window.\n");
        return 1;
    }
    const QString launchFolder = QDir::currentPath();
    QApplication application(argc, argv);
    SetApplicationNames();
    StartOptions options;
    QString error;
    if (!ParseCommandLine(QApplication::arguments(), launchFolder, options, error)) {
        std::fprintf(stderr, "korva: %s\nTry 'korva --help'.\n", qPrintable(error));
        return 2;
    }
    PrompterMessageSink messages;
    ScopedMessageSink sink(messages);
    CKORVAApp app;
    if (!app.InitInstance(options, launchFolder)) return 1;
    return QApplication::exec();
}

bool CKORVAApp::InitInstance(const StartOptions& options, const QString& launchFolder) {
    SetApplicationNames();
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName("korva");
    mainFrame_ = std::make_unique<CMainFrame>(table_);
    RegisterAllCommands(table_, *mainFrame_);
    mainFrame_->UpdateCommandStates();

    CKORVADoc* document = options.projectFile.isEmpty()
                              ? mainFrame_->NewDocument()
                              : mainFrame_->OpenDocumentFile(options.projectFile);
    if (document == nullptr) return false;

    mainFrame_->show();
    if (options.splash) CSplashWnd::ShowSplashScreen(mainFrame_.get());

    // The working folder to start in. A project opened from the command line
    // keeps its own folder, where its outputs and solver files are.
    if (options.projectFile.isEmpty()) ChangeWorkingFolder(StartFolder(launchFolder));
    return true;
}

} // namespace korva
