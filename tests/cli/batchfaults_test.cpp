// korva-batch as a careless or hostile user meets it: damaged projects, odd
// names, full disks, planted links, endless devices. Each case runs the built
// tool as a process in a scratch folder and looks at what it left on disk.
#include "batchrunner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using korva::testing::ReadFile;
using korva::testing::WriteFile;

// Replaces the first from in text by to; fails the test when from is absent.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class BatchFaults : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korva-faults-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        example_ = ReadFile(fs::path(KORVA_SOURCE_DIR) / "examples/field3d.kvp");
        ASSERT_FALSE(example_.empty());
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the tool in the scratch folder (fileBlocks: a full disk, as
    // RunBatch says); its output and messages land in out_ and err_.
    int Tool(const std::vector<std::string>& args, int fileBlocks = 0) {
        korva::testing::BatchRun run = korva::testing::RunBatch(folder_, args, folder_, fileBlocks);
        out_ = std::move(run.out);
        err_ = std::move(run.err);
        return run.status;
    }
    // The names in the scratch folder, sorted.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The example with one count of its time-series selections made no number:
    // everything from there on (crops, fluxes, Z exaggeration) is unread.
    std::string Damaged() const {
        const std::size_t at = example_.find("parameters for this cell = 0", SelectionGrid());
        EXPECT_NE(at, std::string::npos);
        std::string text = example_;
        text[at + 27] = 'x';
        return text;
    }
    // Where the grid of time-series selections starts, after the print dates.
    std::size_t SelectionGrid() const {
        return example_.find("layer data = ", example_.find("print data item"));
    }

    fs::path folder_;
    std::string example_;
    std::string out_, err_;
};

TEST_F(BatchFaults, AProjectReadWithErrorsIsNeitherRunNorSavedOverItself) {
    const std::string damaged = Damaged();
    WriteFile(folder_ / "site.kvp", damaged);

    EXPECT_EQ(Tool({"resave", "site.kvp", "site.kvp"}), 1);
    EXPECT_NE(err_.find("site.kvp was read with errors"), std::string::npos) << err_;
    EXPECT_NE(err_.find("name another output file"), std::string::npos) << err_;
    EXPECT_EQ(ReadFile(folder_ / "site.kvp"), damaged);

    // Another name of the same file is the same file.
    fs::create_symlink("site.kvp", folder_ / "link.kvp");
    EXPECT_EQ(Tool({"resave", "site.kvp", "link.kvp"}), 1);
    EXPECT_EQ(Tool({"import-param", "--skip", "0", "link.kvp", "0", "/dev/null", "site.kvp"}), 1);
    EXPECT_EQ(ReadFile(folder_ / "site.kvp"), damaged);
    fs::remove(folder_ / "link.kvp");

    // Into another file the damaged model may go, with a warning.
    EXPECT_EQ(Tool({"resave", "site.kvp", "rescued.kvp"}), 0) << err_;
    EXPECT_NE(err_.find("rescued.kvp lacks the items after the damage"), std::string::npos) << err_;

    // The run stops before it writes anything at all.
    EXPECT_EQ(Tool({"run", "site.kvp"}), 1);
    EXPECT_NE(err_.find("read with errors"), std::string::npos) << err_;
    EXPECT_EQ(Listing(), (std::vector<std::string>{"rescued.kvp", "site.kvp"}));
    EXPECT_EQ(ReadFile(folder_ / "site.kvp"), damaged);

    // A file that merely ends after its print dates is no damage.
    const std::string cut = example_.substr(0, SelectionGrid());
    WriteFile(folder_ / "cut.kvp", cut);
    EXPECT_EQ(Tool({"resave", "cut.kvp", "cut.kvp"}), 0) << err_;
}

TEST_F(BatchFaults, AProjectNamedLikeARunFileIsRefusedAndKept) {
    for (const char* name : {"site.kvi", "site.day", "site.log", "site.kvo", "SITE.PRN"}) {
        WriteFile(folder_ / name, example_);
        EXPECT_EQ(Tool({"run", name}), 1) << name;
        EXPECT_NE(err_.find("cannot be run"), std::string::npos) << err_;
        EXPECT_EQ(ReadFile(folder_ / name), example_) << name;
        EXPECT_EQ(Listing(), std::vector<std::string>{name});
        fs::remove(folder_ / name);
    }
}

