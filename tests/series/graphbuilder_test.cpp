// The graph window's build arithmetic and the graphs of "Display Graph".
#include "chartmodel.h"
#include "charts/graph/graphbuilder.h"
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

TEST(GraphBuild, ReadsTheSettingsFileAndSurvivesADamagedOne) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("korva_pxp_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "g.pxp") << "KORVA chart settings 1\nNumPoints=4\nLegendPos=2\n";
    GraphData g = LineGraph(4, 0, 1);
    g.graphName = "g";
    plot::ChartModel chart;
    std::vector<std::string> messages;
    GraphHost host{
        {}, [&](const std::string& m) { messages.push_back(m); }, {}, folder.string() + "/"};
    GraphBuilder(g, chart, host).Build();
    EXPECT_EQ(chart.Int("LegendPos"), 2); // the stored settings win
    EXPECT_TRUE(messages.empty());

    std::ofstream(folder / "g.pxp") << "KORVA chart settings 1\nNoSuchThing=2\n";
    plot::ChartModel chart2;
    GraphBuilder(g, chart2, host).Build();
    EXPECT_EQ(chart2.NumPoints(), 4);
    EXPECT_FALSE(messages.empty());
    fs::remove_all(folder);
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
