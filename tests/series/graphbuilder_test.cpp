// The graph window's build arithmetic and the graphs of "Display Graph".
#include "chartmodel.h"
#include "charts/graph/graphbuilder.h"
#include "charts/graph/graphsettingsfile.h"
#include "charts/graph/timeseriesgraph.h"
#include "seriesfixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korva::charts {
namespace {

double Axis(const plot::ChartModel& chart, int axis, const char* name) {
    return chart.AxisDbl(axis, name);
}

GraphData LineGraph(int points, double low, double high) {
    GraphData g;
    g.SetData(1, 1, points, 0, 0, false, false);
    for (int p = 0; p < points; ++p)
        g.y[0][0][static_cast<std::size_t>(p)] = low + (high - low) * p / std::max(1, points - 1);
    g.SetTitles("Title", "Bottom", "Left", "", "");
    return g;
}

TEST(GraphBuild, PositiveDataStartTheAxisAtZero) {
    GraphData g = LineGraph(10, 2.0, 8.0);
    plot::ChartModel chart;
    int draws = 0;
    GraphBuilder(g, chart, {[&] { ++draws; }, {}, {}, {}}).Build();
    EXPECT_EQ(Axis(chart, 0, "YAxisMin"), 0.0);
    EXPECT_EQ(Axis(chart, 0, "YAxisMax"), 8.0);
    EXPECT_EQ(chart.AxisInt(0, "YAxisStyle"), 2);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(chart.Txt("GraphTitle"), "Title");
    EXPECT_EQ(chart.PointValue("Data", 0, 9), 8.0);

    GraphData negative = LineGraph(10, -3.0, 8.0);
    plot::ChartModel chart2;
    GraphBuilder(negative, chart2, {}).Build();
    EXPECT_EQ(Axis(chart2, 0, "YAxisMin"), -3.0);
}

TEST(GraphBuild, StoresALabelIntervalForLaterBuilds) {
    GraphData g = LineGraph(120, 0, 1);
    plot::ChartModel chart;
    GraphBuilder builder(g, chart, {});
    builder.Build();
    EXPECT_EQ(g.labelInterval, 3);
    builder.Build();
    EXPECT_EQ(chart.Int("LabelEvery"), 3);
    EXPECT_EQ(chart.Int("TickEvery"), 3);
}

TEST(GraphBuild, LongDateIncrementsShowTheTimeOfDay) {
    GraphData g = LineGraph(5, 0, 1);
    g.dateStart = "2005:04:01";
    g.dateIncrement = "0000:00:00:06:00:00"; // 19 characters
    plot::ChartModel chart;
    GraphBuilder(g, chart, {}).Build();
    EXPECT_EQ(chart.Txt("LabelXFormat"), "m/d/yy hh:nn");
    EXPECT_EQ(chart.Int("LabelXType"), 3);
    g.dateIncrement = "0000:00:01";
    GraphBuilder(g, chart, {}).Build();
    EXPECT_EQ(chart.Txt("LabelXFormat"), "m/d/yy");
    EXPECT_EQ(chart.Int("LabelXType"), 1);
}

TEST(GraphBuild, DatesOnXPositionsCountDaysFromTheFirstDayShown) {
    GraphData g;
    g.SetData(1, 1, 3, 0, 0, false, true);
    g.x[0][0] = {90, 91, 92};
    g.xPresets = {90, 92};
    g.dateStart = "2005:04:01";
    g.dateIncrement = "0000:00:02";
    plot::ChartModel chart;
    GraphBuilder(g, chart, {}).Build();
    // The engine labels X with start + X increments: day 90 is 1 April.
    EXPECT_EQ(chart.Txt("LabelXDateStart"), "2005:01:01");
    EXPECT_EQ(chart.Txt("LabelXDateInc"), "0000:00:01");
    EXPECT_EQ(g.dateStart, "2005:04:01");
}

TEST(GraphBuild, LabelSpacingAndZoomArithmetic) {
    EXPECT_EQ(LabelSpacingStep(10, 5, 1280), 1);
    EXPECT_EQ(LabelSpacingStep(100, 10, 1280), 3);   // k = 4
    EXPECT_EQ(LabelSpacingStep(100, 20, 1280), 6);   // k = 9
    EXPECT_EQ(LabelSpacingStep(1000, 20, 1280), 96); // k = 93
    EXPECT_EQ(LabelSpacingStep(10, 5, 0), 1);

    ZoomRange z = ZoomFromDrag(30.2, 10.7, 100);
    EXPECT_EQ(z.rangeMin, 11);
    EXPECT_EQ(z.rangeMax, 30);
    EXPECT_EQ(z.labelInterval, 1);
    z = ZoomFromDrag(0, 99, 100);
    EXPECT_EQ(z.labelInterval, 5);
    z = ZoomFromDrag(5.1, 5.2, 100); // a click: the whole range again
    EXPECT_EQ(z.rangeMin, 0);
    EXPECT_EQ(z.rangeMax, 0);
    EXPECT_EQ(z.labelInterval, 5);
}

// A folder of its own for the chart settings files of one test.
class SettingsFolder {
public:
    SettingsFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("korva_pxp_" + std::to_string(::getpid()) + "_" + std::to_string(++count_));
        std::filesystem::create_directories(path_);
    }
    ~SettingsFolder() { std::filesystem::remove_all(path_); }
    std::string Slash() const { return path_.string() + "/"; }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }

