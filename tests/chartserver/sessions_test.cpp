// Sessions: where session files go, what ending them deletes in each mode,
// and that session names from a page touch only the component's own files.
#include "componenttestenv.h"
#include "loader.h"
#include "pxserverprop.h"
#include "sessionrecords.h"
#include "uniquefile.h"

#include <chrono>
#include <gmock/gmock.h>
#include <thread>

namespace korva::pxserver::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class SessionTest : public ComponentTestEnv {
protected:
    // A session in images with n chart files recorded.
    std::string SessionWithFiles(Loader& loader, int n, std::vector<std::string>& files) {
        const std::string session = loader.ClsStart(true, images);
        for (int i = 0; i < n; ++i) {
            files.push_back(loader.UniqueFile(images, true));
            EXPECT_TRUE(loader.AddFile(session, files.back(), true));
        }
        return session;
    }
    std::vector<std::string> Records(const std::string& session) {
        return ParseSessionRecords(ReadFile(session));
    }
};

TEST_F(SessionTest, SessionFolderFollowsTheConfiguredRules) {
    TraceOn();
    Loader loader;
    std::string session = loader.ClsStart(true, "");
    EXPECT_EQ(session.rfind(tmp + "SES", 0), 0u) << "Temp comes first without FileLoc";
    EXPECT_THAT(TraceLines(), Contains("ClsStart(), Temp = " + tmp));
    EXPECT_EQ(Records(session), std::vector<std::string>{session});

    const std::string sessions = (root / "sessions").string();
    fs::create_directories(sessions);
    WriteFile(own + "PXPropVB.INI", "[System]\nFileLoc=" + sessions + "\n");
    session = loader.ClsStart(true, "");
    EXPECT_EQ(session.rfind(sessions + "/SES", 0), 0u) << "FileLoc in the own folder's file wins";
    EXPECT_THAT(TraceLines(), Contains("ClsStart(), Path in INI File"));

    WriteFile(own + "PXPropVB.INI", "[System]\nFileLoc=ab\n");
    ::unsetenv("Temp");
    const std::string other = (root / "other").string() + "/";
    fs::create_directories(other);
    ::setenv("TMP", other.c_str(), 1);
    session = loader.ClsStart(true, "");
    EXPECT_EQ(session.rfind(other + "SES", 0), 0u)
        << "a FileLoc under 3 characters is ignored; Tmp is found in any case";

    ::unsetenv("TMP");
    ::setenv("TMPDIR", images.c_str(), 1);
    session = loader.ClsStart(true, "");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(session.rfind(images + "SES", 0), 0u) << "then the system's temporary folder";
}

TEST_F(SessionTest, StartedSessionHoldsItsOwnPathInRecordOne) {
    Loader loader;
    const std::string session = loader.ClsStart(false, images);
    ASSERT_FALSE(session.empty());
    EXPECT_EQ(fs::file_size(session), kRecordSize);
    EXPECT_EQ(Records(session), std::vector<std::string>{session});
    EXPECT_EQ(loader.ClsStart(false, (root / "missing").string()), "") << "no folder, no session";
}

TEST_F(SessionTest, ModeMinusOneDeletesRecordedFilesThenTheSession) {
    TraceOn();
    Loader loader;
    std::vector<std::string> files;
    const std::string session = SessionWithFiles(loader, 3, files);
    fs::remove(files[1]); // sent and deleted by the page meanwhile
    ClearTrace();
    EXPECT_TRUE(loader.ClsEnd(session, -1, true, 180));
    EXPECT_THAT(FilesIn(images), IsEmpty());
    EXPECT_THAT(TraceLines(), ElementsAre("ClsEnd(" + session + ")", "Kill(" + files[0] + ")",
                                          "Kill(" + files[1] + ")", "Kill(" + files[2] + ")",
                                          "Kill(" + session + ")"));
}

TEST_F(SessionTest, ModeMinusOneWithOnlyRecordOneDeletesJustTheSessionFile) {
    Loader loader;
    const std::string keep = images + "PX9.JPG";
    WriteFile(keep, "unrelated image");
    const std::string session = loader.ClsStart(false, images);
    EXPECT_TRUE(loader.ClsEnd(session, -1, false, 180));
    EXPECT_THAT(FilesIn(images), ElementsAre("PX9.JPG"));
}

TEST_F(SessionTest, ModeTwoDeletesOnlyTheSessionFile) {
    Loader loader;
    std::vector<std::string> files;
    const std::string session = SessionWithFiles(loader, 2, files);
    EXPECT_TRUE(loader.ClsEnd(session, 2, false, 180));
    EXPECT_FALSE(fs::exists(session));
    for (const auto& file : files)
        EXPECT_TRUE(fs::exists(file));
}

TEST_F(SessionTest, ModeZeroDeletesEverythingAfterTheKeepTime) {
    fs::create_symlink(PXFKILL_PATH, own + "pxfkill");
    TraceOn();
    Loader loader;
    std::vector<std::string> files;
    const std::string session = SessionWithFiles(loader, 2, files);
    ClearTrace();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(loader.ClsEnd(session, 0, true, 1));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900))
        << "the page does not wait for the delete";
    EXPECT_THAT(TraceLines(),
                ElementsAre("ClsEnd(" + session + ")",
                            "ClsEnd(" + session + ") Shelling PXFKill.exe -" + session + " 1"));
    EXPECT_TRUE(fs::exists(session)) << "still there during the keep time";
    for (int i = 0; i < 100 && fs::exists(session); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_THAT(FilesIn(images), IsEmpty());
}

