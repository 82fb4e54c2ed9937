// The model run from the window: the check dialog's table, the steps before
// the solver starts, the run dialog following a real solver, solvers that
// fail or cannot start, cancelling, and loading the results as one step.
#include "app/document/korvadoc.h"
#include "app/rundialogs/modelcheckdlg.h"
#include "app/rundialogs/modelchecktable.h"
#include "app/rundialogs/modelrundlg.h"
#include "apptesthelpers.h"
#include "model/modelcheck.h"
#include "run/modelrun.h"
#include "scriptedprompter.h"
#include "widgets/tablectrl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korva {
namespace {

ProblemList TwoTimeStepsAndAnIrrigationDay() {
    ProblemList problems;
    problems.Add(IrrigationTimeStepProblem, 0, 1);
    problems.Add(SimulationTimeStepProblem, 0, 1);
    problems.Add(IrrigationOnFirstDayProblem, -1, -1);
    return problems;
}

TEST(ModelCheckTableTest, ValuesOrDashesPerProblemAndTypedTextReadBack) {
    const auto rows = ModelCheckRows(TwoTimeStepsAndAnIrrigationDay());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].error, "Irrigation Time Step");
    EXPECT_EQ(rows[0].currentValue, "0");
    EXPECT_EQ(rows[0].defaultValue, "1");
    EXPECT_EQ(rows[2].currentValue, "---");
    EXPECT_EQ(rows[2].defaultValue, "---");
    EXPECT_EQ(FormatCheckValue(0.0001), "0.0001");
    EXPECT_EQ(FormatCheckValue(2.5e-7), "2.5e-07");

    ProblemList problems = TwoTimeStepsAndAnIrrigationDay();
    ReadCheckValues({" 2 ", "two", "---"}, problems);
    EXPECT_EQ(problems.currentValues, (std::vector<double>{2, 0, 0}));
}

TEST(ModelCheckDlgTest, ShowsTheProblemsAndTakesTypedValuesOnOk) {
    ModelCheckDlg dialog(TwoTimeStepsAndAnIrrigationDay());
    EXPECT_EQ(dialog.windowTitle(), "Dialog");
    TableCtrl* table = dialog.Table();
    ASSERT_EQ(table->GetRowCount(), 4);
    EXPECT_EQ(table->GetFixedRowCount(), 1);
    EXPECT_EQ(table->GetItemText(0, 0), "Error");
    EXPECT_EQ(table->GetItemText(0, 1), "Current Value");
    EXPECT_EQ(table->GetItemText(0, 2), "Default Value");
    EXPECT_EQ(table->GetItemText(3, 1), "---");
    table->SetItemText(1, 1, "2");
    dialog.accept();
    EXPECT_EQ(dialog.Problems().currentValues[0], 2);
    EXPECT_EQ(dialog.Problems().currentValues[1], 0);
}

class ModelRunTest : public ::testing::Test {
protected:
    QString CopyExample(const char* example) {
        const QString path = folder.filePath(example);
        QFile::copy(test::ExampleProject(example), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    // A stand-in solver: a shell script under the solver's name.
    QString FakeSolverFolder(const char* name, const QByteArray& script) {
        const QString dir = folder.filePath("fake");
        QDir().mkpath(dir);
        QFile file(dir + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n" + script);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return dir;
    }
    // Starts the run of document and follows it to its end in the dialog.
    std::unique_ptr<ModelRunDlg> RunToEnd(CKORVADoc& document) {
        auto run = document.RunModel([](ProblemList&) { return true; });
        if (!run) return nullptr;
        auto dialog = std::make_unique<ModelRunDlg>(std::move(run));
        dialog->SetPollInterval(10);
        QSignalSpy ended(dialog.get(), &ModelRunDlg::RunEnded);
        dialog->show();
        EXPECT_TRUE(ended.wait(60000)) << "the run ends";
        return dialog;
    }

    QTemporaryDir folder;
    test::ScriptedPrompter prompts;
};

TEST_F(ModelRunTest, ReferenceSolverRunsAndOkLoadsTheResultsAsOneStep) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    auto dialog = RunToEnd(document);
    ASSERT_NE(dialog, nullptr) << prompts.messages.join("\n").toStdString();
    EXPECT_EQ(dialog->RunState(), ModelRunDlg::State::Finished);
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    EXPECT_FALSE(dialog->CancelButton()->isEnabled());
    EXPECT_EQ(dialog->Progress(), 100);
    EXPECT_FALSE(dialog->OutputText().isEmpty());
    EXPECT_TRUE(QFile::exists(folder.filePath("field3d.kvi"))) << "input set beside the project";

    QSignalSpy views(&document, &CKORVADoc::ViewsUpdate);
    ASSERT_TRUE(document.LoadResultsOf(dialog->Run()));
    EXPECT_FALSE(document.Grid().Outputs().gridOutputs.empty());
    EXPECT_EQ(document.Grid().OutputBaseName(), "field3d");
    EXPECT_TRUE(document.IsModified());
    ASSERT_FALSE(views.isEmpty());
    EXPECT_EQ(views.last().at(0).toInt(), 0);
    document.UndoStack()->undo();
    EXPECT_TRUE(document.Grid().Outputs().gridOutputs.empty());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ModelRunTest, TwoDimensionalRunsThroughTheSameDialogWithoutBlocking) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field2d.kvp")));
    auto dialog = RunToEnd(document);
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages[0].startsWith("Running ")) << prompts.messages[0].toStdString();
    EXPECT_TRUE(prompts.messages[0].endsWith("korva_model2d \"field2d\""));
    EXPECT_EQ(dialog->RunState(), ModelRunDlg::State::Finished);
    EXPECT_TRUE(document.LoadResultsOf(dialog->Run()));
    EXPECT_FALSE(document.Grid().Outputs().gridOutputs.empty());
}