private:
    std::filesystem::path path_;
    static inline int count_ = 0;
};

// A dated two-set chart of 30 days, zoomed, named "g".
GraphData DatedGraph(int sets, double firstDay) {
    GraphData g;
    g.SetData(1, sets, 30, 0, 0, false, true);
    for (int s = 0; s < sets; ++s) {
        for (int p = 0; p < 30; ++p) {
            g.x[0][static_cast<std::size_t>(s)][static_cast<std::size_t>(p)] = firstDay + p;
            g.y[0][static_cast<std::size_t>(s)][static_cast<std::size_t>(p)] = s + 0.01 * p;
        }
        g.legends[static_cast<std::size_t>(s)] = "MC _x" + std::to_string(s) + "y1z0";
    }
    g.SetTitles("Moisture", "Time", "fraction", "Time Series Output", "g");
    g.xPresets = {firstDay, firstDay + 29};
    g.dateStart = "2005:04:01";
    g.dateIncrement = "0000:00:01";
    return g;
}

TEST(GraphSettings, ClosingKeepsTheLookAndTheNextChartOfThatNameGetsIt) {
    SettingsFolder folder;
    GraphData first = DatedGraph(2, 90);
    plot::ChartModel chart;
    GraphBuilder builder(first, chart, {{}, {}, {}, folder.Slash()});
    builder.Build();
    builder.Zoom(ZoomFromDrag(95, 100, first.pointCount));
    // Look settings the build leaves alone, as a user's own would be.
    chart.Set(*plot::FindProperty("SymbolSize"), std::nullopt, int16_t{3});
    chart.Set(*plot::FindProperty("FSize"), 1, int16_t{120});
    std::string error;
    ASSERT_TRUE(builder.SaveSettings(error)) << error;
    const std::string text = folder.Read("g.pxp");
    EXPECT_EQ(text.rfind("KORVA chart settings 1\n", 0), 0u);
    EXPECT_NE(text.find("SymbolSize=3\n"), std::string::npos);
    EXPECT_NE(text.find("FSize(1)=120\n"), std::string::npos);
    EXPECT_NE(text.find("LegendPos="), std::string::npos);
    // Nothing of what the chart shows: values, legends, titles, ranges, zoom, dates.
    for (const char* name : {"Data(", "XPos(", "Legend(", "GraphTitle=", "XAxisMin=", "YAxisMax=",
                             "RangeMin=", "LabelEvery=", "LabelXDateStart="})
        EXPECT_EQ(text.find(std::string("\n") + name), std::string::npos) << name;

    // The same chart opened again looks the same and is not zoomed.
    GraphData again = DatedGraph(2, 90);
    plot::ChartModel chart2;
    GraphBuilder(again, chart2, {{}, {}, {}, folder.Slash()}).Build();
    EXPECT_EQ(GraphSettingsText(chart2), text);
    EXPECT_EQ(chart2.Int("SymbolSize"), 3);
    EXPECT_EQ(chart2.Int("RangeMax"), 0);

    // Another period with as many points and one set only: its own sets,
    // range, dates and legend, the stored look.
    GraphData other = DatedGraph(1, 200);
    other.legends[0] = "SN _x4y4z1";
    plot::ChartModel chart3;
    GraphBuilder(other, chart3, {{}, {}, {}, folder.Slash()}).Build();
    EXPECT_EQ(chart3.NumSets(), 1);
    EXPECT_EQ(chart3.Dbl("XAxisMin"), 200.0);
    EXPECT_EQ(chart3.SetText("Legend", 0), "SN _x4y4z1");
    EXPECT_EQ(chart3.Int("SymbolSize"), 3);
    EXPECT_EQ(chart3.PointValue("XPos", 0, 0), 200.0);
}

