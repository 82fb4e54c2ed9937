// Many requests at once with the real chart engine: 16 threads draw 50 charts
// each in every session mode. No request fails, no two images that exist at
// the same time share an address, every image decodes, and once the sessions
// have ended (and, in mode 2, the images were sent) no file is left.
#include "componenttestenv.h"
#include "enginechart.h"
#include "pxserverimage.h"
#include "pxserverprop.h"

#include <QImage>
#include <chrono>
#include <gmock/gmock.h>
#include <mutex>
#include <set>
#include <thread>

namespace korva::pxserver::test {
namespace {

using ::testing::IsEmpty;

constexpr int kThreads = 16;
constexpr int kChartsPerThread = 50;

struct DiscardingResponse : Response {
    void SetContentType(const std::string& type) override { contentType = type; }
    void SetExpires(int32_t) override {}
    void SetBuffer(bool) override {}
    void BinaryWrite(const uint8_t*, std::size_t size) override { bytes += size; }
    void Flush() override {}
    std::string contentType;
    std::size_t bytes = 0;
};

class ConcurrencyTest : public ComponentTestEnv, public ::testing::WithParamInterface<int32_t> {
protected:
    void SetUp() override {
        ComponentTestEnv::SetUp();
        Component::Instance().SetChartFactory(EngineChartFactory());
        fs::create_symlink(PXFKILL_PATH, own + "pxfkill");
    }

    // One request's chart, drawn and checked (the control is 2 pixels larger
    // than the Width and Height the page wrote); the object is kept alive by the
    // caller so that its files exist until every thread has drawn.
    std::unique_ptr<PXServerProp> Draw(int32_t mode, int thread, int chart, std::string& address,
                                       std::string& failure) {
        auto prop = std::make_unique<PXServerProp>();
        prop->SetDTCSetSession(mode);
        prop->SetKeepSeconds(1);
        prop->Put("Path", std::nullopt, images);
        prop->Put("Width", std::nullopt, int16_t{160});
        prop->Put("Height", std::nullopt, int16_t{120});
        prop->Put("NumSets", std::nullopt, int16_t{2});
        prop->Put("NumPoints", std::nullopt, int16_t{8});
        for (int16_t set = 0; set < 2; ++set) {
            prop->Put("ThisSet", std::nullopt, set);
            for (int16_t point = 0; point < 8; ++point)
                prop->Put("Data", point, double(thread + chart + set * point));
        }
        address = prop->DrawGraph("");
        if (address.rfind("images/PX", 0) != 0) {
            failure = address;
            return prop;
        }
        const QImage image(QString::fromStdString(images + address.substr(7) + ".JPG"));
        if (image.isNull())
            failure = "image of " + address + " does not decode";
        else if (image.width() != 162 || image.height() != 122)
            failure = "image of " + address + " is " + std::to_string(image.width()) + " x " +
                      std::to_string(image.height());
        return prop;
    }
};

TEST_P(ConcurrencyTest, SixteenThreadsDrawFiftyChartsEach) {
    const int32_t mode = GetParam();
    std::mutex mutex;
    std::vector<std::string> failures;
    std::multiset<std::string> addresses;
    std::vector<std::unique_ptr<PXServerProp>> alive;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int c = 0; c < kChartsPerThread; ++c) {
                std::string address, failure;
                auto prop = Draw(mode, t, c, address, failure);
                std::lock_guard lock(mutex);
                addresses.insert(address);
                if (!failure.empty()) failures.push_back(failure);
                alive.push_back(std::move(prop));
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_THAT(failures, IsEmpty());
    EXPECT_EQ(std::set<std::string>(addresses.begin(), addresses.end()).size(),
              static_cast<size_t>(kThreads * kChartsPerThread))
        << "every existing image has its own address";

    alive.clear(); // every request ends its session
    if (mode == 2) {
        PXServerImage sender;
        for (const auto& address : std::set<std::string>(addresses.begin(), addresses.end())) {
            DiscardingResponse response;
            sender.SendImage(response, images + address.substr(7) + ".JPG", false, 0);
            EXPECT_EQ(response.contentType, "image/JPG");
            EXPECT_GT(response.bytes, 100u);
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!FilesIn(images).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_THAT(FilesIn(images), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryMode, ConcurrencyTest, ::testing::Values(2, -1, 0),
                         [](const auto& info) {
                             return info.param == 2    ? std::string("DeleteAtOnce")
                                    : info.param == -1 ? std::string("DeleteAtEnd")
                                                       : std::string("DeleteLater");
                         });

} // namespace
} // namespace korva::pxserver::test
