// A model run without a window: the real reference solver started, followed
// and cancelled through ModelRun, and stand-in solvers that fail.
#include "model/messages.h"
#include "run/modelrun.h"
#include "tests/solver/testfield.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korva {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class ModelRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korva-run-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "project");
        fs::create_directories(folder_ / "bin");
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Project() const { return (folder_ / "project" / "site.kvp").string(); }
    static std::string ProgramFolder() { return std::string(KORVA_BINARY_DIR) + "/bin/"; }
    // A stand-in solver: a shell script under the 3D solver's name.
    std::string FakeSolver(const std::string& body) {
        const fs::path path = folder_ / "bin" / "korva_model3d";
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        ::chmod(path.c_str(), 0755);
        return (folder_ / "bin").string();
    }
    // Polls until the output ends; returns the lines.
    static std::vector<std::string> Follow(ModelRun& run, int* lastPercent = nullptr) {
        std::vector<std::string> lines;
        std::string line;
        bool ended = false;
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (!ended && Clock::now() < deadline) {
            if (run.Poll(line, ended)) {
                lines.push_back(line);
            } else if (!ended) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            if (lastPercent) run.ReadProgress(*lastPercent);
        }
        return lines;
    }

    fs::path folder_;
    CollectingMessageSink sink_;
    ScopedMessageSink scope_{sink_};
};

TEST_F(ModelRunTest, TheReferenceSolverRunsToTheEnd) {
    GridData grid = testing::MakeField();
    // Stale results of this project go; another project's that merely share
    // the beginning of the name stay.
    std::ofstream(folder_ / "project" / "site-7.kvo") << "old";
    std::ofstream(folder_ / "project" / "site2-1.kvo") << "other project";
    ModelRun run(grid, Project(), ProgramFolder());
    EXPECT_EQ(run.BaseName(), "site");
    EXPECT_EQ(run.WorkingFolder(), (folder_ / "project").string());
    ASSERT_TRUE(run.WriteInput());
    EXPECT_TRUE(fs::exists(folder_ / "project" / "site.kvi"));
    run.CleanStaleResults();
    EXPECT_FALSE(fs::exists(folder_ / "project" / "site-7.kvo"));
    EXPECT_TRUE(fs::exists(folder_ / "project" / "site2-1.kvo"));

    ASSERT_TRUE(run.StartSolver()) << sink_.messages.front();
    int percent = -1;
    const std::vector<std::string> lines = Follow(run, &percent);
    EXPECT_TRUE(run.Finish()) << run.FailureMessage();
    EXPECT_EQ(run.FailureMessage(), "");
    EXPECT_EQ(percent, 100);
    ASSERT_GE(lines.size(), 60u);
    EXPECT_EQ(lines[1].rfind("Day 0 ", 0), 0u);

    OutputStore results;
    ASSERT_TRUE(run.LoadResults(results));
    EXPECT_EQ(results.gridOutputs.size(), 14u);
    // The run never changes the model: the caller installs what it read.
    EXPECT_TRUE(grid.Outputs().Empty());
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ModelRunTest, CancelEndsTheSolverAndLeavesNoResult) {
    testing::FieldOptions options;
    options.days = 20000;
    GridData grid = testing::MakeField(options);
    ReaderContents(grid).rowSpacing.assign(20, 10.0);
    ReaderContents(grid).columnSpacing.assign(20, 10.0);
    ReaderContents(grid).layerSpacing.assign(5, 40.0);
    grid.Resize(5, 20, 20);
    ModelRun run(grid, Project(), ProgramFolder());
    ASSERT_TRUE(run.WriteInput());
    ASSERT_TRUE(run.StartSolver());
    const pid_t pid = run.Process()->Pid();
    // Wait for the first simulated day, then cancel.
    std::string line;
    bool ended = false;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (line.rfind("Day ", 0) != 0 && !ended && Clock::now() < deadline) {
        if (!run.Poll(line, ended)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_FALSE(ended);
    const auto before = Clock::now();
    run.Cancel();
    EXPECT_LT(Clock::now() - before, std::chrono::seconds(3));
    EXPECT_TRUE(run.Cancelled());
    EXPECT_FALSE(run.Process()->Running());
    EXPECT_FALSE(run.Finish());
    errno = 0;
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1); // reaped: no zombie
    EXPECT_EQ(errno, ECHILD);
    EXPECT_FALSE(fs::exists(folder_ / "project" / "site.day"));
}

TEST_F(ModelRunTest, ASolverThatCannotStartIsReportedByName) {
    GridData grid = testing::MakeField();
    ModelRun run(grid, Project(), (folder_ / "bin").string());
    EXPECT_FALSE(run.StartSolver());
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].find((folder_ / "bin" / "korva_model3d").string()),
              std::string::npos)
        << sink_.messages[0];
    EXPECT_FALSE(run.Finish());
    EXPECT_NE(run.FailureMessage().find("korva_model3d"), std::string::npos);
    std::string line;
    bool ended = false;
    EXPECT_FALSE(run.Poll(line, ended));
    EXPECT_TRUE(ended);

    ReaderContents(grid).ModelKind = 7;
    ModelRun none(grid, Project(), ProgramFolder());
    EXPECT_TRUE(none.SolverCommand().empty());
    EXPECT_FALSE(none.StartSolver());
}

