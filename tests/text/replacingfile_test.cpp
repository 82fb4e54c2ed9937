// Files that replace others only once complete: what a failed write leaves,
// what happens to links and devices under the name.
#include "files/replacingfile.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korva {
namespace {

namespace fs = std::filesystem;

class ReplacingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korva-replacing-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(ReplacingFileTest, ReplacesTheOldFileOnlyWhenComplete) {
    const fs::path path = folder_ / "out.txt";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0640);
    {
        ReplacingFile file(path.string());
        ASSERT_TRUE(file.IsOpen());
        file.Stream() << "new " << 42;
        EXPECT_EQ(Read(path), "old"); // nothing shows before the commit
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(Read(path), "new 42");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Abandoned before the commit: the old file stays and no scrap is left.
    {
        ReplacingFile file(path.string());
        file.Write("half");
    }
    EXPECT_EQ(Read(path), "new 42");
    EXPECT_EQ(Entries(), 1u);

    // A folder that takes no file: not open, and says why.
    ReplacingFile missing((folder_ / "no" / "such.txt").string());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.Commit());
    EXPECT_EQ(missing.ErrorText(), std::strerror(ENOENT));
}

// A full disk, made by a file size limit in a child process: the write fails,
// the commit says so, and the old file is whole.
TEST_F(ReplacingFileTest, AFullDiskLeavesTheOldFileWhole) {
    const fs::path path = folder_ / "big.txt";
    std::ofstream(path) << "old";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ReplacingFile file(path.string());
        for (int i = 0; i < 1000; ++i)
            file.Stream() << "a line of text that fills the disk\n";
        ::_exit(file.Commit() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(ReplacingFileTest, ALinkToAFileIsReplacedALinkToADeviceWrittenThrough) {
    const fs::path outside = folder_ / "outside.txt";
    std::ofstream(outside) << "precious";
    const fs::path planted = folder_ / "site.day";
    fs::create_symlink(outside, planted);
    {
        ReplacingFile file(planted.string());
        file.Write("results");
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_FALSE(fs::is_symlink(planted));
    EXPECT_EQ(Read(planted), "results");
    EXPECT_EQ(Read(outside), "precious");

    // A pipe, directly and behind a link (as /dev/stdout is): written in
    // place, and still a pipe afterwards.
    const fs::path fifo = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const fs::path link = folder_ / "stdout";
    fs::create_symlink(fifo, link);
    for (const fs::path& name : {fifo, link}) {
        ReplacingFile file(name.string());
        ASSERT_TRUE(file.IsOpen()) << name;
        file.Write("through");
        EXPECT_TRUE(file.Commit()) << name;
        char buffer[16] = {};
        EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
        EXPECT_EQ(std::string(buffer, 7), "through");
    }
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(link));
}

} // namespace
} // namespace korva
