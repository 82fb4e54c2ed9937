// The tab-delimited export of time series and its sampling rule.
#include "files/series/seriesexport.h"
#include "model/messages.h"
#include "seriesfixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace korva {
namespace {

using testing::AddSeries;
using testing::Series;

std::vector<double> HalfDays(int count) {
    std::vector<double> x;
    for (int i = 1; i <= count; ++i)
        x.push_back(0.5 * i);
    return x;
}

std::string Export(const GridData& grid, double interval) {
    std::ostringstream out;
    WriteSeriesExport(grid, ListTimeSeries(grid), interval, out);
    return out.str();
}

TEST(SeriesExport, WritesTheFirstSampleAfterEachStep) {
    GridData grid;
    ReaderContents(grid).settings.simulationYear = 2005;
    AddSeries(grid, 0, Series("_x0y0z0", HalfDays(6), {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Export(grid, 1.0), "MC _x0y0z0\n"
                                 "\t1/1/2005\t0.5\t0.5\t1\n"
                                 "\t1/2/2005\t0.5\t1.5\t3\n"
                                 "\t1/3/2005\t0.5\t2.5\t5\n");
    // An interval of 0 writes every sample; 2 days every other written one.
    const std::string every = Export(grid, 0.0);
    EXPECT_EQ(std::count(every.begin(), every.end(), '\n'), 7);
    EXPECT_EQ(Export(grid, 2.0), "MC _x0y0z0\n"
                                 "\t1/1/2005\t0.5\t0.5\t1\n"
                                 "\t1/3/2005\t0.5\t2.5\t5\n");
}

TEST(SeriesExport, EachSeriesStartsAgainAndDepthIsNegated) {
    GridData grid;
    AddSeries(grid, 0, Series("_x0y0z0", {1, 2}, {0.25, 0.5}));
    AddSeries(grid, 10, Series("_x1y2", {1, 2}, {3, 4}));
    const std::string text = Export(grid, 1.0);
    EXPECT_NE(text.find("MC _x0y0z0\n\t1/2/1990\t0\t1\t0.25\n\t1/3/1990\t0\t2\t0.5\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("DW _x1y2\n\t1/2/1990\t0\t1\t-3\n\t1/3/1990\t0\t2\t-4\n"),
              std::string::npos)
        << text;
}

TEST(SeriesExport, FractionalAndTinyIntervalsNeverStall) {
    // Stepping from the whole part alone would stay at 0.25 for ever.
    EXPECT_DOUBLE_EQ(AdvanceOutputTime(0.0, 1.0, 0.25), 1.0);
    EXPECT_DOUBLE_EQ(AdvanceOutputTime(0.0, 0.6, 0.25), 0.75);
    // A whole-day interval keeps the rule: from the whole part of next.
    EXPECT_DOUBLE_EQ(AdvanceOutputTime(0.0, 0.5, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(AdvanceOutputTime(1.0, 3.5, 1.0), 4.0);
    EXPECT_DOUBLE_EQ(AdvanceOutputTime(1.5, 3.2, 1.5), 3.5);
    // Tiny intervals and huge times end at once.
    EXPECT_GE(AdvanceOutputTime(0.0, 1e12, 1e-9), 1e12 - 1.0);
    EXPECT_GE(AdvanceOutputTime(0.0, 5.0, 1e-300), 5.0);
    EXPECT_EQ(AdvanceOutputTime(2.0, 5.0, -1.0), 2.0);
}

TEST(SeriesExport, FileIsReplacedOnlyWhenWritten) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("korva_series_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    GridData grid;
    AddSeries(grid, 0, Series("_x0y0z0", {1}, {7}));
    const auto list = ListTimeSeries(grid);
    const std::string path = (folder / "out.txt").string();
    ASSERT_TRUE(ExportSeries(grid, list, 1.0, path));
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "MC _x0y0z0");
    // No series chosen: nothing is written.
    const std::string none = (folder / "none.txt").string();
    EXPECT_TRUE(ExportSeries(grid, {}, 1.0, none));
    EXPECT_FALSE(fs::exists(none));
    // An impossible place: the message, nothing left behind.
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    const std::string bad = (folder / "missing" / "out.txt").string();
    EXPECT_FALSE(ExportSeries(grid, list, 1.0, bad));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Unable to open " + bad);
    // Only the finished file is left in the folder: no temporary one.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

} // namespace
} // namespace korva
