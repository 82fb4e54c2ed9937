// Drawing into image files: every format decodes to a Width × Height picture
// that shows the data in the set colours; bad file names are clear errors.
#include "charttesthelpers.h"

#include <QImage>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace korva::plot::test {
namespace {

// Mean row of the pixels of a colour: where a set lies vertically.
double MeanRow(const QImage& image, QColor colour, int tolerance) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                sum += y, ++n;
        }
    return n ? sum / n : -1;
}

// Two sets: blue low, red high, as a line chart with thick lines.
void TwoSetChart(ChartControl& c, int width, int height) {
    c.Set("NumSets", 2);
    c.Set("NumPoints", 10);
    c.Set("Width", width);
    c.Set("Height", height);
    c.Set("ThickLines", 1);
    c.Set("Color", 0, 1);
    c.Set("Color", 1, 4);
    for (int p = 0; p < 10; ++p) {
        c.Set("ThisSet", 0);
        c.Set("Data", p, 10.0);
        c.Set("ThisSet", 1);
        c.Set("Data", p, 90.0);
    }
}

class ImageFormats : public ::testing::TestWithParam<const char*> {};

TEST_P(ImageFormats, DecodesToTheChartSizeAndShowsEachSetWhereItsDataAre) {
    TempDir dir;
    ChartControl c;
    TwoSetChart(c, 500, 320);
    std::string path = dir.File(std::string("chart") + GetParam());
    c.Set("ImageFile", path);
    c.Set("DrawMode", 11);
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull()) << path << " does not decode";
    EXPECT_EQ(image.width(), 500);
    EXPECT_EQ(image.height(), 320);
    // JPEG blurs colours; the lossless formats must keep them nearly exact.
    int tolerance = std::string(GetParam()).find("jp") != std::string::npos ||
                            std::string(GetParam()).find("JP") != std::string::npos
                        ? 60
                        : 8;
    QColor blue = PaletteQColor(1), red = PaletteQColor(4);
    EXPECT_GT(CountColour(image, blue, {}, tolerance), 300);
    EXPECT_GT(CountColour(image, red, {}, tolerance), 300);
    // The high set is drawn above the low one.
    EXPECT_LT(MeanRow(image, red, tolerance), MeanRow(image, blue, tolerance) - 100);
}

INSTANTIATE_TEST_SUITE_P(EveryExtension, ImageFormats,
                         ::testing::Values(".JPG", ".jpg", ".jpeg", ".PNG", ".png", ".BMP", ".bmp",
                                           ".GIF", ".gif", ".TIF", ".tif", ".tiff"));

TEST(ImageOutput, GifKeepsTheExactPaletteColours) {
    TempDir dir;
    ChartControl c;
    TwoSetChart(c, 400, 300);
    c.Set("ImageFile", dir.File("exact.gif"));
    c.Set("DrawMode", 11);
    QImage image(QString::fromStdString(dir.File("exact.gif")));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(CountColour(image, PaletteQColor(1), {}, 0), 300);
    EXPECT_GT(CountColour(image, PaletteQColor(4), {}, 0), 300);
}

