// The view's panels driven from the program's own menu commands, on a run of
// the bundled example: one editing panel at a time, the camera control beside
// any of them, check marks and enabling in step, and "&Export Data".
#include "app/document/commandids.h"
#include "app/document/korvadoc.h"
#include "app/document/workingfolder.h"
#include "app/frame/korvaapp.h"
#include "app/frame/mainframe.h"
#include "tests/app/scriptedprompter.h"
#include "tests/charts/runfixture.h"
#include "view3d/korvaview.h"
#include "view3d/panels/controlpanelview.h"
#include "widgets/tablectrl.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korva {
namespace {

// With KORVA_SCREENSHOT_DIR set, what the user sees is kept there as PNGs.
void Shot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("KORVA_SCREENSHOT_DIR");
    if (folder.isEmpty() || widget == nullptr) return;
    QApplication::processEvents();
    widget->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

class FramePanels : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(SettingsOrganization, SettingsApplication).clear();
        ASSERT_TRUE(testing::ExampleRun::Instance().ok);
        StartOptions options;
        options.splash = false;
        options.projectFile = testing::ExampleRun::Instance().Project();
        ASSERT_TRUE(app.InitInstance(options, folder.path()));
        frame = app.MainFrame();
        frame->resize(1200, 800);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        view = frame->findChild<CKORVAView*>();
        ASSERT_NE(view, nullptr) << "the window shows the 3D view";
    }
    void TearDown() override {
        prompts.answers.assign(16, Answer::No);
        if (app.MainFrame() != nullptr) app.MainFrame()->CloseAllDocuments();
        QSettings(SettingsOrganization, SettingsApplication).clear();
    }
    // A command as the menu runs it; the check marks follow once the
    // panels' show and hide have been handled.
    void Run(const char* id) {
        QAction* action = frame->Action(id);
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
        QApplication::processEvents();
    }
    bool Checked(const char* id) { return frame->Action(id)->isChecked(); }

    QTemporaryDir folder;
    test::ScriptedPrompter prompts;
    CKORVAApp app;
    CMainFrame* frame = nullptr;
    CKORVAView* view = nullptr;
};

TEST_F(FramePanels, CommandsShowOneEditingPanelAtATimeWithTheirCheckMarks) {
    Run(cmd::GridBoundaryPanel);
    EXPECT_EQ(view->ViewMode(), BoundaryEditMode);
    EXPECT_TRUE(Checked(cmd::GridBoundaryPanel));
    Shot(frame, "frame-boundary-panel");

    Run(cmd::GridAssignOutput);
    EXPECT_EQ(view->ViewMode(), TimeSeriesCellMode);
    EXPECT_FALSE(view->PanelShown(ViewPanel::BoundaryControl));
    EXPECT_FALSE(Checked(cmd::GridBoundaryPanel));
    EXPECT_TRUE(Checked(cmd::GridAssignOutput));
    Shot(view->Panel(ViewPanel::TimeSeriesOutput), "time-series-output-control");

    Run(cmd::GridViewControl);
    EXPECT_TRUE(view->PanelShown(ViewPanel::CameraControl));
    EXPECT_TRUE(view->PanelShown(ViewPanel::TimeSeriesOutput)); // the camera closes nothing

    // The output colours show an output quantity on a layer; the form follows,
    // and with no input parameter shown there is no parameter panel to open.
    Run(cmd::GridParameterColors);
    EXPECT_EQ(view->ViewMode(), OutputLayerMode);
    EXPECT_FALSE(view->PanelShown(ViewPanel::TimeSeriesOutput));
    EXPECT_TRUE(Checked(cmd::GridParameterColors));
    ASSERT_NE(view->ControlPanel(), nullptr);
    EXPECT_EQ(view->ControlPanel()->DisplayKind(), 1);
    EXPECT_GE(view->Settings().OutputParameter, 0);
    EXPECT_FALSE(frame->Action(cmd::GridParameterPanel)->isEnabled());
    Shot(view->Panel(ViewPanel::OutputParameters), "output-parameters");
    Shot(frame, "frame-output-layer");

    Run(cmd::GridDisplayOutput);
    EXPECT_EQ(view->ViewMode(), TimeSeriesDisplayMode);
    EXPECT_FALSE(view->PanelShown(ViewPanel::OutputParameters));
    EXPECT_TRUE(view->PanelShown(ViewPanel::CameraControl));
    Shot(view->Panel(ViewPanel::TimeSeriesDisplay), "output-time-series-display");
    Run(cmd::GridDisplayOutput); // pressed again: closed
    EXPECT_FALSE(Checked(cmd::GridDisplayOutput));
    EXPECT_EQ(view->ViewMode(), Display3D);

    // Back to input parameters: the parameter panel opens on the shown one.
    view->ControlPanel()->SetDisplayKind(0);
    QApplication::processEvents();
    Run(cmd::GridParameterPanel);
    EXPECT_EQ(view->ViewMode(), ParameterEditMode);
    EXPECT_TRUE(Checked(cmd::GridParameterPanel));
    EXPECT_TRUE(Checked(cmd::GridViewControl));
    Shot(frame, "frame-parameter-panel");
}

