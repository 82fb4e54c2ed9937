// The hot-spot map: one area per drawn point, placed on the point in the
// image, in the form MapFormat asks for, with the page's texts escaped.
#include "charttesthelpers.h"
#include "imagemap.h"

#include <QImage>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace korva::plot::test {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Area {
    std::string shape;
    std::vector<int> coords;
    std::string href;
};

std::vector<Area> Areas(const std::string& map) {
    std::vector<Area> areas;
    std::regex re(R"re(<area shape="(\w+)" coords="([0-9,-]+)"(?: href="([^"]*)")?)re");
    for (auto it = std::sregex_iterator(map.begin(), map.end(), re); it != std::sregex_iterator();
         ++it) {
        Area a;
        a.shape = (*it)[1];
        std::stringstream c((*it)[2]);
        std::string n;
        while (std::getline(c, n, ','))
            a.coords.push_back(std::stoi(n));
        a.href = (*it)[3];
        areas.push_back(a);
    }
    return areas;
}

// True when a pixel near (x, y) has the colour.
bool ColourNear(const QImage& image, int x, int y, QColor colour) {
    return CountColour(image, colour, QRect(x - 2, y - 2, 5, 5), 40) > 0;
}

void DrawWithMap(ChartControl& c, const TempDir& dir, QImage& image, std::string& map) {
    c.Set("Hot", 1);
    c.Set("ImageFile", dir.File("chart.png"));
    c.Set("MapFile", dir.File("chart.MAP"));
    c.Set("DrawMode", 6);
    c.Set("DrawMode", 12);
    image = QImage(QString::fromStdString(dir.File("chart.png")));
    map = ReadAll(dir.File("chart.MAP"));
}

TEST(ImageMap, LineChartAreasSitOnTheDrawnPoints) {
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 6);
    c.Set("Color", 0, 4);
    c.Set("ThickLines", 1);
    for (int p = 0; p < 6; ++p) {
        c.Set("Data", p, p % 2 ? 80.0 : 20.0);
        c.Set("MapRefString", p, "detail.py?point=" + std::to_string(p) + "&set=0");
    }
    QImage image;
    std::string map;
    DrawWithMap(c, dir, image, map);
    EXPECT_EQ(map.rfind("<map name=\"chart\">", 0), 0u) << map;
    EXPECT_NE(map.find("</map>"), std::string::npos);
    auto areas = Areas(map);
    ASSERT_EQ(areas.size(), 6u) << map;
    for (size_t i = 0; i < areas.size(); ++i) {
        EXPECT_EQ(areas[i].shape, "circle");
        ASSERT_EQ(areas[i].coords.size(), 3u);
        EXPECT_TRUE(ColourNear(image, areas[i].coords[0], areas[i].coords[1], PaletteQColor(4)))
            << "area " << i << " is not on the line";
        EXPECT_EQ(areas[i].href, "detail.py?point=" + std::to_string(i) + "&amp;set=0");
    }
    // High points lie above low ones.
    EXPECT_LT(areas[1].coords[1], areas[0].coords[1] - 50);
}

TEST(ImageMap, BarAndPieAreasCoverTheirShapes) {
    for (int type : {3, 5, 1}) {
        TempDir dir;
        ChartControl c;
        c.Set("NumPoints", 4);
        c.Set("GraphType", type);
        for (int p = 0; p < 4; ++p) {
            c.Set("Data", p, 10.0 * (p + 1));
            c.Set("Color", p, 9 + p);
        }
        QImage image;
        std::string map;
        DrawWithMap(c, dir, image, map);
        auto areas = Areas(map);
        ASSERT_EQ(areas.size(), 4u) << map;
        for (size_t i = 0; i < areas.size(); ++i) {
            const auto& k = areas[i].coords;
            int x, y;
            if (type == 1) {
                ASSERT_EQ(areas[i].shape, "poly");
                ASSERT_GE(k.size(), 6u);
                // A point inside the slice: between the centre and the middle of its arc.
                size_t mid = (k.size() / 2 / 2) * 2;
                x = (k[0] + k[mid]) / 2;
                y = (k[1] + k[mid + 1]) / 2;
            } else {
                ASSERT_EQ(areas[i].shape, "rect");
                x = (k[0] + k[2]) / 2;
                y = (k[1] + k[3]) / 2;
            }
            EXPECT_TRUE(ColourNear(image, x, y, PaletteQColor(9 + static_cast<int>(i))))
                << "type " << type << " area " << i << " at " << x << "," << y;
        }
    }
}

