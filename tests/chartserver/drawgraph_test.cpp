// DrawGraph: image names, addresses, its trace and its "Error: " results.
#include "componenttestenv.h"
#include "ownednames.h"
#include "pxserverprop.h"
#include "sessionrecords.h"

#include <gmock/gmock.h>
#include <set>

namespace korva::pxserver::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class DrawGraphTest : public ComponentTestEnv {};

TEST_F(DrawGraphTest, ImageTakesThePlaceholdersBaseName) {
    TraceOn();
    PXServerProp prop;
    prop.SetPath(images);
    prop.SetURL("charts");
    const std::string session = prop.SessionName();
    prop.SetDTCSetSession(-1);
    ClearTrace();
    const std::string address = prop.DrawGraph("");
    ASSERT_THAT(address, StartsWith("charts/PX"));
    const std::string base = address.substr(7);
    ASSERT_TRUE(IsChartFileName(base + ".TMP")) << address;
    EXPECT_EQ(ReadFile(images + base + ".JPG"), "\xFF\xD8 fake image");
    const auto records = ParseSessionRecords(ReadFile(session));
    EXPECT_EQ(records,
              (std::vector<std::string>{session, images + base + ".TMP", images + base + ".JPG"}));
    EXPECT_THAT(
        TraceLines(),
        ElementsAre("DrawGraph() in PXPropVB", "DrawGraph(" + session + ") in PXPropVB",
                    "DrawGraph, Returned From GetLoc", "DrawGraph, Returned From GetURL",
                    "Loader.UniqueFile(" + images + ")",
                    "DrawGraph, Returned From oHelper.UniqueFile",
                    "Loader.AddFile(" + session + "," + images + base + ".TMP)",
                    "DrawGraph, Returned From oHelper.AddFile", "DrawGraph, Prior to DrawMode = 3",
                    "DrawGraph, Returned From DrawMode = 3",
                    "DrawGraph(" + session + ") Image File = " + images + base + ".JPG",
                    "DrawGraph, Prior to DrawMode = 6", "DrawGraph, Returned From DrawMode = 6",
                    "Loader.AddFile(" + session + "," + images + base + ".JPG)",
                    "DrawGraph, Return Value: charts/" + base));
}

TEST_F(DrawGraphTest, ModeTwoNeedsNoSessionAndKeepsOnlyTheImage) {
    PXServerProp prop;
    prop.Put("Path", std::nullopt, images); // starts a session in images
    const std::string address = prop.DrawGraph("");
    const std::string base = address.substr(address.find('/') + 1);
    std::set<std::string> expected = {base + ".JPG",
                                      std::string(fs::path(prop.SessionName()).filename())};
    const auto files = FilesIn(images);
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), expected)
        << "the placeholder is gone at once";
}

TEST_F(DrawGraphTest, EmptySessionWithModeTwoWritesNoSessionFile) {
    PXServerProp prop;
    prop.Put("Path", std::nullopt, std::string("x")); // session only starts via Path...
    PXServerProp fresh;                               // ...so use a fresh object instead
    fresh.Put("URL", std::nullopt, std::string("/img/"));
    const std::string folder = (root / "cwd").string();
    fs::create_directories(folder + "/images");
    const auto cwd = fs::current_path();
    fs::current_path(folder);
    const std::string address = fresh.DrawGraph("");
    fs::current_path(cwd);
    EXPECT_THAT(address, StartsWith("/img/PX"));
    EXPECT_EQ(FilesIn(folder + "/images").size(), 1u) << "the image in the default images/";
    EXPECT_THAT(FilesIn(tmp), IsEmpty()) << "no session file anywhere";
}

