// The component's file services: the profile reader, session records and
// their locked appends, the unique-name service and the ownership rules.
#include "ownednames.h"
#include "profilefile.h"
#include "sessionfile.h"
#include "sessionrecords.h"
#include "uniquefile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <unistd.h>

namespace korva::pxserver {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                ("pxcore-" + std::to_string(::getpid()) + "-" + std::to_string(next_++));
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string Folder() const { return path_.string() + "/"; }

private:
    fs::path path_;
    static inline int next_ = 0;
};

TEST(ProfileFile, ReadsKeysWithTheHostsRules) {
    const auto profile = ProfileFile::Parse("; comment\r\n"
                                            "key=outside any section\n"
                                            "[ system ]\r\n"
                                            "  TRACECLASS =  0  \r\n"
                                            "FileLoc=\"/srv/sessions\"\n"
                                            "TraceClass=second is ignored\n"
                                            "[Location]\n"
                                            "URL=\n"
                                            "broken line without equals\n"
                                            "[System]\n"
                                            "Extra=later section of the same name\n");
    EXPECT_EQ(profile.Value("System", "TraceClass"), "0");
    EXPECT_EQ(profile.Value("SYSTEM", "fileloc"), "/srv/sessions");
    EXPECT_EQ(profile.Value("Location", "URL"), "");
    EXPECT_EQ(profile.Value("Location", "Location"), std::nullopt);
    EXPECT_EQ(profile.Value("", "key"), std::nullopt);
    EXPECT_EQ(profile.Value("System", "Extra"), "later section of the same name");
}

TEST(ProfileFile, CutsValuesToTheBufferAndSurvivesMissingFiles) {
    const std::string longValue(400, 'x');
    const auto profile = ProfileFile::Parse("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(profile.Value("S", "k")->size(), ProfileFile::kValueBufferSize - 1);
    EXPECT_EQ(ProfileFile::ReadString("/nonexistent/PXPropVB.ini", "System", "TraceClass"), "");
    TempFolder folder;
    EXPECT_EQ(ProfileFile::ReadString(folder.Folder(), "System", "TraceClass"), "")
        << "a folder is no profile";
}

TEST(SessionRecords, PadsParsesAndRefusesWhatCannotReadBack) {
    const auto record = FormatSessionRecord("/tmp/SES1.TMP");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->size(), kRecordSize);
    EXPECT_EQ(record->back(), ' ');
    const auto records = ParseSessionRecords(*record + *FormatSessionRecord("/a/PX2.JPG") + "torn");
    EXPECT_EQ(records, (std::vector<std::string>{"/tmp/SES1.TMP", "/a/PX2.JPG"}));
    EXPECT_FALSE(FormatSessionRecord(std::string(kRecordSize + 1, 'a')));
    EXPECT_FALSE(FormatSessionRecord(std::string("/a\nb")));
    EXPECT_FALSE(FormatSessionRecord(std::string("/a\0b", 4)));
    EXPECT_TRUE(FormatSessionRecord(std::string(kRecordSize, 'a')));
}

TEST(OwnedNames, KnowsTheComponentsOwnFiles) {
    EXPECT_TRUE(IsSessionFileName("SES1A2F.TMP"));
    EXPECT_TRUE(IsSessionFileName("ses0.tmp"));
    EXPECT_FALSE(IsSessionFileName("SES12345.TMP"));
    EXPECT_FALSE(IsSessionFileName("SES.TMP"));
    EXPECT_FALSE(IsSessionFileName("SES1.TXT"));
    for (const char* name : {"PX1A2.tmp", "PX1A2.JPG", "PXFFFF.map", "PX1.png", "PX9.TIFF"})
        EXPECT_TRUE(IsChartFileName(name)) << name;
    for (const char* name : {"PX.JPG", "PX1G.JPG", "PX12345.JPG", "PX1.sh", "passwd", "XPX1.JPG"})
        EXPECT_FALSE(IsChartFileName(name)) << name;
    EXPECT_TRUE(HasParentPart("images/../PX1.JPG"));
    EXPECT_TRUE(HasParentPart("..\\PX1.JPG"));
    EXPECT_TRUE(HasParentPart(".."));
    EXPECT_FALSE(HasParentPart("images/..PX1.JPG"));
    EXPECT_EQ(FileNamePart("a\\b/c\\PX1.JPG"), "PX1.JPG");
    EXPECT_EQ(BaseNamePart("/srv/www.charts/images/PX1A2.tmp"), "PX1A2");
    EXPECT_EQ(BaseNamePart("images\\PX1A2.tmp"), "PX1A2");
    EXPECT_EQ(BaseNamePart("PX1A2"), "PX1A2");
}