TEST(ImageMap, MapWithoutAnImageAndTheOtherFormats) {
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 3);
    c.Set("MapRefString", 1, "a b.html");
    c.Set("Legend", 0, "Sales <2026>");
    c.Set("MapFile", dir.File("only.map"));
    c.Set("MapFormat", 0);
    c.Set("DrawMode", 12); // lays the chart out by itself
    std::string areasOnly = ReadAll(dir.File("only.map"));
    EXPECT_EQ(areasOnly.find("<map"), std::string::npos);
    EXPECT_EQ(Areas(areasOnly).size(), 3u);
    EXPECT_NE(areasOnly.find("Sales &lt;2026&gt;"), std::string::npos);
    EXPECT_NE(areasOnly.find("nohref"), std::string::npos);
    c.Set("MapFormat", 2);
    c.Set("DrawMode", 12);
    std::string ncsa = ReadAll(dir.File("only.map"));
    EXPECT_TRUE(std::regex_search(ncsa, std::regex(R"(^circle a%20b\.html \d+,\d+ \d+,\d+\n$)")))
        << ncsa;
    // Missing or unwritable map files are errors.
    c.Set("MapFile", "");
    EXPECT_THROW(c.Set("DrawMode", 12), ChartError);
    c.Set("MapFile", dir.File("missing/folder/x.map"));
    EXPECT_THROW(c.Set("DrawMode", 12), ChartError);
}

TEST(ImageMap, MapFollowsDataChangedAfterTheImage) {
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 2);
    c.Set("Data", 0, 0.0);
    c.Set("Data", 1, 100.0);
    QImage image;
    std::string first;
    DrawWithMap(c, dir, image, first);
    c.Set("NumPoints", 3);
    c.Set("Data", 2, 50.0);
    c.Set("DrawMode", 12);
    EXPECT_EQ(Areas(ReadAll(dir.File("chart.MAP"))).size(), 3u) << "the map kept the old chart";
}

TEST(ImageMap, SdkInfoMapsPlotPixelsLinearlyOntoTheData) {
    // The graph window turns mouse positions into data with SDKInfo alone.
    TempDir dir;
    ChartControl c;
    c.Set("NumPoints", 5);
    c.Set("GraphType", 9);
    const double xs[] = {-3, 0.5, 2, 7.25, 11};
    const double ys[] = {40, -12, 3, 18, 25};
    for (int p = 0; p < 5; ++p) {
        c.Set("XPos", p, xs[p]);
        c.Set("Data", p, ys[p]);
    }
    c.Set("MapFile", dir.File("xy.map"));
    c.Set("MapFormat", 0);
    c.Set("DrawMode", 12);
    auto sdk = [&](int i) { return std::get<double>(c.Get("SDKInfo", i)); };
    auto areas = Areas(ReadAll(dir.File("xy.map")));
    ASSERT_EQ(areas.size(), 5u);
    for (int p = 0; p < 5; ++p) {
        double x = sdk(0) + (areas[p].coords[0] - sdk(4)) / (sdk(5) - sdk(4)) * (sdk(1) - sdk(0));
        double y = sdk(3) - (areas[p].coords[1] - sdk(6)) / (sdk(7) - sdk(6)) * (sdk(3) - sdk(2));
        double pixelX = (sdk(1) - sdk(0)) / (sdk(5) - sdk(4)),
               pixelY = (sdk(3) - sdk(2)) / (sdk(7) - sdk(6));
        EXPECT_NEAR(x, xs[p], 1.5 * pixelX) << "point " << p;
        EXPECT_NEAR(y, ys[p], 1.5 * pixelY) << "point " << p;
    }
}

TEST(ImageMap, EscapesEveryAttributeText) {
    EXPECT_EQ(HtmlEscaped(R"(<a href="x">&'</a>)"),
              "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
}

} // namespace
} // namespace korva::plot::test
