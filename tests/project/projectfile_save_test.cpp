// A save either replaces the project completely or leaves the old file as it
// was: a full disk must never cost the user the project they had.
#include "files/project/projectfile.h"
#include "model/messages.h"
#include "projectfile_fixture.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korva {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Lets the process write files of at most limit bytes (a write beyond fails
// with EFBIG, as on a full disk) while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class ProjectSave : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("korva_save_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    size_t FilesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
    CollectingMessageSink sink;
    ScopedMessageSink scoped{sink};
};

TEST_F(ProjectSave, FailedWriteLeavesTheOldFileIntactAndSaysSo) {
    const fs::path path = folder / "field.kvp";
    { std::ofstream(path, std::ios::binary) << "the previous project\r\n"; }
    GridData big;
    big.ResetModel(1);
    ReaderContents(big).rowSpacing.assign(50, 10.0);
    ReaderContents(big).columnSpacing.assign(50, 10.0);
    big.Resize(1, 50, 50); // far more text than the limit below allows
    bool saved = true;
    {
        FileSizeLimit limit(4096);
        saved = WriteProjectFile(big, path.string());
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error writing save file " + path.string() + ": ", 0), 0u)
        << sink.messages[0];
    EXPECT_EQ(Contents(path), "the previous project\r\n");
    EXPECT_EQ(FilesInFolder(), 1u) << "the temporary file was left behind";

    // Without the limit the same save replaces the file.
    sink.messages.clear();
    ASSERT_TRUE(WriteProjectFile(big, path.string()));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(Contents(path).rfind("file version = 2.5\r\n", 0), 0u);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(ProjectSave, UnopenableTargetsReportTheOpenFailure) {
    GridData grid;
    grid.ResetModel(1);
    const std::string missing = (folder / "no such folder" / "p.kvp").string();
    EXPECT_FALSE(WriteProjectFile(grid, missing));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Unable to open output save file " + missing);

    sink.messages.clear();
    EXPECT_FALSE(WriteProjectFile(grid, folder.string()));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Unable to open output save file " + folder.string());
}

TEST_F(ProjectSave, ReplacingKeepsPermissionsAndLinks) {
    GridData grid;
    grid.ResetModel(0);
    const fs::path target = folder / "real.kvp";
    const fs::path link = folder / "link.kvp";
    { std::ofstream(target) << "old"; }
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);

    ASSERT_TRUE(WriteProjectFile(grid, link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(target).rfind("file version = 2.5\r\n", 0), 0u);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FilesInFolder(), 2u);
}

} // namespace
} // namespace korva
