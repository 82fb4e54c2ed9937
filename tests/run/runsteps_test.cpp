// The steps around the solver: what a run deletes beforehand and how it reads
// the solver's progress.
#include "run/logprogress.h"
#include "run/staleresults.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korva {
namespace {

namespace fs = std::filesystem;

TEST(StaleResults, OnlyThisProjectsOwnResultsAreRecognised) {
    for (const char* name : {"site.day", "site.log", "site-1.kvo", "site-12.kvo", "site_MC.tss",
                             "site_SWT.tss", "site_WE.tss"}) {
        EXPECT_TRUE(IsOwnResultFile(name, "site")) << name;
    }
    for (const char* name :
         {"site2.day", "site2-1.kvo", "site2_MC.tss", "site-.kvo", "site-1a.kvo", "site_XX.tss",
          "site.kvp", "site.kvi", "site_MC.tss~", "site.day.bak", "other.day"}) {
        EXPECT_FALSE(IsOwnResultFile(name, "site")) << name;
    }
    EXPECT_FALSE(IsOwnResultFile("site.day", ""));
    EXPECT_TRUE(IsSolverScratchFile("tmp1"));
    EXPECT_TRUE(IsSolverScratchFile("tmpabc"));
    EXPECT_FALSE(IsSolverScratchFile("tmp/x"));
    EXPECT_FALSE(IsSolverScratchFile("tmp"));
    EXPECT_FALSE(IsSolverScratchFile("tmp1234"));
    EXPECT_FALSE(IsSolverScratchFile("xtmp1"));
}

TEST(StaleResults, DeletingLeavesOtherProjectsInputAndFoldersAlone) {
    const fs::path folder =
        fs::temp_directory_path() / ("korva-stale-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "work");
    const std::vector<std::string> doomed = {"site.day", "site-1.kvo", "site-2.kvo", "site_US.tss",
                                             "site.log"};
    const std::vector<std::string> kept = {"site.kvp",    "site.kvi",     "site2.day",
                                           "site2-1.kvo", "site2_US.tss", "siteX-1.kvo",
                                           "notes.txt"};
    for (const auto& name : doomed)
        std::ofstream(folder / name) << "x";
    for (const auto& name : kept)
        std::ofstream(folder / name) << "x";
    fs::create_directories(folder / "site-3.kvo"); // a folder is never a result

    const std::vector<std::string> deleted =
        DeleteStaleResults((folder / "site").string(), (folder / "work").string());
    EXPECT_EQ(deleted.size(), doomed.size());
    for (const auto& name : doomed)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_TRUE(fs::is_directory(folder / "site-3.kvo"));
    fs::remove_all(folder);
}

// A user's tmp.c or tmp1 beside the project survives every run; what the
// solver of this project left goes before its next run, and only then.
TEST(StaleResults, OnlyScratchFilesAnEarlierRunLeftAreDeleted) {
    const fs::path work =
        fs::temp_directory_path() / ("korva-scratch-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    for (const char* name : {"tmp1", "tmp.c", "tmp1234"})
        std::ofstream(work / name) << "the user's";
    const std::vector<std::string> before = ListScratchFiles(work.string());
    EXPECT_EQ(before, (std::vector<std::string>{"tmp.c", "tmp1"}));

    // The solver makes two files and a folder while it runs.
    std::ofstream(work / "tmp2") << "solver";
    std::ofstream(work / "tmpab") << "solver";
    fs::create_directories(work / "tmp9");
    RecordNewScratchFiles(work.string(), "site", before);
    EXPECT_TRUE(fs::exists(ScratchRecordPath(work.string(), "site")));
    // Another project's run in the same folder keeps its own record.
    RecordNewScratchFiles(work.string(), "other", ListScratchFiles(work.string()));
    EXPECT_FALSE(fs::exists(ScratchRecordPath(work.string(), "other")));

    // A record that names a path elsewhere is not followed out of the folder.
    std::ofstream(ScratchRecordPath(work.string(), "site"), std::ios::app) << "tmp/x\n../tmp1\n";
    fs::create_directories(work / "tmp");
    std::ofstream(work / "tmp" / "x") << "elsewhere";

    const std::vector<std::string> deleted =
        DeleteStaleResults((work / "site").string(), work.string());
    EXPECT_EQ(deleted.size(), 2u);
    EXPECT_FALSE(fs::exists(work / "tmp2"));
    EXPECT_FALSE(fs::exists(work / "tmpab"));
    for (const char* name : {"tmp1", "tmp.c", "tmp1234", "tmp/x"})
        EXPECT_TRUE(fs::exists(work / name)) << name;
    EXPECT_TRUE(fs::is_directory(work / "tmp9"));
    EXPECT_FALSE(fs::exists(ScratchRecordPath(work.string(), "site")));

    // A run that made nothing new leaves no record behind.
    RecordNewScratchFiles(work.string(), "site", ListScratchFiles(work.string()));
    EXPECT_FALSE(fs::exists(ScratchRecordPath(work.string(), "site")));
    fs::remove_all(work);
}

TEST(LogProgress, TheLastCompleteStatusLineCounts) {
    int percent = -1;
    EXPECT_TRUE(ParseLogProgress("KORVA 3D 0 percent\nDay 5 40 percent complete\n", percent));
    EXPECT_EQ(percent, 40);
    // A line still being written is not looked at.
    percent = -1;
    EXPECT_TRUE(ParseLogProgress("Day 5 40 percent\nDay 6 4", percent));
    EXPECT_EQ(percent, 40);
    // An empty line ends the log; the line before the first one counts.
    EXPECT_TRUE(ParseLogProgress("Day 1 10 x\r\nDay 2 20 x\r\n\r\nDay 3 30 x\n", percent));
    EXPECT_EQ(percent, 20);
    // A third word that is no number gives 0; one with a unit its leading number.
    EXPECT_TRUE(ParseLogProgress("KORVA run starting now\n", percent));
    EXPECT_EQ(percent, 0);
    EXPECT_TRUE(ParseLogProgress("Day 9 75% done\n", percent));
    EXPECT_EQ(percent, 75);
    EXPECT_TRUE(ParseLogProgress("two words\n", percent));
    EXPECT_EQ(percent, 0);
    EXPECT_TRUE(ParseLogProgress("Day 9 99999999999999999999\n", percent));
    EXPECT_EQ(percent, 100);
    // Nothing complete yet: the caller keeps what it shows.
    percent = 7;
    EXPECT_FALSE(ParseLogProgress("", percent));
    EXPECT_FALSE(ParseLogProgress("Day 1 10", percent));
    EXPECT_FALSE(ParseLogProgress("\nDay 1 10\n", percent));
    EXPECT_EQ(percent, 7);
    EXPECT_FALSE(ReadLogProgress("/nonexistent/site.log", percent));
    EXPECT_EQ(percent, 7);
}

} // namespace
} // namespace korva