TEST_F(ModelRunTest, FailingSolverIsReportedByNameAndNothingIsLoaded) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    document.SetProgramFolder(
        FakeSolverFolder("korva_model3d", "echo 'reading input'\necho 'bad input' >&2\nexit 3\n"));
    auto dialog = RunToEnd(document);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->RunState(), ModelRunDlg::State::Failed);
    EXPECT_FALSE(dialog->Succeeded());
    EXPECT_TRUE(dialog->OutputText().contains("bad input"));
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.last().contains("korva_model3d"));
    EXPECT_TRUE(prompts.messages.last().contains("exit status 3"));
}

TEST_F(ModelRunTest, ChattySolverIsNeverHeldUpByTheOutputBox) {
    // Far more output than a pipe holds: unless each tick takes all of it the
    // solver would wait on its pipe and the run would never end.
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    document.SetProgramFolder(FakeSolverFolder(
        "korva_model3d", "i=0\nwhile [ $i -lt 4000 ]; do\n  echo \"day $i of a long and wordy "
                         "simulation\"\n  i=$((i+1))\ndone\necho done\n"
                         // a run that ends well leaves its list of output times
                         ": > \"$1.day\"\n"));
    auto run = document.RunModel([](ProblemList&) { return true; });
    ASSERT_NE(run, nullptr);
    ModelRunDlg dialog(std::move(run));
    dialog.SetPollInterval(200);
    QSignalSpy ended(&dialog, &ModelRunDlg::RunEnded);
    dialog.show();
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(dialog.RunState(), ModelRunDlg::State::Finished);
    EXPECT_EQ(dialog.OutputText().count("\r\n"), 4001);
    EXPECT_TRUE(dialog.OutputText().endsWith("done\r\n"));
}

TEST_F(ModelRunTest, MissingSolverStartsNothingAndSaysSo) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    document.SetProgramFolder(folder.filePath("nowhere"));
    EXPECT_EQ(document.RunModel([](ProblemList&) { return true; }), nullptr);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.last().contains("korva_model3d"));
}

TEST_F(ModelRunTest, CancelEndsARunningSolverAtOnce) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    document.SetProgramFolder(
        FakeSolverFolder("korva_model3d", "echo 'step 1'\nsleep 60\necho 'step 2'\n"));
    auto run = document.RunModel([](ProblemList&) { return true; });
    ASSERT_NE(run, nullptr);
    ModelRunDlg dialog(std::move(run));
    dialog.SetPollInterval(10);
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.OutputText().contains("step 1"), 10000);
    EXPECT_EQ(dialog.RunState(), ModelRunDlg::State::Running);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QElapsedTimer clock;
    clock.start();
    dialog.CancelButton()->click();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(dialog.RunState(), ModelRunDlg::State::Cancelled);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(ModelRunTest, StepsBeforeTheSolverAbortQuietly) {
    // Never saved and unchanged: nothing starts, nothing is asked.
    CKORVADoc untitled;
    untitled.OnNewDocument();
    EXPECT_EQ(untitled.RunModel([](ProblemList&) { return true; }), nullptr);
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());

    // A cancelled save prompt stops the run.
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    document.AddBoundary(DrainType, "d", {0, 0, 0});
    prompts.answers = {Answer::Cancel};
    EXPECT_EQ(document.RunModel([](ProblemList&) { return true; }), nullptr);
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_FALSE(QFile::exists(folder.filePath("field3d.kvi")));
}

TEST_F(ModelRunTest, CorrectedTimeStepsAreAppliedAsAnUndoableStep) {
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(CopyExample("field3d.kvp")));
    SimulationSettings zero = document.Grid().Settings();
    zero.irrigationTimeStep = 0;
    zero.simulationTimeStep = 0;
    ReaderContents(document.GridForEdit()).settings = zero;
    document.SetModifiedFlag(false);

    int shown = 0;
    // Cancel in the check dialog: no run, nothing changed.
    EXPECT_EQ(document.RunModel([&](ProblemList& problems) {
        ++shown;
        EXPECT_EQ(problems.Count(), 2u);
        return false;
    }),
              nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(document.IsModified());

    // OK with 2 typed for the irrigation time step; the save prompt says No.
    prompts.answers = {Answer::No};
    document.SetProgramFolder(FakeSolverFolder("korva_model3d", "exit 0\n"));
    auto run = document.RunModel([](ProblemList& problems) {
        problems.currentValues[0] = 2;
        problems.currentValues[1] = 1;
        return true;
    });
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(document.Grid().Settings().irrigationTimeStep, 2);
    EXPECT_EQ(document.Grid().Settings().simulationTimeStep, 1);
    run->Finish();
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Settings().irrigationTimeStep, 0);
}

} // namespace
} // namespace korva
