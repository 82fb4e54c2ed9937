// korva-batch check and run: what stops a run, what a failed run leaves, and
// Ctrl-C while the solver is busy.
#include "cli/command.h"
#include "files/project/projectfile.h"
#include "model/messages.h"
#include "run/pipedprocess.h"
#include "tests/solver/testfield.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korva {
namespace {

namespace fs = std::filesystem;

class BatchRun : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korva-batch-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "bin");
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Save(const GridData& grid) {
        const std::string path = (folder_ / "site.kvp").string();
        EXPECT_TRUE(WriteProjectFile(grid, path));
        return path;
    }
    int Tool(const cli::Arguments& args) {
        out_.str("");
        err_.str("");
        cli::CommandContext context{out_, err_, std::string(KORVA_BINARY_DIR) + "/bin/"};
        return cli::RunTool(args, context);
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder_;
    std::ostringstream out_, err_;
    CollectingMessageSink sink_;
    ScopedMessageSink scope_{sink_};
};

TEST_F(BatchRun, CheckListsTheProblemsAndRunStopsOnThemUnlessFixed) {
    GridData grid = testing::MakeField();
    ReaderContents(grid).settings.irrigationTimeStep = 0;
    ReaderContents(grid).irrigation[0].insert(grid.Irrigation()[0].begin(), {1, 1, 1990, 2.0, 0.5});
    const std::string project = Save(grid);

    EXPECT_EQ(Tool({"check", project}), 1);
    EXPECT_EQ(out_.str(),
              "Irrigation Time Step: current value 0, default value 1\n"
              "Irrigation start must not begin on the first day of the simulation: current "
              "value ---, default value ---\n");

    const std::string before = Slurp(project);
    EXPECT_EQ(Tool({"run", project}), 1);
    EXPECT_NE(err_.str().find("--fix"), std::string::npos);
    EXPECT_EQ(Slurp(project), before);
    EXPECT_FALSE(fs::exists(folder_ / "site.kvi"));

    EXPECT_EQ(Tool({"run", "--fix", project}), 0) << err_.str();
    EXPECT_TRUE(fs::exists(folder_ / "site.day"));
    GridData saved;
    ASSERT_TRUE(ReadProjectFile(saved, project));
    EXPECT_EQ(saved.Settings().irrigationTimeStep, 1);
    EXPECT_EQ(saved.OutputBaseName(), "site");
    EXPECT_EQ(Tool({"check", project}), 1); // the first-day irrigation stays the user's
}

TEST_F(BatchRun, AFailedSolverLoadsNothingAndLeavesTheProjectAlone) {
    const std::string project = Save(testing::MakeField());
    const std::string before = Slurp(project);
    std::ofstream(folder_ / "site-1.kvo") << "stale result of an earlier run";
    const fs::path script = folder_ / "bin" / "korva_model3d";
    std::ofstream(script) << "#!/bin/sh\necho 'half way'\nexit 4\n";
    ::chmod(script.c_str(), 0755);

    EXPECT_EQ(Tool({"run", "--solver-dir", (folder_ / "bin").string(), project}), 1);
    EXPECT_NE(err_.str().find("exit status 4"), std::string::npos) << err_.str();
    EXPECT_EQ(out_.str(), "half way\n");
    EXPECT_EQ(Slurp(project), before);
    EXPECT_FALSE(fs::exists(folder_ / "site-1.kvo"));

    fs::remove(script);
    EXPECT_EQ(Tool({"run", "--solver-dir", (folder_ / "bin").string(), project}), 1);
    EXPECT_FALSE(sink_.messages.empty());
    EXPECT_NE(sink_.messages.back().find(script.string()), std::string::npos);
}

// Ctrl-C reaches korva-batch alone (the solver runs in its own process group);
// the tool then ends the solver and leaves the project unsaved.
TEST_F(BatchRun, InterruptStopsTheSolverCleanly) {
    testing::FieldOptions options;
    options.days = 20000;
    GridData grid = testing::MakeField(options);
    ReaderContents(grid).rowSpacing.assign(20, 10.0);
    ReaderContents(grid).columnSpacing.assign(20, 10.0);
    grid.Resize(4, 20, 20);
    const std::string project = Save(grid);
    const std::string before = Slurp(project);

    PipedProcess tool({KORVA_BATCH, "run", project});
    ASSERT_TRUE(tool.Started());
    std::string line;
    int count = 0;
    // Wait for the solver's first day.
    while (tool.ReadLine(line, count, false) && line.rfind("Day ", 0) != 0) {
    }
    ASSERT_EQ(line.rfind("Day ", 0), 0u);
    ::kill(tool.Pid(), SIGINT);
    std::string rest;
    while (tool.ReadLine(line, count, false))
        rest += line + "\n";
    const ProcessStatus status = tool.Wait();
    EXPECT_TRUE(status.exited);
    EXPECT_EQ(status.exitCode, 130);
    EXPECT_NE(rest.find("cancelled"), std::string::npos) << rest;
    EXPECT_EQ(Slurp(project), before);
    EXPECT_FALSE(fs::exists(folder_ / "site.day"));
    // No solver is left running in the project's folder.
    const std::string log = Slurp((folder_ / "site.log").string());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Slurp((folder_ / "site.log").string()), log);
}

} // namespace
} // namespace korva