TEST_F(FramePanels, ExportDataWritesWhatTheViewShows) {
    // The view shows an output quantity: that is what is written, at its time.
    view->ControlPanel()->SetDisplayKind(1);
    const QString base = folder.filePath("salt");
    prompts.files = {base}; // no extension typed: ".txt" is added
    Run(cmd::DataExport);
    QFile written(base + ".txt");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString first = QString::fromUtf8(written.readLine());
    const std::string name =
        view->Document()
            .Grid()
            .Outputs()
            .gridOutputs.at(static_cast<std::size_t>(view->Settings().OutputParameter))
            .name;
    EXPECT_TRUE(first.startsWith("Parameter " + QString::fromStdString(name) + ", date "))
        << first.toStdString();

    // A folder that is not there: the user is told, nothing is claimed.
    prompts.files = {folder.filePath("missing/out.txt")};
    Run(cmd::DataExport);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.back().startsWith("Unable to open output export file "));
}

TEST_F(FramePanels, ExportDataTakesTheFormsChoiceWhileTheFormHasTheFocus) {
    ControlPanelView* form = view->ControlPanel();
    form->SetDisplayKind(1); // the form chooses the first output quantity
    const auto& outputs = view->Document().Grid().Outputs().gridOutputs;
    ASSERT_GE(outputs.size(), 2u);
    ASSERT_EQ(form->ParameterIndex(), 0);
    view->SetOutputParameter(1, 0); // the view is made to show another one
    const auto firstLine = [&](const QString& base) {
        prompts.files = {base};
        Run(cmd::DataExport);
        QFile written(base + ".txt");
        EXPECT_TRUE(written.open(QIODevice::ReadOnly)) << base.toStdString();
        return QString::fromUtf8(written.readLine());
    };
    const auto heads = [&](const QString& line, std::size_t output) {
        return line.startsWith(QStringLiteral("Parameter ") +
                               QString::fromStdString(outputs[output].name) + ", date ");
    };
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    form->findChild<QComboBox*>()->setFocus();
    QApplication::processEvents();
    const QString fromForm = firstLine(folder.filePath("form"));
    EXPECT_TRUE(heads(fromForm, 0)) << fromForm.toStdString();

    view->setFocus();
    QApplication::processEvents();
    const QString fromView = firstLine(folder.filePath("view"));
    EXPECT_TRUE(heads(fromView, 1)) << fromView.toStdString();
}

TEST_F(FramePanels, TheControlPaneOpensWideEnoughForTheWholeForm) {
    ControlPanelView* form = view->ControlPanel();
    QApplication::processEvents();
    // No sideways scrolling: the pane holds the form at its least width, and
    // the legend's "Show" column ends inside the legend.
    EXPECT_GE(form->width(), form->minimumSizeHint().width());
    EXPECT_LE(form->mapTo(frame, QPoint(form->width(), 0)).x(),
              view->mapTo(frame, QPoint(0, 0)).x());
    TableCtrl* legend = form->Legend();
    const int showEnd = legend->horizontalHeader()->sectionViewportPosition(1) +
                        legend->horizontalHeader()->sectionSize(1);
    EXPECT_LE(showEnd, legend->viewport()->width());
    Shot(frame, "frame-control-pane");
}

} // namespace
} // namespace korva