TEST_F(DrawGraphTest, ConfigurationOverridesFoldersAndHotWritesTheMap) {
    const std::string configured = (root / "configured").string();
    fs::create_directories(configured);
    WriteFile(own + "PXPropVB.INI",
              "[Location]\nLocation=" + configured + "\nURL=http://charts.example/img\n");
    PXServerProp prop;
    prop.Put("Hot", std::nullopt, int16_t{1});
    prop.SetDTCSetSession(-1);
    prop.SetPath(images);
    const std::string address = prop.DrawGraph("");
    ASSERT_THAT(address, StartsWith("http://charts.example/img/PX"));
    const std::string base = address.substr(address.rfind('/') + 1);
    EXPECT_TRUE(fs::exists(configured + "/" + base + ".JPG"));
    EXPECT_EQ(ReadFile(configured + "/" + base + ".MAP"), "<map name=\"chart\"></map>");
    EXPECT_EQ(prop.GetMap(configured + "/" + base + ".MAP", true), "<map name=\"chart\"></map>");
    EXPECT_FALSE(fs::exists(configured + "/" + base + ".MAP")) << "GetMap kill deletes it";
    EXPECT_EQ(ParseSessionRecords(ReadFile(prop.SessionName())).size(), 4u)
        << "placeholder, image and map recorded";
}

TEST_F(DrawGraphTest, FailuresComeBackAsErrorTextAndLeaveNothing) {
    TraceOn();
    PXServerProp prop;
    FakeOptions().drawFails = true;
    ClearTrace();
    EXPECT_THAT(prop.DrawGraph(""), StartsWith("Error: 75, Path/File access error"))
        << "no images/ folder in the working folder";
    prop.SetPath(images);
    EXPECT_EQ(prop.DrawGraph(""), "Error: 75, Cannot write image file");
    EXPECT_EQ(TraceLines().back(), "DrawGraph, Error: 75, Cannot write image file");
    FakeOptions().drawFails = false;
    FakeOptions().drawsNothing = true;
    EXPECT_EQ(prop.DrawGraph(""), "Error: No File created.");
    EXPECT_EQ(TraceLines().back(), "DrawGraph, Error: No File Created");
    EXPECT_EQ(FilesIn(images).size(), 1u) << "only the session file: " << FilesIn(images)[0];

    prop.SetPath(images); // keeps the session
    PXServerProp other;
    other.SetDTCSetSession(-1);
    other.Put("Path", std::nullopt, (root / "missing").string());
    FakeOptions().drawsNothing = false;
    EXPECT_THAT(other.DrawGraph(""), StartsWith("Error: 75, Path/File access error"));
    other.SetPath(images);
    EXPECT_THAT(other.DrawGraph(images + "notasession.txt"),
                StartsWith("Error: 75, Path/File access error: session"))
        << "files that no session would delete are not made";
    EXPECT_EQ(FilesIn(images).size(), 2u) << "only the two objects' session files";
}

TEST_F(DrawGraphTest, AddressesStayUniqueWhileImagesWaitInModeTwo) {
    // With the placeholder gone at once, its name is free again; an image
    // still waiting under that base must not be overwritten.
    PXServerProp prop;
    prop.SetPath(images);
    std::set<std::string> addresses;
    std::set<std::string> contents;
    for (int i = 0; i < 200; ++i) {
        const std::string address = prop.DrawGraph("");
        ASSERT_THAT(address, StartsWith("images/PX"));
        EXPECT_TRUE(addresses.insert(address).second) << "address given twice: " << address;
    }
    EXPECT_EQ(FilesIn(images).size(), 201u) << "200 images and the session file";

    // When every image name is taken, nothing is overwritten.
    for (unsigned n = 1; n <= 0xFFFF; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "PX%X.JPG", n);
        if (!fs::exists(images + name)) WriteFile(images + name, "waiting");
    }
    EXPECT_THAT(prop.DrawGraph(""), StartsWith("Error: 75, Path/File access error"));
    for (const auto& address : addresses)
        EXPECT_EQ(ReadFile(images + address.substr(7) + ".JPG"), "\xFF\xD8 fake image");
    EXPECT_EQ(FilesIn(images).size(), 0xFFFFu + 1) << "no placeholder left behind";
}

} // namespace
} // namespace korva::pxserver::test
