// The chart settings file: what DrawMode 7 stores, DrawMode 9 restores, and
// a damaged file changes nothing.
#include "chartmodel.h"
#include "chartsettingsfile.h"
#include "charttesthelpers.h"

#include <fstream>
#include <gtest/gtest.h>

namespace korva::plot::test {
namespace {

TEST(SettingsFile, StoresAndRestoresTheWholeChart) {
    TempDir dir;
    ChartControl a;
    FillLineChart(a, 3, 7, 500, 300);
    a.Set("GraphTitle", "Line one\nline two \\ end");
    a.Set("Legend", 4, "overlay set 1");
    a.Set("ThisSet", 2);
    a.Set("OverlayData", 6, -1.25);
    a.Set("YAxisUse", 1);
    a.Set("YAxisMax", 77.0);
    a.Set("YAxisUse", 0);
    a.Set("BackgroundUse", 2);
    a.Set("Background", 3);
    a.Set("EBarValue", 0.1f);
    a.Set("GraphFile", dir.File("chart.pxp"));
    a.Set("DrawMode", 7);

    ChartControl b;
    b.Set("GraphFile", dir.File("chart.pxp"));
    b.Set("DrawMode", 9);
    for (const auto& p : Properties()) {
        std::string name = p.name;
        if (name == "GraphFile" || name == "DrawMode") continue;
        if (!p.indexed) {
            EXPECT_EQ(a.Get(name), b.Get(name)) << name;
            continue;
        }
        int size = name == "SDKInfo" ? 8 : name[0] == 'F' || name == "EnhFontBehavior" ? 4 : 7;
        for (int set = 0; set < 3; ++set) {
            a.Set("ThisSet", set);
            b.Set("ThisSet", set);
            for (int i = 0; i < size; ++i)
                EXPECT_EQ(a.Get(name, i), b.Get(name, i)) << name << "(" << i << ")";
        }
    }
    b.Set("YAxisUse", 1);
    EXPECT_EQ(b.Get("YAxisMax"), PropertyValue(77.0));
    b.Set("BackgroundUse", 2);
    EXPECT_EQ(b.Get("Background"), PropertyValue(int16_t{3}));
}

TEST(SettingsFile, ADamagedFileIsAnErrorThatChangesNothing) {
    ChartModel model;
    auto title = [&] { return std::get<std::string>(model.Get(*FindProperty("GraphTitle"), {})); };
    auto refused = [&](const std::string& text) {
        try {
            ApplyChartSettings(model, text);
        } catch (const ChartError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    std::string head = "KORVA chart settings 1\nGraphTitle=changed\n";
    EXPECT_NE(refused("GraphTitle=x\n").find("line 1"), std::string::npos);
    EXPECT_NE(refused(head + "NoSuchProperty=1\n").find("line 3"), std::string::npos);
    EXPECT_NE(refused(head + "NumPoints=abc\n").find("line 3"), std::string::npos);
    EXPECT_NE(refused(head + "Data(99)=1\n").find("Subscript"), std::string::npos);
    EXPECT_NE(refused(head + "Data(x)=1\n").find("bad index"), std::string::npos);
    EXPECT_NE(refused(head + "SDKInfo(0)=1\n").find("cannot be set"), std::string::npos);
    EXPECT_NE(refused(head + "DrawMode=6\n").find("cannot be set"), std::string::npos);
    EXPECT_NE(refused(head + "just text\n").find("Name=value"), std::string::npos);
    EXPECT_NE(refused("").find("not a chart settings file"), std::string::npos);
    EXPECT_EQ(title(), "") << "a refused file changed the chart";
    EXPECT_EQ(refused(head + "\r\nColor(1)=5\r\n"), "");
    EXPECT_EQ(title(), "changed");
}

TEST(SettingsFile, MissingFilesAreClearErrors) {
    TempDir dir;
    ChartControl c;
    c.Set("GraphFile", dir.File("absent.pxp"));
    try {
        c.Set("DrawMode", 9);
        FAIL() << "reading a missing file succeeded";
    } catch (const ChartError& e) {
        EXPECT_NE(std::string(e.what()).find("absent.pxp"), std::string::npos);
    }
    c.Set("GraphFile", dir.File("no/folder/x.pxp"));
    EXPECT_THROW(c.Set("DrawMode", 7), ChartError);
    c.Set("GraphFile", "");
    EXPECT_THROW(c.Set("DrawMode", 7), ChartError);
}

} // namespace
} // namespace korva::plot::test