TEST_F(SessionTest, SessionNamesFromAPageTouchOnlyTheComponentsFiles) {
    TraceOn();
    Loader loader;
    const std::string victim = images + "precious.txt";
    WriteFile(victim, "keep me");

    // A file the page made up to look like a session, naming a foreign file.
    const std::string forged = images + "SES1.TMP";
    WriteFile(forged, *FormatSessionRecord(forged) + *FormatSessionRecord(victim));
    // A forged session is still refused when record 1 does not name itself.
    const std::string copied = images + "SES2.TMP";
    WriteFile(copied, *FormatSessionRecord(forged) + *FormatSessionRecord(victim));
    const std::string linked = images + "SES3.TMP";
    fs::create_symlink(copied, linked);

    ClearTrace();
    EXPECT_TRUE(loader.ClsEnd(forged, -1, true, 180));
    EXPECT_TRUE(fs::exists(victim)) << "a recorded file that is not ours stays";
    EXPECT_THAT(TraceLines(),
                Contains("Kill(" + victim + ") refused: not a file made by this component"));
    for (const std::string& bad : {copied, linked, victim, images + "../images/SES2.TMP"}) {
        EXPECT_FALSE(loader.ClsEnd(bad, -1, true, 180)) << bad;
        EXPECT_FALSE(loader.AddFile(bad, victim, true)) << bad;
    }
    EXPECT_TRUE(fs::exists(victim));
    EXPECT_TRUE(fs::exists(copied));
    EXPECT_EQ(ReadFile(copied).size(), 2 * kRecordSize) << "nothing appended";
    EXPECT_TRUE(fs::is_symlink(linked));
    EXPECT_THAT(TraceLines(), Contains(HasSubstr("ClsEnd(" + copied + ") refused: ")));
}

TEST_F(SessionTest, AddFileRecordsOnlyFilesTheComponentMade) {
    TraceOn();
    Loader loader;
    const std::string session = loader.ClsStart(true, images);
    const std::string made = loader.UniqueFile(images, true);
    // Files a user made, named as the component names its own, here and elsewhere.
    const std::vector<std::string> foreign = {tmp + "PX1.JPG", tmp + "PX2.TMP", images + "PXA.JPG",
                                              images + "PXB.MAP"};
    for (const auto& file : foreign)
        WriteFile(file, "the user's");

    ClearTrace();
    EXPECT_TRUE(loader.AddFile(session, made, true));
    for (const auto& file : foreign)
        EXPECT_FALSE(loader.AddFile(session, file, true)) << file;
    EXPECT_THAT(TraceLines(), Contains("Loader.AddFile(" + session + "," + tmp +
                                       "PX1.JPG) refused: not a file made by this component"));
    EXPECT_THAT(Records(session), ElementsAre(session, made)) << "nothing foreign recorded";

    EXPECT_TRUE(loader.ClsEnd(session, -1, true, 180));
    EXPECT_FALSE(fs::exists(made));
    for (const auto& file : foreign)
        EXPECT_EQ(ReadFile(file), "the user's") << file;
}

TEST_F(SessionTest, ObjectReleaseEndsItsSessionByMode) {
    for (int32_t mode : {2, -1}) {
        std::string session;
        {
            PXServerProp prop;
            prop.SetDTCSetSession(mode);
            prop.SetPath(images);
            session = prop.SessionName();
            EXPECT_EQ(prop.DrawGraph("").rfind("images/PX", 0), 0u);
        }
        EXPECT_FALSE(fs::exists(session));
        if (mode == -1)
            EXPECT_THAT(FilesIn(images), IsEmpty());
        else
            EXPECT_EQ(FilesIn(images).size(), 1u) << "mode 2 leaves the image for SendImage";
        for (const auto& name : FilesIn(images))
            fs::remove(images + name);
    }
}

TEST_F(SessionTest, PageSessionsAcrossRequests) {
    std::string session;
    {
        PXServerProp first;
        session = first.StartSession();
        EXPECT_EQ(first.SessionName(), "") << "StartSession leaves the object's own session";
    }
    EXPECT_TRUE(fs::exists(session)) << "a page's own session outlives the request";
    {
        PXServerProp second;
        second.SetDTCSetSession(-1);
        second.SetPath(images); // the image folder; this starts the object's own session too
        EXPECT_EQ(second.DrawGraph(session).rfind("images/PX", 0), 0u);
        EXPECT_EQ(ParseSessionRecords(ReadFile(session)).size(), 3u)
            << "placeholder and image recorded in the page's session";
        EXPECT_FALSE(second.KillSession(session));
        EXPECT_FALSE(fs::exists(session));
        EXPECT_FALSE(second.Form().IsLoaded()) << "KillSession unloads the form";
    }
    EXPECT_THAT(FilesIn(images), IsEmpty());
}

} // namespace
} // namespace korva::pxserver::test
