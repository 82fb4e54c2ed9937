// Data a page may send that is not a tidy chart: the drawing must finish
// with a picture, never crash or hang.
#include "charttesthelpers.h"
#include "drawntext.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korva::plot::test {
namespace {

TEST(HostileData, ExtremeValuesStillGiveAPicture) {
    TempDir dir;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<double>> cases = {
        {nan, inf, -inf, 5}, {1e308, -1e308, 0, 1},       {7, 7, 7, 7},         {0, 0, 0, 0},
        {-5, -1, -100, -3},  {1e-300, 2e-300, 0, 1e-300}, {nan, nan, nan, nan},
    };
    int n = 0;
    for (const auto& values : cases)
        for (int type : {1, 3, 5, 6, 7, 8, 9}) {
            ChartControl c;
            c.Set("NumPoints", static_cast<int>(values.size()));
            c.Set("GraphType", type);
            c.Set("DataLabels", 1);
            for (size_t p = 0; p < values.size(); ++p) {
                c.Set("Data", static_cast<int>(p), values[p]);
                c.Set("XPos", static_cast<int>(p), values[values.size() - 1 - p]);
            }
            std::string path = dir.File("case" + std::to_string(n++) + ".png");
            c.Set("ImageFile", path);
            c.Set("MapFile", dir.File("case.map"));
            ASSERT_NO_THROW(c.Set("DrawMode", 6)) << "type " << type << " case " << n;
            ASSERT_NO_THROW(c.Set("DrawMode", 12)) << "type " << type << " case " << n;
            EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());
        }
}

TEST(HostileData, LongTextsAreCutBeforeQtFitsThemIn) {
    EXPECT_EQ(DrawnText("Sales 2024"), QStringLiteral("Sales 2024"));
    const std::string exact(kMaxDrawnTextChars, 'x');
    EXPECT_EQ(DrawnText(exact).size(), kMaxDrawnTextChars) << "a text that fits is kept whole";

    const QString cut = DrawnText(std::string(1 << 20, 'x'));
    EXPECT_EQ(cut.size(), kMaxDrawnTextChars);
    EXPECT_EQ(cut.back(), QChar(0x2026));

    std::string emoji;
    for (int i = 0; i < 2000; ++i)
        emoji += "\xF0\x9F\x93\x88"; // a chart symbol outside the basic plane
    const QString cutEmoji = DrawnText(emoji);
    EXPECT_LE(cutEmoji.size(), kMaxDrawnTextChars);
    for (qsizetype i = 0; i + 1 < cutEmoji.size(); ++i)
        if (cutEmoji.at(i).isHighSurrogate()) {
            EXPECT_TRUE(cutEmoji.at(++i).isLowSurrogate());
        }
    EXPECT_FALSE(cutEmoji.at(cutEmoji.size() - 2).isHighSurrogate()) << "no half character";

    const std::string bytes = CutUtf8(emoji);
    EXPECT_LT(bytes.size(), emoji.size());
    EXPECT_EQ(
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).count(QChar(0xFFFD)),
        0)
        << "cut between characters";
}

TEST(HostileData, TinyAndOddlyShapedCharts) {
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 1);
    c.Set("Width", 1);
    c.Set("Height", 1);
    c.Set("GraphTitle", std::string(5000, 'W'));
    c.Set("Label", 0, std::string(3000, 'x'));
    c.Set("ImageFile", dir.File("tiny.gif"));
    ASSERT_NO_THROW(c.Set("DrawMode", 6));
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("tiny.gif"))).size(), QSize(1, 1));
    // Axis ranges given upside down fall back to automatic ones.
    c.Set("Width", 300);
    c.Set("Height", 200);
    c.Set("YAxisStyle", 2);
    c.Set("YAxisMin", 10.0);
    c.Set("YAxisMax", -10.0);
    c.Set("XAxisStyle", 2);
    c.Set("XAxisMin", 5.0);
    c.Set("XAxisMax", 5.0);
    c.Set("RangeMin", 9);
    c.Set("RangeMax", 3);
    c.Set("ImageFile", dir.File("odd.png"));
    ASSERT_NO_THROW(c.Set("DrawMode", 6));
    // Hostile number formats never reach printf.
    c.Set("LabelYFormat", "%s%s%n");
    c.Set("DataLabelFormat", "%999999999f");
    c.Set("DataLabels", 1);
    ASSERT_NO_THROW(c.Set("DrawMode", 6));
}

TEST(HostileData, ManyPointsDrawInReasonableTime) {
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 20000);
    c.Set("GraphType", 3);
    for (int p = 0; p < 20000; ++p) {
        c.Set("Data", p, std::sin(p / 100.0));
        c.Set("Color", p, p % 16);
        c.Set("Label", p, "L" + std::to_string(p % 7));
    }
    c.Set("ImageFile", dir.File("many.jpg"));
    ASSERT_NO_THROW(c.Set("DrawMode", 6));
    EXPECT_FALSE(QImage(QString::fromStdString(dir.File("many.jpg"))).isNull());
}

} // namespace
} // namespace korva::plot::test
