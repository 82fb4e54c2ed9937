// Writes a gallery of charts into $KORVA_PLOT_SAMPLES when that is set, so
// that the pictures can be checked by eye; without it the test is skipped.
#include "charttesthelpers.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace korva::plot::test {

TEST(ChartSamples, WriteGallery) {
    const char* dir = std::getenv("KORVA_PLOT_SAMPLES");
    if (!dir) GTEST_SKIP() << "set KORVA_PLOT_SAMPLES to a folder to write the gallery";
    std::string out = dir;
    auto draw = [&](ChartControl& c, const std::string& name) {
        c.Set("ImageFile", out + "/" + name);
        c.Set("DrawMode", 11);
        // The file viewer shows PNG only: keep a decoded copy of the others.
        if (name.substr(name.size() - 4) != ".png")
            QImage(QString::fromStdString(out + "/" + name))
                .save(QString::fromStdString(out + "/" + name + ".png"));
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
}

} // namespace korva::plot::test
