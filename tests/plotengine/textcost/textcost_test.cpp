// What a page's long texts cost a drawing. Its own process, so that the peak
// memory it reads belongs to these drawings alone.
#include "../charttesthelpers.h"

#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define KORVA_TEXTCOST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVA_TEXTCOST_ASAN 1
#endif
#endif

namespace korva::plot::test {
namespace {

// A field of /proc/self/status in bytes ("VmHWM", "VmSize").
long long StatusBytes(const std::string& field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    return -1;
}

TEST(TextCost, MegabyteTextsDrawWithinASmallMultipleOfTheirSize) {
    constexpr long long kMegabyte = 1 << 20;
#ifndef KORVA_TEXTCOST_ASAN
    // Should the texts still cost the square of their length, this process
    // fails on its own instead of taking the machine's memory with it.
    const rlimit limit{static_cast<rlim_t>(StatusBytes("VmSize") + 3072 * kMegabyte),
                       RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    constexpr long long kAllowed = 48 * kMegabyte;
#else
    constexpr long long kAllowed = 512 * kMegabyte; // the sanitizer keeps freed memory
#endif
    TempDir dir;
    {
        // The engine's first drawing starts Qt and loads fonts: not the texts' cost.
        ChartControl warmUp;
        FillLineChart(warmUp, 2, 10, 320, 200);
        warmUp.Set("ImageFile", dir.File("warm.png"));
        warmUp.Set("DrawMode", 6);
    }
    const long long before = StatusBytes("VmHWM");

    const std::string megabyte(kMegabyte, 'W');
    ChartControl c;
    FillLineChart(c, 3, 20, 640, 480);
    for (const char* name : {"GraphTitle", "LeftTitle", "BottomTitle", "RightTitle",
                             "LimitLowLabel", "LimitHighLabel"})
        c.Set(name, megabyte);
    for (int set = 0; set < 3; ++set)
        c.Set("Legend", set, megabyte);
    c.Set("Label", 0, megabyte);
    c.Set("LabelYFormat", "%g" + megabyte);
    c.Set("Hot", 1);
    c.Set("ImageFile", dir.File("long.png"));
    c.Set("MapFile", dir.File("long.map"));
    ASSERT_NO_THROW(c.Set("DrawMode", 6));
    ASSERT_NO_THROW(c.Set("DrawMode", 12));
    c.Set("GraphType", 1); // a pie names its slices by label or legend
    ASSERT_NO_THROW(c.Set("DrawMode", 6));

    const long long grown = StatusBytes("VmHWM") - before;
    std::cout << "[ figures ] peak memory grew " << grown / kMegabyte
              << " MB for 11 one-megabyte texts" << std::endl;
    EXPECT_LT(grown, kAllowed);
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("long.png"))).size(), QSize(640, 480));
    // Every hot spot names its set and point: the texts are cut there as well.
    EXPECT_LT(std::filesystem::file_size(dir.File("long.map")), 1u << 20);
    EXPECT_EQ(std::get<std::string>(c.Get("GraphTitle")).size(), megabyte.size())
        << "the property keeps the whole text";
}

} // namespace
} // namespace korva::plot::test