// A full disk while an export or the input set is written: the failure is
// reported and the file that was there before is still whole.
TEST_F(BatchFaults, AFullDiskLeavesTheOldFilesWhole) {
    WriteFile(folder_ / "site.kvp", example_);
    WriteFile(folder_ / "ground.txt", "the export of yesterday\n");
    EXPECT_EQ(Tool({"export-param", "site.kvp", "0", "ground.txt"}, 1), 1);
    EXPECT_NE(err_.find("ground.txt"), std::string::npos) << err_;
    EXPECT_EQ(ReadFile(folder_ / "ground.txt"), "the export of yesterday\n");

    WriteFile(folder_ / "set.kvi", "yesterday's set\n");
    EXPECT_EQ(Tool({"write-input", "site.kvp", "set"}, 8), 1);
    EXPECT_EQ(ReadFile(folder_ / "set.kvi"), "yesterday's set\n");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"ground.txt", "set.kvi", "site.kvp"}));

    // With room the same commands succeed.
    EXPECT_EQ(Tool({"export-param", "site.kvp", "0", "ground.txt"}), 0) << err_;
    EXPECT_EQ(ReadFile(folder_ / "ground.txt").rfind("Parameter Ground Elevation", 0), 0u);
}

// A link planted under an input or result name is replaced, never written
// through into the file it points to.
TEST_F(BatchFaults, PlantedLinksAreReplacedNotWrittenThrough) {
    const fs::path outside = folder_ / "outside";
    fs::create_directories(outside);
    fs::create_directories(folder_ / "project");
    for (const char* name : {"kvi", "prn", "day", "log", "txt"})
        WriteFile(outside / name, "precious\n");
    WriteFile(folder_ / "project" / "site.kvp", example_);
    fs::create_symlink(outside / "kvi", folder_ / "project" / "site.kvi");
    fs::create_symlink(outside / "prn", folder_ / "project" / "site.prn");
    fs::create_symlink(outside / "day", folder_ / "project" / "site.day");
    fs::create_symlink(outside / "log", folder_ / "project" / "site.log");
    fs::create_symlink(outside / "txt", folder_ / "project" / "export.txt");

    EXPECT_EQ(Tool({"run", "project/site.kvp"}), 0) << err_;
    EXPECT_EQ(Tool({"export-param", "project/site.kvp", "0", "project/export.txt"}), 0) << err_;
    for (const char* name : {"kvi", "prn", "day", "log", "txt"})
        EXPECT_EQ(ReadFile(outside / name), "precious\n") << name;
    for (const char* name : {"site.kvi", "site.prn", "site.day", "site.log", "export.txt"})
        EXPECT_FALSE(fs::is_symlink(folder_ / "project" / name)) << name;
}

// Devices that never end are no text grids: the import fails soon, with a
// message, and the project is not touched.
TEST_F(BatchFaults, EndlessDevicesAreNoTextGrids) {
    WriteFile(folder_ / "site.kvp", example_);
    EXPECT_EQ(Tool({"import-param", "site.kvp", "0", "/dev/zero", "out.kvp"}), 1);
    EXPECT_NE(err_.find("Unable to import file /dev/zero"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(folder_ / "out.kvp"));

    // Random bytes stop at the first thing that is no number.
    EXPECT_EQ(Tool({"import-param", "--skip", "0", "site.kvp", "0", "/dev/urandom", "out.kvp"}), 0);
    EXPECT_NE(err_.find("the other cells keep their values"), std::string::npos) << err_;
    EXPECT_EQ(Tool({"import-boundary", "site.kvp", "no-flow", "1", "/dev/zero", "out.kvp"}), 1);
    EXPECT_EQ(ReadFile(folder_ / "site.kvp"), example_);
}

TEST_F(BatchFaults, OutputsOfAnotherGridNameBothSizes) {
    WriteFile(folder_ / "site.kvp", example_);
    ASSERT_EQ(Tool({"run", "site.kvp"}), 0) << err_;
    const std::string kvo = ReadFile(folder_ / "site-2.kvo");
    WriteFile(folder_ / "site-2.kvo", Replaced(kvo, "\n12 15 6\n", "\n12 14 6\n"));
    EXPECT_EQ(Tool({"outputs", "site.kvp"}), 1);
    EXPECT_NE(err_.find("site-2.kvo is for a grid of 12 rows, 14 columns and 6 layers; the "
                        "project's grid has 12 rows, 15 columns and 6 layers"),
              std::string::npos)
        << err_;
}

// The solver's own files are written aside and renamed too: a run onto a full
// disk fails without leaving partial results that look like a run.
TEST_F(BatchFaults, ARunOntoAFullDiskFailsAndSaysSo) {
    WriteFile(folder_ / "site.kvp", example_);
    EXPECT_EQ(Tool({"run", "site.kvp"}, 40), 1);
    EXPECT_EQ(ReadFile(folder_ / "site.kvp"), example_);
    for (const std::string& name : Listing())
        EXPECT_EQ(name.find(".writing-"), std::string::npos) << name;
}

} // namespace