TEST(GraphSettings, ADamagedFileIsSaidOnceDrawsTheDefaultsAndIsKept) {
    SettingsFolder folder;
    plot::ChartModel plain;
    GraphData reference = DatedGraph(1, 90);
    GraphBuilder(reference, plain, {{}, {}, {}, folder.Slash()}).Build(); // no file yet

    for (const std::string& damaged :
         {std::string("KORVA chart settings 1\nNoSuchThing=2\n"),
          std::string("KORVA chart settings 1\nSymbolSize=3\nNumPoints=-4\n"),
          std::string("\x89PNG\r\n\x1a\n\0\0", 10),
          std::string("KORVA chart settings 1\nFSize(")}) {
        folder.Write("g.pxp", damaged);
        std::vector<std::string> messages;
        GraphData g = DatedGraph(1, 90);
        plot::ChartModel chart;
        GraphBuilder builder(
            g, chart,
            {{}, [&](const std::string& m) { messages.push_back(m); }, {}, folder.Slash()});
        builder.Build();
        builder.Build(); // a resize
        ASSERT_EQ(messages.size(), 1u) << damaged;
        EXPECT_NE(messages[0].find("g.pxp"), std::string::npos) << messages[0];
        EXPECT_NE(messages[0].find("default settings"), std::string::npos) << messages[0];
        EXPECT_TRUE(builder.SettingsUnreadable());
        // All or nothing: the chart is the one drawn without a file.
        EXPECT_EQ(GraphSettingsText(chart), GraphSettingsText(plain)) << damaged;
        EXPECT_EQ(chart.NumPoints(), 30);
        std::string error;
        EXPECT_TRUE(builder.SaveSettings(error));
        EXPECT_EQ(folder.Read("g.pxp"), damaged); // left for the user to look at
    }
}

TEST(GraphSettings, AFailedWriteSaysWhyAndAChartWithoutANameWritesNothing) {
    SettingsFolder folder;
    GraphData g = DatedGraph(1, 90);
    plot::ChartModel chart;
    GraphBuilder builder(g, chart, {{}, {}, {}, folder.Slash() + "missing/"});
    builder.Build();
    std::string error;
    EXPECT_FALSE(builder.SaveSettings(error));
    EXPECT_FALSE(error.empty());

    GraphData unnamed = LineGraph(4, 0, 1);
    plot::ChartModel chart2;
    GraphBuilder quiet(unnamed, chart2, {{}, {}, {}, folder.Slash()});
    quiet.Build();
    EXPECT_TRUE(quiet.SaveSettings(error));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Slash()));
}

TEST(TimeSeriesGraph, LabelStepHalvesLongPeriods) {
    int days = 0;
    EXPECT_EQ(SeriesLabelStep(0, 119, &days), 1);
    EXPECT_EQ(days, 120);
    EXPECT_EQ(SeriesLabelStep(0, 120, &days), 2);
    EXPECT_EQ(days, 60);
    EXPECT_EQ(SeriesLabelStep(0, 364, &days), 4);
    EXPECT_EQ(days, 91);
}

TEST(TimeSeriesGraph, OneGraphPerParameterOverThePeriod) {
    GridData grid;
    ReaderContents(grid).settings.simulationYear = 2005;
    ReaderContents(grid).OutputBaseName = "field";
    testing::AddSeries(grid, 0, testing::Series("_x0y0z0", {89, 90, 91, 92, 93}, {1, 2, 3, 4, 5}));
    testing::AddSeries(grid, 0, testing::Series("_x1y0z0", {89, 90, 91}, {6, 7, 8}));
    testing::AddSeries(grid, 10, testing::Series("_x1y0", {89, 90, 91, 92, 93}, {1, 1, 2, 2, 3}));
    const auto list = ListTimeSeries(grid);
    const auto graphs = MakeTimeSeriesGraphs(grid, list, 90, 92);
    ASSERT_EQ(graphs.size(), 2u);
    const GraphData& mc = graphs[0];
    EXPECT_EQ(mc.seriesCount, 2);
    EXPECT_EQ(mc.pointCount, 3);
    EXPECT_EQ(mc.titles[0].graph, "(3D) Soil Moisture Content for field");
    EXPECT_EQ(mc.titles[0].caption, "Time Series Output");
    EXPECT_EQ(mc.titles[0].left, "fraction");
    EXPECT_EQ(mc.graphName, "timeSeriesOutput");
    EXPECT_EQ(mc.dateStart, "2005:04:01");
    EXPECT_EQ(mc.dateIncrement, "0000:00:01");
    EXPECT_EQ(mc.xTicks, 2);
    EXPECT_EQ(mc.yRangeMode, 1);
    EXPECT_EQ(mc.legends[1], "MC _x1y0z0");
    EXPECT_EQ(mc.x[0][0], (std::vector<double>{90, 91, 92}));
    EXPECT_EQ(mc.y[0][0], (std::vector<double>{2, 3, 4}));
    // The shorter series keeps its last point: its line stops there.
    EXPECT_EQ(mc.y[0][1], (std::vector<double>{7, 8, 8}));
    EXPECT_EQ(mc.x[0][1], (std::vector<double>{90, 91, 91}));
    EXPECT_EQ(graphs[1].y[0][0], (std::vector<double>{-1, -2, -2}));
    EXPECT_EQ(graphs[1].titles[0].left, "M");

    std::string problem;
    EXPECT_TRUE(MakeTimeSeriesGraphs(grid, list, 200, 300, &problem).empty());
    EXPECT_FALSE(problem.empty());
}

} // namespace
} // namespace korva::charts
