// SendImage, GetMap and the Deleter: what they send, and what they refuse to
// read or delete when a page names a file.
#include "componenttestenv.h"
#include "deleter.h"
#include "pxerror.h"
#include "pxserverimage.h"
#include "pxserverprop.h"

#include <gmock/gmock.h>

namespace korva::pxserver::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

struct RecordingResponse : Response {
    void SetContentType(const std::string& type) override { contentType = type; }
    void SetExpires(int32_t minutes) override { expires = minutes; }
    void SetBuffer(bool on) override { buffer = on; }
    void BinaryWrite(const uint8_t* bytes, std::size_t size) override {
        body.append(reinterpret_cast<const char*>(bytes), size);
    }
    void Flush() override { ++flushes; }
    std::string contentType, body;
    int32_t expires = -99;
    bool buffer = false;
    int flushes = 0;
};

class ImageDeliveryTest : public ComponentTestEnv {};

TEST_F(ImageDeliveryTest, ContentTypeComesFromTheFirstKnownExtension) {
    EXPECT_EQ(PXServerImage::ContentTypeFor("/a/PX1A2.jpg"), "image/JPG");
    EXPECT_EQ(PXServerImage::ContentTypeFor("chart.Png"), "image/PNG");
    EXPECT_EQ(PXServerImage::ContentTypeFor("x.bmp.gif"), "image/GIF") << "GIF is looked for first";
    EXPECT_EQ(PXServerImage::ContentTypeFor("scan.tiff"), "image/TIF");
    EXPECT_EQ(PXServerImage::ContentTypeFor("notes.txt"), "");
}

TEST_F(ImageDeliveryTest, SendsTheDrawnImageAndDeletesIt) {
    PXServerProp prop;
    prop.SetPath(images);
    const std::string file = images + prop.DrawGraph("").substr(7) + ".JPG";
    PXServerImage sender;
    RecordingResponse response;
    sender.SendImage(response, file, false, 5);
    EXPECT_EQ(response.contentType, "image/JPG");
    EXPECT_EQ(response.expires, 5);
    EXPECT_TRUE(response.buffer);
    EXPECT_EQ(response.body, "\xFF\xD8 fake image");
    EXPECT_EQ(response.flushes, 1);
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ImageDeliveryTest, WritesNothingForMissingFilesOrUnknownTypes) {
    PXServerImage sender;
    RecordingResponse response;
    sender.SendImage(response, images + "PX1.JPG", false, 0);
    WriteFile(images + "PX2.txt", "text");
    sender.SendImage(response, images + "PX2.txt", false, 0);
    sender.SendImage(response, "", false, 0); // no DefaultImg either
    EXPECT_EQ(response.contentType, "");
    EXPECT_EQ(response.flushes, 0);
    EXPECT_TRUE(fs::exists(images + "PX2.txt"));
}

TEST_F(ImageDeliveryTest, StaticImagesAreSentButNeverDeleted) {
    TraceOn();
    const std::string logo = images + "logo.png";
    WriteFile(logo, "png bytes");
    PXServerImage sender;
    sender.SetTraceClass(true);
    RecordingResponse kept, notKept, fallback;
    sender.SendImage(kept, logo, true, 0);
    sender.SendImage(notKept, logo, false, 0);
    EXPECT_EQ(kept.body, "png bytes");
    EXPECT_EQ(notKept.body, "png bytes");
    EXPECT_TRUE(fs::exists(logo)) << "not a file the component named";
    EXPECT_THAT(TraceLines(), Contains(HasSubstr("Deleter.Killer(" + logo + ") refused")));

    const std::string drawnLookalike = images + "PX5.JPG";
    WriteFile(drawnLookalike, "jpg");
    sender.SetDefaultImg(drawnLookalike);
    sender.SendImage(fallback, "", false, 0);
    EXPECT_EQ(fallback.body, "jpg");
    EXPECT_TRUE(fs::exists(drawnLookalike)) << "the default image is always kept";
}

TEST_F(ImageDeliveryTest, RefusesParentPartsLinksAndFolders) {
    TraceOn();
    const std::string secret = (root / "secret.jpg").string();
    WriteFile(secret, "secret");
    fs::create_symlink(secret, images + "PX7.JPG");
    fs::create_directory(images + "PX8.JPG");
    PXServerImage sender;
    sender.SetTraceClass(true);
    for (const std::string& name :
         {images + "../secret.jpg", images + "PX7.JPG", images + "PX8.JPG"}) {
        RecordingResponse response;
        sender.SendImage(response, name, false, 0);
        EXPECT_EQ(response.body, "") << name;
        EXPECT_THAT(TraceLines(), Contains(HasSubstr("SendImage(" + name + ") refused"))) << name;
    }
    EXPECT_TRUE(fs::is_symlink(images + "PX7.JPG"));
    EXPECT_TRUE(fs::exists(secret));

    PXServerProp prop;
    for (const std::string& name : {images + "../secret.jpg", images + "PX7.JPG"}) {
        try {
            prop.GetMap(name, true);
            ADD_FAILURE() << name;
        } catch (const PxError& e) {
            EXPECT_EQ(e.code(), plot::kErrFileAccess) << name;
        }
    }
    try {
        prop.GetMap(images + "PX9.MAP", false);
        ADD_FAILURE();
    } catch (const PxError& e) {
        EXPECT_EQ(e.code(), plot::kErrFileNotFound);
    }
    WriteFile(images + "hand-made.map", "<map>");
    EXPECT_EQ(prop.GetMap(images + "hand-made.map", true), "<map>");
    EXPECT_TRUE(fs::exists(images + "hand-made.map")) << "read, but not ours to delete";
    EXPECT_TRUE(fs::exists(secret));
}

TEST_F(ImageDeliveryTest, DeleterDeletesOnlyChartFiles) {
    Deleter deleter;
    WriteFile(images + "PX1.TMP", "");
    WriteFile(images + "data.csv", "1,2");
    EXPECT_TRUE(deleter.Killer(images + "PX1.TMP"));
    EXPECT_FALSE(deleter.Killer(images + "data.csv"));
    EXPECT_TRUE(fs::exists(images + "data.csv"));
    try {
        deleter.Killer(images + "PX1.TMP");
        ADD_FAILURE() << "deleting a missing file";
    } catch (const PxError& e) {
        EXPECT_EQ(e.code(), plot::kErrFileNotFound);
    }
}

} // namespace
} // namespace korva::pxserver::test
