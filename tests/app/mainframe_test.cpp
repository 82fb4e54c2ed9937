// The program as the user starts and drives it: start-up with and without a
// project and with a configured working folder, menus and toolbar, recent
// files, dropped files, windows, the save prompts on close and exit, undo
// from the menu, help, the splash picture, and closing during a run.
#include "app/document/commandids.h"
#include "app/document/korvadoc.h"
#include "app/document/workingfolder.h"
#include "app/frame/korvaapp.h"
#include "app/frame/mainframe.h"
#include "app/frame/propertiesdlg.h"
#include "app/frame/splashwnd.h"
#include "app/frame/splitterframe.h"
#include "app/help/helpwindow.h"
#include "app/rundialogs/modelrundlg.h"
#include "apptesthelpers.h"
#include "scriptedprompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QSettings>
#include <QSlider>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <signal.h>

namespace korva {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(SettingsOrganization, SettingsApplication).clear();
        QDir(folder.path()).mkpath("launch");
        QDir(folder.path()).mkpath("examples");
        launch = folder.filePath("launch");
    }
    void TearDown() override {
        if (app.MainFrame() != nullptr) {
            prompts.answers.assign(16, Answer::No);
            app.MainFrame()->CloseAllDocuments();
        }
        QSettings(SettingsOrganization, SettingsApplication).clear();
    }
    CMainFrame& Start(const QString& file = {}) {
        StartOptions options;
        options.splash = false;
        options.projectFile = file;
        EXPECT_TRUE(app.InitInstance(options, launch));
        return *app.MainFrame();
    }
    QString Copy(const char* example, const QString& as) {
        const QString path = folder.filePath(as);
        QFile::copy(test::ExampleProject(example), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    static QStringList Texts(const QList<QAction*>& actions) {
        QStringList texts;
        for (QAction* action : actions)
            if (!action->isSeparator() && action->isVisible()) texts.append(action->text());
        return texts;
    }

    QTemporaryDir folder;
    QString launch;
    test::ScriptedPrompter prompts;
    CKORVAApp app;
};

TEST_F(MainFrameTest, StartsWithANewThreeDimensionalProjectAndTheFullMenu) {
    CMainFrame& frame = Start();
    ASSERT_EQ(frame.Documents().size(), 1);
    CKORVADoc* document = frame.ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Title(), "KORVA1");
    EXPECT_EQ(document->Grid().ModelKind(), 1);
    EXPECT_EQ(QFileInfo(QDir::currentPath()), QFileInfo(folder.filePath("examples")))
        << "the examples folder beside the launch folder";

    EXPECT_EQ(Texts(frame.menuBar()->actions()),
              (QStringList{"&File", "&Edit", "&Grid", "&Data", "&View", "&Window", "&Help"}));
    EXPECT_EQ(Texts(frame.Menu("&File")->actions()),
              (QStringList{"&New", "&Open...", "&Close", "&Save", "Save &As...",
                           "Import Model File", "Export to ParaView...", "E&xit"}));
    EXPECT_EQ(Texts(frame.Menu("&Edit")->actions()), (QStringList{"&Undo", "&Redo"}));
    EXPECT_EQ(
        Texts(frame.Menu("&Help")->actions()),
        (QStringList{"&Help Topics", "&About KORVA...", "Check for &Updates", "&KORVA Home Page"}));

    // Commands nobody handles are there but disabled.
    QAction* updates = frame.Action(cmd::HelpUpdates);
    EXPECT_FALSE(updates->isEnabled());
    EXPECT_EQ(updates->statusTip(), "Check if there is a new version of the software available.");
    EXPECT_FALSE(frame.Action(cmd::HelpHomePage)->isEnabled());
    EXPECT_EQ(frame.Action(cmd::HelpHomePage)->statusTip(), "Go to the KORVA Web Page");
    EXPECT_TRUE(frame.Action(cmd::FileSave)->isEnabled());
    EXPECT_EQ(frame.Action(cmd::GridRun)->statusTip(), "Run the KORVA simulation");
    EXPECT_EQ(frame.Action(cmd::GridRun)->toolTip(), "Run KORVA");
    EXPECT_EQ(frame.Action(cmd::FileNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame.Action(cmd::HelpTopics)->shortcut(), QKeySequence("F1"));

    QStringList toolbar;
    for (QAction* action : frame.ToolBar()->actions())
        toolbar.append(action->isSeparator() ? "|" : action->objectName());
    EXPECT_EQ(toolbar,
              (QStringList{cmd::FileNew, cmd::FileOpen, cmd::FileSave, "|", cmd::DataConstants,
                           cmd::GridParameterPanel, cmd::GridBoundaryPanel, cmd::GridAssignOutput,
                           "|", cmd::GridParameterColors, cmd::GridDisplayOutput, "|",
                           cmd::GridMouseZoom, cmd::GridZoomOut, cmd::GridRestoreZoom,
                           cmd::GridViewControl, "|", cmd::GridRun}));

    // The project window: control panel 230 pixels wide on the left.
    CSplitterFrame* window = frame.ActiveFrame();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Splitter()->widget(0), window->ControlPanelPane());
    EXPECT_EQ(window->Splitter()->widget(1), window->ViewPane());
    EXPECT_EQ(window->Splitter()->sizes().value(0), CSplitterFrame::ControlPanelWidth);

    frame.Action(cmd::FileNew)->trigger();
    EXPECT_EQ(frame.ActiveDocument()->Title(), "KORVA2");
}