TEST(OwnedNames, DeletesOnlyPlainChartFiles) {
    TempFolder folder;
    std::ofstream(folder / "PX1.JPG") << "x";
    std::ofstream(folder / "notes.txt") << "x";
    fs::create_symlink(folder / "notes.txt", folder / "PX2.JPG");
    fs::create_directory(folder / "PX3.JPG");
    EXPECT_TRUE(MayDeleteChartFile(folder / "PX1.JPG"));
    EXPECT_FALSE(MayDeleteChartFile(folder / "notes.txt"));
    EXPECT_FALSE(MayDeleteChartFile(folder / "PX2.JPG")) << "a link is not ours";
    EXPECT_FALSE(MayDeleteChartFile(folder / "PX3.JPG")) << "a folder is not ours";
    EXPECT_FALSE(MayDeleteChartFile(folder.Folder() + "x/../PX1.JPG"));
}

TEST(UniqueFile, MakesDistinctEmptyFilesAcrossThreads) {
    TempFolder folder;
    constexpr int kThreads = 8, kEach = 100;
    std::vector<std::vector<std::string>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                made[t].push_back(CreateUniqueFile(folder.Folder(), "PX"));
        });
    for (auto& thread : threads)
        thread.join();
    std::set<std::string> all;
    auto isPlaceholderName = [](std::string_view name) {
        return IsChartFileName(name) && name.size() >= 7 && name.size() <= 10 &&
               name.substr(name.size() - 4) == ".TMP" &&
               name.find_first_not_of("0123456789ABCDEF", 2) == name.size() - 4;
    };
    for (const auto& list : made)
        for (const auto& path : list) {
            ASSERT_FALSE(path.empty());
            EXPECT_TRUE(isPlaceholderName(FileNamePart(path))) << path;
            EXPECT_EQ(fs::file_size(path), 0u);
            all.insert(path);
        }
    EXPECT_EQ(all.size(), static_cast<size_t>(kThreads * kEach));
    EXPECT_EQ(FileNamePart(CreateUniqueFile(folder.Folder(), "SESSION")).substr(0, 3), "SES");
    EXPECT_EQ(CreateUniqueFile(folder / "missing/", "PX"), "");
}

class SessionFileTest : public ::testing::Test {
protected:
    std::string MakeSession() {
        const std::string path = CreateUniqueFile(folder.Folder(), "SES");
        std::string reason;
        EXPECT_TRUE(SessionFile::WriteOwnRecord(path, reason)) << reason;
        return path;
    }
    TempFolder folder;
};

TEST_F(SessionFileTest, ParallelAppendsLoseNoRecord) {
    const std::string path = MakeSession();
    constexpr int kThreads = 8, kEach = 40;
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            std::string reason;
            auto session = SessionFile::OpenOwn(path, reason);
            if (!session) {
                ++failures;
                return;
            }
            for (int i = 0; i < kEach; ++i)
                if (!session->Append("/f/" + std::to_string(t) + "-" + std::to_string(i), reason))
                    ++failures;
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto records = ParseSessionRecords(bytes);
    ASSERT_EQ(records.size(), static_cast<size_t>(1 + kThreads * kEach));
    EXPECT_EQ(records[0], path);
    const std::set<std::string> distinct(records.begin() + 1, records.end());
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kThreads * kEach));
}

TEST_F(SessionFileTest, OpensOnlySessionFilesItMade) {
    std::string reason;
    const std::string own = MakeSession();
    EXPECT_TRUE(SessionFile::OpenOwn(own, reason)) << reason;

    const std::string foreign = folder / "SES77.TMP";
    std::ofstream(foreign) << *FormatSessionRecord("/etc/SES77.TMP");
    EXPECT_FALSE(SessionFile::OpenOwn(foreign, reason)) << "record 1 names another file";

    const std::string link = folder / "SES78.TMP";
    fs::create_symlink(own, link);
    EXPECT_FALSE(SessionFile::OpenOwn(link, reason)) << "a link to a session is refused";

    const std::string wrongName = folder / "session.dat";
    std::ofstream(wrongName) << *FormatSessionRecord(wrongName);
    EXPECT_FALSE(SessionFile::OpenOwn(wrongName, reason));
    EXPECT_FALSE(
        SessionFile::OpenOwn(folder.Folder() + "x/../" + FileNamePart(own).data(), reason));
    EXPECT_FALSE(SessionFile::OpenOwn("SES1.TMP", reason)) << "not a full path";
    EXPECT_FALSE(SessionFile::OpenOwn(folder / "SES79.TMP", reason)) << "missing";

    const std::string empty = CreateUniqueFile(folder.Folder(), "SES");
    EXPECT_FALSE(SessionFile::OpenOwn(empty, reason)) << "no record 1";
}

} // namespace
} // namespace korva::pxserver
