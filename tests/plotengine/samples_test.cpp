// A gallery of every chart type with its main options, drawn to files: each
// picture must decode, have the size asked for, show more than a blank
// background, and differ from every other. With $KORVA_PLOT_SAMPLES set the
// gallery is kept in that folder (with PNG copies of the other formats) to be
// looked at by eye.
#include "charttesthelpers.h"

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>
#include <variant>
#include <vector>

namespace korva::plot::test {

namespace {

// The number of distinct colours in image, counted up to limit.
int DistinctColours(const QImage& image, int limit) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
            if (static_cast<int>(colours.size()) >= limit) return limit;
        }
    }
    return static_cast<int>(colours.size());
}

} // namespace

TEST(ChartSamples, EveryChartOfTheGalleryDrawsItsOwnPicture) {
    const char* keep = std::getenv("KORVA_PLOT_SAMPLES");
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                          ("korva-plot-gallery-" + std::to_string(::getpid()));
    const std::string out = keep != nullptr ? std::string(keep) : scratch.string();
    std::filesystem::create_directories(out);
    std::vector<QImage> drawn;
    auto draw = [&](ChartControl& c, const std::string& name) {
        const QString path = QString::fromStdString(out + "/" + name);
        c.Set("ImageFile", out + "/" + name);
        c.Set("DrawMode", 11);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << name << " did not decode";
        EXPECT_EQ(image.width(), std::get<int16_t>(c.Get("Width"))) << name;
        EXPECT_EQ(image.height(), std::get<int16_t>(c.Get("Height"))) << name;
        // Background, axes, text and at least one series.
        EXPECT_GE(DistinctColours(image, 4), 4) << name << " is blank";
        for (const QImage& other : drawn)
            EXPECT_NE(image, other) << name << " is the same picture as an earlier chart";
        drawn.push_back(image);
        // The file viewer shows PNG only: keep a decoded copy of the others.
        if (keep != nullptr && name.substr(name.size() - 4) != ".png") image.save(path + ".png");
    };
    {
        ChartControl c;
        FillLineChart(c, 4, 50);
        c.Set("GraphTitle", "Line chart");
        c.Set("LeftTitle", "Value");
        c.Set("BottomTitle", "Point");
        for (int s = 0; s < 4; ++s)
            c.Set("Legend", s, "Set " + std::to_string(s + 1));
        c.Set("GridStyle", 3);
        draw(c, "line.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 3, 6);
        c.Set("GraphType", 3);
        c.Set("GraphTitle", "Bar chart");
        const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun"};
        for (int p = 0; p < 6; ++p)
            c.Set("Label", p, months[p]);
        for (int s = 0; s < 3; ++s)
            c.Set("Legend", s, "Region " + std::to_string(s + 1));
        c.Set("LegendPos", 3);
        c.Set("GridStyle", 1);
        c.Set("DataLabels", 1);
        draw(c, "bar.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 1, 5);
        c.Set("GraphType", 1);
        c.Set("GraphTitle", "Pie chart");
        const char* names[] = {"North", "East", "South", "West", "Centre"};
        for (int p = 0; p < 5; ++p)
            c.Set("Label", p, names[p]);
        c.Set("GraphStyle", 1);
        draw(c, "pie.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 2, 30);
        c.Set("GraphType", 8);
        c.Set("GraphTitle", "Area chart with dates");
        c.Set("LabelXDateStart", "2026:01:01");
        c.Set("LabelXDateInc", "0000:00:01");
        c.Set("LabelXFormat", "d mmm");
        draw(c, "area.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 2, 20);
        c.Set("GraphType", 9);
        for (int s = 0; s < 2; ++s) {
            c.Set("ThisSet", s);
            for (int p = 0; p < 20; ++p)
                c.Set("XPos", p, p * p * 0.1 + s);
        }
        c.Set("GraphTitle", "Scatter");
        draw(c, "scatter.gif");
    }
    {
        ChartControl c;
        FillLineChart(c, 1, 12);
        c.Set("GraphType", 3);
        c.Set("OverlayGraph", 2);
        c.Set("OverlayGraphType", 6);
        c.Set("ThisSet", 0);
        for (int p = 0; p < 12; ++p)
            c.Set("OverlayData", p, 1000.0 - p * p * 5);
        c.Set("Legend", 0, "Rain");
        c.Set("Legend", 1, "Storage");
        c.Set("RightTitle", "Storage (mm)");
        c.Set("LeftTitle", "Rain (mm)");
        c.Set("GraphTitle", "Overlay on a right axis");
        c.Set("BackgroundUse", 1);
        c.Set("Background", 14);
        draw(c, "overlay.jpg");
    }
    {
        ChartControl c;
        FillLineChart(c, 3, 5);
        c.Set("GraphType", 5);
        c.Set("GraphStyle", 1);
        c.Set("GraphTitle", "Stacked horizontal bars");
        for (int s = 0; s < 3; ++s)
            c.Set("Legend", s, "Part " + std::to_string(s + 1));
        c.Set("LegendPos", 2);
        c.Set("GridStyle", 2);
        c.Set("BottomTitle", "Total");
        draw(c, "hbar.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 2, 365, 800, 400);
        c.Set("ThisSet", 1);
        for (int p = 0; p < 365; ++p)
            c.Set("Data", p, 50 + 40 * std::sin(p / 30.0));
        c.Set("LabelXDateStart", "2026:01:01");
        c.Set("LabelXDateInc", "0000:00:01");
        c.Set("LabelXType", 1);
        c.Set("GraphTitle", "A year of days, labels thinned");
        c.Set("LimitLines", 1);
        c.Set("LimitLowValue", 20.0);
        c.Set("LimitHighValue", 85.0);
        c.Set("LimitHighLabel", "Upper limit");
        c.Set("GridStyle", 3);
        c.Set("GridLineStyle", 2);
        draw(c, "year.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 3, 12);
        c.Set("GraphType", 6);
        c.Set("GraphStyle", 1);
        c.Set("ThickLines", 1);
        c.Set("PatternedLines", 1);
        for (int s = 0; s < 3; ++s)
            c.Set("Pattern", s, s);
        c.Set("GraphTitle", "Symbols and patterns, fixed axes");
        c.Set("YAxisStyle", 2);
        c.Set("YAxisMin", 0.0);
        c.Set("YAxisMax", 60.0);
        c.Set("YAxisTicks", 6);
        c.Set("LabelYFormat", "%.0f mm");
        c.Set("DataLabels", 1);
        c.Set("FStyle", 0, 3);
        draw(c, "symbols.png");
    }
    {
        ChartControl c;
        FillLineChart(c, 1, 8);
        c.Set("GraphType", 3);
        for (int p = 0; p < 8; ++p)
            c.Set("Color", p, 4);
        c.Set("Legend", 0, "Irrigation");
        c.Set("GraphTitle", "One set, every bar coloured 4");
        draw(c, "oneset.png");
    }
    {
        ChartControl c;
        c.Set("NumPoints", 40);
        c.Set("Width", 700);
        c.Set("Height", 350);
        for (int p = 0; p < 40; ++p) {
            c.Set("XPos", p, p * 9.0); // day numbers of a time series
            c.Set("Data", p, 20 + 10 * std::cos(p / 6.0));
        }
        c.Set("LabelXDateStart", "2026:04:01");
        c.Set("LabelXDateInc", "0000:00:01");
        c.Set("LabelXFormat", "mmm d");
        c.Set("GraphTitle", "Time series at X positions with dates");
        c.Set("GridStyle", 3);
        draw(c, "timeseries.png");
    }
    EXPECT_EQ(drawn.size(), 11u);
    if (keep == nullptr) std::filesystem::remove_all(scratch);
}

} // namespace korva::plot::test