TEST_F(MainFrameTest, ConfiguredWorkingFolderWins) {
    const QString configured = folder.filePath("work");
    QDir().mkpath(configured);
    QSettings(SettingsOrganization, SettingsApplication).setValue("KORVA/KORVA CWD", configured);
    Start();
    EXPECT_EQ(QFileInfo(QDir::currentPath()), QFileInfo(configured));
}

TEST_F(MainFrameTest, ProjectNamedOnTheCommandLineOpensInItsFolder) {
    QDir().mkpath(launch + "/site");
    Copy("field3d.kvp", "launch/site/site.kvp");
    StartOptions options;
    QString error;
    ASSERT_TRUE(CKORVAApp::ParseCommandLine({"korva", "--nosplash", "site/site.kvp"}, launch,
                                            options, error));
    EXPECT_FALSE(options.splash);
    EXPECT_EQ(options.projectFile, launch + "/site/site.kvp");
    EXPECT_FALSE(CKORVAApp::ParseCommandLine({"korva", "a.kvp", "b.kvp"}, launch, options, error));
    EXPECT_FALSE(CKORVAApp::ParseCommandLine({"korva", "--frobnicate"}, launch, options, error));
    EXPECT_TRUE(error.contains("frobnicate"));

    CMainFrame& frame = Start(launch + "/site/site.kvp");
    ASSERT_EQ(frame.Documents().size(), 1);
    EXPECT_EQ(frame.ActiveDocument()->Title(), "site.kvp");
    EXPECT_EQ(QFileInfo(QDir::currentPath()), QFileInfo(launch + "/site"));
    EXPECT_EQ(frame.RecentFiles().value(0), launch + "/site/site.kvp");
}