TEST_F(ModelRunTest, TheSolverGetsTheBaseNameInTheProjectFolder) {
    GridData grid = testing::MakeField();
    ModelRun run(grid, Project(), FakeSolver("echo \"$# $1 $(pwd)\"; : > site.day"));
    ASSERT_TRUE(run.StartSolver());
    const std::vector<std::string> lines = Follow(run);
    EXPECT_TRUE(run.Finish());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "1 site " + fs::canonical(folder_ / "project").string());
}

// The progress poll may hand out a line in pieces as it arrives; the whole-line
// poll holds a piece back until its line is complete or the output ends.
TEST_F(ModelRunTest, WholeLinesArriveOnceAndComplete) {
    GridData grid = testing::MakeField();
    ModelRun run(
        grid, Project(),
        FakeSolver("printf 'Day 1 '; sleep 0.3; echo 'done'; echo; printf tail; : > site.day"));
    ASSERT_TRUE(run.StartSolver());
    std::vector<std::string> lines;
    std::string line;
    bool ended = false;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (!ended && Clock::now() < deadline) {
        if (run.PollWholeLine(line, ended)) {
            lines.push_back(line);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    EXPECT_TRUE(run.Finish());
    EXPECT_EQ(lines, (std::vector<std::string>{"Day 1 done", "tail"}));
}

TEST_F(ModelRunTest, ASolverThatFailsIsNotASuccessfulRun) {
    GridData grid = testing::MakeField();
    {
        ModelRun run(grid, Project(), FakeSolver("echo starting; exit 3"));
        ASSERT_TRUE(run.StartSolver());
        Follow(run);
        EXPECT_FALSE(run.Finish());
        EXPECT_NE(run.FailureMessage().find("exit status 3"), std::string::npos)
            << run.FailureMessage();
    }
    {
        ModelRun run(grid, Project(), FakeSolver("kill -SEGV $$"));
        ASSERT_TRUE(run.StartSolver());
        Follow(run);
        EXPECT_FALSE(run.Finish());
        EXPECT_NE(run.FailureMessage().find("signal 11"), std::string::npos)
            << run.FailureMessage();
    }
}

// The results of the previous run are gone by the time the solver starts, so
// a solver that ends well but writes nothing must not pass for a run.
TEST_F(ModelRunTest, ASolverThatWritesNoResultsHasNotRun) {
    GridData grid = testing::MakeField();
    {
        ModelRun run(grid, Project(), FakeSolver("echo 'all done'"));
        ASSERT_TRUE(run.StartSolver());
        run.FollowToEnd();
        EXPECT_FALSE(run.Finish());
        EXPECT_NE(run.FailureMessage().find("site.day is missing"), std::string::npos)
            << run.FailureMessage();
    }
    {
        // Without print dates inside the run there is no list of times to expect.
        grid.SetPrintList({{1, 1, 1991}});
        ModelRun run(grid, Project(), FakeSolver("echo 'all done'"));
        ASSERT_TRUE(run.StartSolver());
        run.FollowToEnd();
        EXPECT_TRUE(run.Finish()) << run.FailureMessage();
    }
}

// A solver that writes megabytes without a line feed costs a bounded line,
// which says it was cut; the next line comes whole.
TEST_F(ModelRunTest, AnEndlessLineIsCutAndSaysSo) {
    GridData grid = testing::MakeField();
    ModelRun run(grid, Project(),
                 FakeSolver("head -c 3000000 /dev/zero | tr '\\0' x; echo; echo next; "
                            ": > site.day"));
    ASSERT_TRUE(run.StartSolver());
    std::vector<std::string> lines;
    run.FollowToEnd(
        [](const std::string& line, void* data) {
            static_cast<std::vector<std::string>*>(data)->push_back(line);
        },
        &lines);
    EXPECT_TRUE(run.Finish()) << run.FailureMessage();
    ASSERT_EQ(lines.size(), 2u);
    const std::string note =
        " [line cut: " + std::to_string(3000000 - ModelRun::MaxOutputLineLength) +
        " more bytes not shown]";
    EXPECT_EQ(lines[0], std::string(ModelRun::MaxOutputLineLength, 'x') + note);
    EXPECT_EQ(lines[1], "next");
}

// The solver's scratch files are known by having appeared during a run; a
// user's file of such a name is never deleted.
TEST_F(ModelRunTest, TheNextRunDeletesOnlyTheScratchFilesThisRunLeft) {
    GridData grid = testing::MakeField();
    const fs::path folder = folder_ / "project";
    std::ofstream(folder / "tmp1") << "mine";
    std::ofstream(folder / "tmp.c") << "int main() {}";
    for (int round = 0; round < 2; ++round) {
        ModelRun run(grid, Project(), FakeSolver("echo x > tmp2; echo y > tmpab; : > site.day"));
        run.CleanStaleResults();
        EXPECT_FALSE(fs::exists(folder / "tmp2"));
        ASSERT_TRUE(run.StartSolver());
        run.FollowToEnd();
        EXPECT_TRUE(run.Finish()) << run.FailureMessage();
        EXPECT_TRUE(fs::exists(folder / "tmp2"));
    }
    ModelRun last(grid, Project(), FakeSolver(": > site.day"));
    last.CleanStaleResults();
    EXPECT_FALSE(fs::exists(folder / "tmp2"));
    EXPECT_FALSE(fs::exists(folder / "tmpab"));
    EXPECT_TRUE(fs::exists(folder / "tmp1"));
    EXPECT_TRUE(fs::exists(folder / "tmp.c"));
}

// A project named like one of the run's own files would be overwritten by
// the input set or deleted with the old results.
TEST_F(ModelRunTest, AProjectNamedLikeARunFileIsNotRun) {
    EXPECT_TRUE(ModelRun::ProjectNameProblem("/a/site.kvp").empty());
    EXPECT_TRUE(ModelRun::ProjectNameProblem("/a/site").empty());
    EXPECT_TRUE(ModelRun::ProjectNameProblem("/a/site.kvi.kvp").empty());
    for (const std::string& extension : ModelRun::RunFileExtensions()) {
        const std::string problem = ModelRun::ProjectNameProblem("/a/site" + extension);
        EXPECT_NE(problem.find("\"" + extension + "\""), std::string::npos) << problem;
    }
    EXPECT_FALSE(ModelRun::ProjectNameProblem("/a/SITE.KVI").empty());

    GridData grid = testing::MakeField();
    const std::string project = (folder_ / "project" / "site.kvi").string();
    std::ofstream(project) << "the project";
    ModelRun run(grid, project, ProgramFolder());
    EXPECT_FALSE(run.WriteInput());
    std::ifstream in(project);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "the project");
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].find("cannot be run"), std::string::npos);
}

} // namespace
} // namespace korva
