// The solver's process: its output line by line, reading without blocking,
// a program that cannot start, and ending a child that does not want to end.
#include "run/pipedprocess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace korva {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> Shell(const std::string& script) {
    return {"/bin/sh", "-c", script};
}

// Reads every line until the output ends.
std::vector<std::string> AllLines(PipedProcess& process) {
    std::vector<std::string> lines;
    std::string line;
    int count = 0;
    while (process.ReadLine(line, count, false))
        lines.push_back(line);
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TEST(PipedProcess, ReadsOutputAndErrorLineByLineUntilTheEnd) {
    PipedProcess process(Shell("echo one; echo two >&2; printf 'three\\r\\nfour'; exit 0"));
    ASSERT_TRUE(process.Started());
    const std::vector<std::string> lines = AllLines(process);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "three\r"); // a carriage return before the line feed stays
    EXPECT_EQ(lines[3], "four");    // the last line, without a line feed, at the end
    EXPECT_TRUE(process.Wait().Success());
    // The end stays the end.
    std::string line;
    int count = 1;
    EXPECT_FALSE(process.ReadLine(line, count, true));
    EXPECT_EQ(count, 0);
}

TEST(PipedProcess, RunsInTheWorkingFolderWithAnEmptyStandardInput) {
    PipedProcess process(Shell("pwd; read x || echo no-input"), "/tmp");
    ASSERT_TRUE(process.Started());
    const std::vector<std::string> lines = AllLines(process);
    // A child that reads its input finds the end at once instead of hanging.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "/tmp");
    EXPECT_EQ(lines[1], "no-input");
}

TEST(PipedProcess, StopWhenEmptyNeverWaitsForTheRestOfALine) {
    PipedProcess process(Shell("printf part; sleep 3; echo rest"));
    ASSERT_TRUE(process.Started());
    std::string line;
    int count = 0;
    // Wait until the first part has arrived, then it comes out as a line of its own.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    std::string seen;
    while (seen.empty() && Clock::now() < deadline) {
        const auto before = Clock::now();
        ASSERT_TRUE(process.ReadLine(line, count, true));
        EXPECT_LT(Clock::now() - before, std::chrono::seconds(2)); // the rest takes 3 s
        seen = line;
        if (seen.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(seen, "part");
    EXPECT_EQ(count, 4);
    // The rest follows as a further line, and then the end.
    ASSERT_TRUE(process.ReadLine(line, count, false));
    EXPECT_EQ(line, "rest");
    EXPECT_FALSE(process.ReadLine(line, count, false));
}

TEST(PipedProcess, AProgramThatCannotStartSaysWhy) {
    PipedProcess process({"/nonexistent/korva_model3d", "site"});
    EXPECT_FALSE(process.Started());
    EXPECT_FALSE(process.StartError().empty());
    std::string line;
    int count = 0;
    EXPECT_FALSE(process.ReadLine(line, count, true));
    EXPECT_FALSE(process.Running());
    process.Terminate(); // harmless

    PipedProcess empty({});
    EXPECT_FALSE(empty.Started());
}

TEST(PipedProcess, TellsHowAChildEnded) {
    PipedProcess failing(Shell("exit 3"));
    EXPECT_EQ(failing.Wait().exitCode, 3);
    EXPECT_FALSE(failing.Wait().Success());
    EXPECT_EQ(DescribeProcessStatus(failing.Wait()), "exit status 3");

    PipedProcess killed(Shell("kill -9 $$"));
    const ProcessStatus status = killed.Wait();
    EXPECT_TRUE(status.signaled);
    EXPECT_EQ(status.signal, SIGKILL);
    EXPECT_EQ(DescribeProcessStatus(status).rfind("signal 9", 0), 0u);
}

// A child that ignores the polite request is killed after the grace period,
// with everything it started, and leaves no zombie behind.
TEST(PipedProcess, TerminateEndsEvenAStubbornChildAndItsChildren) {
    const auto start = Clock::now();
    pid_t pid = 0;
    {
        PipedProcess process(
            Shell("trap '' TERM; sleep 30 & echo started; while :; do sleep 1; done"));
        ASSERT_TRUE(process.Started());
        pid = process.Pid();
        std::string line;
        int count = 0;
        ASSERT_TRUE(process.ReadLine(line, count, false));
        EXPECT_EQ(line, "started");
        process.Terminate(300);
        EXPECT_FALSE(process.Running());
        EXPECT_TRUE(process.Terminated());
        EXPECT_TRUE(process.Wait().signaled);
        // The background sleep held the pipe too; it was killed with the group,
        // so the output ends.
        while (process.ReadLine(line, count, false)) {
        }
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
    errno = 0;
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

} // namespace
} // namespace korva