TEST_F(MainFrameTest, RecentFilesKeepTheLastFourAndAreStoredAtOnce) {
    CMainFrame& frame = Start();
    QStringList paths;
    for (const char* name : {"a.kvp", "b.kvp", "c.kvp", "d.kvp", "e.kvp"})
        paths.append(Copy("field2d.kvp", name));
    for (const QString& path : paths)
        ASSERT_NE(frame.OpenDocumentFile(path), nullptr);
    EXPECT_EQ(frame.RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    QSettings stored(SettingsOrganization, SettingsApplication);
    EXPECT_EQ(stored.value("Recent File List/File1").toString(), paths[4]);
    EXPECT_EQ(stored.value("Recent File List/File4").toString(), paths[1]);
    EXPECT_TRUE(Texts(frame.Menu("&File")->actions()).contains("&1 " + paths[4]));

    // Opening one that is open already shows its window instead.
    const int open = frame.Documents().size();
    frame.OpenDocumentFile(paths[2]);
    EXPECT_EQ(frame.Documents().size(), open);
    EXPECT_EQ(frame.RecentFiles().value(0), paths[4]) << "nothing new was opened";

    // A file that has gone leaves the list after its message.
    QFile::remove(paths[1]);
    frame.CloseAllDocuments();
    EXPECT_EQ(frame.OpenDocumentFile(paths[1]), nullptr);
    EXPECT_FALSE(prompts.messages.isEmpty());
    EXPECT_FALSE(frame.RecentFiles().contains(paths[1]));
}

TEST_F(MainFrameTest, DroppedProjectFilesOpen) {
    CMainFrame& frame = Start();
    const QString project = Copy("field3d.kvp", "dropped.kvp");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(project), QUrl::fromLocalFile(folder.filePath("x.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    ASSERT_EQ(frame.Documents().size(), 2);
    EXPECT_EQ(frame.ActiveDocument()->Title(), "dropped.kvp");
}

TEST_F(MainFrameTest, ClosingAsksForModifiedProjectsOnly) {
    CMainFrame& frame = Start();
    CKORVADoc* document = frame.ActiveDocument();
    frame.Action(cmd::WindowNew)->trigger();
    ASSERT_EQ(frame.FramesOf(document).size(), 2);
    document->AddBoundary(DrainType, "d", {0, 0, 0});

    // Not the last window: goes without a question.
    EXPECT_TRUE(frame.CloseFrame(frame.FramesOf(document).value(1)));
    QApplication::processEvents();
    EXPECT_TRUE(prompts.questions.isEmpty());
    ASSERT_EQ(frame.FramesOf(document).size(), 1);

    // The last window asks; Cancel keeps it.
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(frame.CloseFrame(frame.FramesOf(document).value(0)));
    EXPECT_EQ(prompts.questions.value(0), "Save changes to KORVA1?");
    EXPECT_EQ(frame.Documents().size(), 1);

    // Exit: No for the modified project closes everything.
    prompts.answers = {Answer::No};
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(frame.Documents().isEmpty());
    EXPECT_TRUE(QSettings(SettingsOrganization, SettingsApplication).contains("MainFrame/geometry"))
        << "the window comes back where it was";
    EXPECT_EQ(prompts.questions.size(), 2) << prompts.questions.join(" | ").toStdString();
}

TEST_F(MainFrameTest, UndoAndRedoFromTheEditMenu) {
    CMainFrame& frame = Start();
    CKORVADoc* document = frame.ActiveDocument();
    QAction* undo = frame.Action(cmd::EditUndo);
    QAction* redo = frame.Action(cmd::EditRedo);
    EXPECT_FALSE(undo->isEnabled());
    const std::string before = test::ModelText(document->Grid());
    document->AddBoundary(BasinType, "basin", {1, 1, 0});
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(frame.windowTitle().contains("KORVA1*")) << frame.windowTitle().toStdString();
    undo->trigger();
    EXPECT_EQ(test::ModelText(document->Grid()), before);
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(document->Grid().BoundaryCount(BasinType), 1);
    EXPECT_TRUE(undo->shortcuts().contains(QKeySequence("Ctrl+Z")));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
}

TEST_F(MainFrameTest, HelpShowsTheTutorialAtItsContents) {
    CMainFrame& frame = Start();
    frame.Action(cmd::HelpTopics)->trigger();
    HelpWindow* help = frame.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr) << prompts.messages.join("\n").toStdString();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Browser()->documentTitle(), "KORVA Tutorial");
    EXPECT_TRUE(help->Browser()->toPlainText().contains("Run the model"));
    help->close();

    // A tutorial in the working folder comes first; none at all says so.
    QTemporaryDir here;
    QFile local(here.filePath(TutorialFileName));
    local.open(QIODevice::WriteOnly);
    local.close();
    EXPECT_EQ(FindTutorial(here.path(), here.path() + "/bin"), local.fileName());
    EXPECT_TRUE(FindTutorial(here.path() + "/none", here.path() + "/bin").isEmpty());
}

TEST_F(MainFrameTest, SplashClosesOnAKeyAndPropertiesStartAtTheTransparency) {
    CMainFrame& frame = Start();
    frame.show();
    QPointer<CSplashWnd> splash = CSplashWnd::ShowSplashScreen(&frame);
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash->size(), QSize(544, 341));
    QTest::keyClick(&frame, Qt::Key_Space);
    QTRY_VERIFY(splash.isNull());

    PropertiesDlg properties(frame.ActiveDocument()->OutputTransparency());
    EXPECT_EQ(properties.Slider()->value(), 50);
    EXPECT_EQ(TransparencySliderPosition(0.999), 99) << "truncated, not rounded";
}

TEST_F(MainFrameTest, ClosingDuringARunAsksAndEndsTheSolver) {
    CMainFrame& frame = Start();
    CKORVADoc* document = frame.OpenDocumentFile(Copy("field3d.kvp", "running.kvp"));
    ASSERT_NE(document, nullptr);
    QDir().mkpath(folder.filePath("fake"));
    QFile solver(folder.filePath("fake/korva_model3d"));
    solver.open(QIODevice::WriteOnly);
    solver.write("#!/bin/sh\necho $$ > " + folder.filePath("pid").toUtf8() +
                 "\necho 'step 1'\nexec sleep 60\n");
    solver.close();
    solver.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    document->SetProgramFolder(folder.filePath("fake"));

    bool closed = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<ModelRunDlg*>(frame.RunInProgress());
        if (dialog == nullptr || !QFile::exists(folder.filePath("pid"))) return;
        watch.stop();
        prompts.answers = {Answer::Yes, Answer::No};
        closed = frame.close();
    });
    watch.start();
    frame.Action(cmd::GridRun)->trigger(); // returns when the run dialog has closed
    EXPECT_TRUE(closed);
    EXPECT_EQ(prompts.questions.value(0), "KORVA is running. Stop the model run and exit?");
    QFile pidFile(folder.filePath("pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const int pid = pidFile.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(kill(pid, 0), 0) << "the solver has gone";
}

} // namespace
} // namespace korva