TEST(ImageOutput, BadFileNamesAreClearErrorsAndLeaveNoFile) {
    TempDir dir;
    ChartControl c;
    auto failure = [&](const std::string& path) -> std::string {
        c.Set("ImageFile", path);
        try {
            c.Set("DrawMode", 11);
        } catch (const ChartError& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_NE(failure(dir.File("no/such/folder/chart.png")).find("no/such/folder"),
              std::string::npos);
    EXPECT_NE(failure(dir.File("no/such/folder/chart.gif")).find("chart.gif"), std::string::npos);
    EXPECT_NE(failure(dir.File("chart.xyz")).find(".xyz"), std::string::npos);
    EXPECT_NE(failure(dir.File("chart")).find("Unsupported"), std::string::npos);
    EXPECT_NE(failure("").find("ImageFile"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("chart.xyz")));
    // The control still draws after the failures.
    c.Set("ImageFile", dir.File("fine.png"));
    c.Set("DrawMode", 6);
    EXPECT_TRUE(std::filesystem::exists(dir.File("fine.png")));
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ImageOutput, FilesAreReplacedWholeAndNeverWrittenThroughALink) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string outside = dir.File("outside.txt");
    std::ofstream(outside) << "precious";
    ChartControl c;
    FillLineChart(c, 2, 6, 320, 200);
    c.Set("Hot", 1);
    c.Set("GraphFile", dir.File("chart.pxp"));
    for (const char* name : {"chart.png", "chart.map", "chart.pxp"})
        fs::create_symlink(outside, dir.File(name));
    c.Set("ImageFile", dir.File("chart.png"));
    c.Set("MapFile", dir.File("chart.map"));
    c.Set("DrawMode", 6);
    c.Set("DrawMode", 12);
    c.Set("DrawMode", 7);
    EXPECT_EQ(Contents(outside), "precious");
    for (const char* name : {"chart.png", "chart.map", "chart.pxp"}) {
        EXPECT_FALSE(fs::is_symlink(dir.File(name))) << name << ": the link itself is replaced";
        EXPECT_TRUE(fs::is_regular_file(dir.File(name))) << name;
    }
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("chart.png"))).size(), QSize(320, 200));

    // Writes that fail part way (here a file size limit, as on a full disk)
    // leave the file drawn before whole and no partial file beside it.
    for (const char* name : {"old.bmp", "old.tif", "old.gif", "old.jpg"}) {
        c.Set("ImageFile", dir.File(name));
        c.Set("DrawMode", 6);
    }
    std::vector<std::pair<std::string, std::string>> before;
    for (const auto& entry : fs::directory_iterator(dir.File("")))
        before.emplace_back(entry.path().string(), Contents(entry.path().string()));
    c.Set("Width", 1200);
    c.Set("Height", 900);
    c.Set("GraphTitle", "bigger");
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{16, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    std::vector<int> codes;
    // (Not PNG: Qt's PNG writer leaks a row buffer when a write fails.)
    for (const char* name : {"old.bmp", "old.tif", "old.gif", "old.jpg"}) {
        c.Set("ImageFile", dir.File(name));
        try {
            c.Set("DrawMode", 6);
            codes.push_back(0);
        } catch (const ChartError& e) {
            codes.push_back(e.code());
        }
    }
    for (int mode : {12, 7}) {
        try {
            c.Set("DrawMode", mode);
            codes.push_back(0);
        } catch (const ChartError& e) {
            codes.push_back(e.code());
        }
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(codes, std::vector<int>(6, 75)) << "each failure reported";
    std::vector<std::pair<std::string, std::string>> after;
    for (const auto& entry : fs::directory_iterator(dir.File("")))
        after.emplace_back(entry.path().string(), Contents(entry.path().string()));
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_TRUE(before == after) << "every file as it was, nothing left beside them";
}

TEST(ImageOutput, ChartKindsShowTheirDataColours) {
    TempDir dir;
    struct Kind {
        int type;
        int style;
    };
    for (Kind k : {Kind{1, 0}, Kind{3, 0}, Kind{3, 1}, Kind{5, 0}, Kind{6, 1}, Kind{7, 0},
                   Kind{8, 0}, Kind{8, 2}, Kind{9, 0}}) {
        ChartControl c;
        FillLineChart(c, 2, 8, 400, 300);
        c.Set("GraphType", k.type);
        c.Set("GraphStyle", k.style);
        c.Set("Color", 0, 2);
        c.Set("Color", 1, 5);
        if (k.type == 1)
            for (int p = 0; p < 8; ++p)
                c.Set("Color", p, p % 2 ? 5 : 2);
        std::string path =
            dir.File("kind" + std::to_string(k.type) + std::to_string(k.style) + ".png");
        c.Set("ImageFile", path);
        c.Set("DrawMode", 6);
        QImage image(QString::fromStdString(path));
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(CountColour(image, PaletteQColor(2), {}, 8), 100) << "type " << k.type;
        EXPECT_GT(CountColour(image, PaletteQColor(5), {}, 8), 100) << "type " << k.type;
    }
}

TEST(ImageOutput, BackgroundsAndPlotGeometry) {
    TempDir dir;
    ChartControl c;
    FillLineChart(c, 1, 5, 300, 200);
    c.Set("Background", 14);
    c.Set("BackgroundUse", 1);
    c.Set("Background", 11);
    c.Set("YAxisStyle", 2);
    c.Set("YAxisMin", -50.0);
    c.Set("YAxisMax", 150.0);
    c.Set("ImageFile", dir.File("bg.png"));
    c.Set("DrawMode", 6);
    QImage image(QString::fromStdString(dir.File("bg.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(1, 1), PaletteQColor(14)) << "chart background";
    auto sdk = [&](int i) { return std::get<double>(c.Get("SDKInfo", i)); };
    EXPECT_EQ(sdk(2), -50.0);
    EXPECT_EQ(sdk(3), 150.0);
    EXPECT_LT(sdk(4), sdk(5));
    EXPECT_LT(sdk(6), sdk(7));
    QPoint inside(static_cast<int>((sdk(4) + sdk(5)) / 2), static_cast<int>(sdk(6) + 3));
    EXPECT_EQ(image.pixelColor(inside), PaletteQColor(11)) << "plot area background";
}

} // namespace
} // namespace korva::plot::test
