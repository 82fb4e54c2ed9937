#include "files/output/modeloutputseries.h"
#include "outputfixture.h"

#include <gmock/gmock.h>

namespace korva::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Names(const std::vector<TimeSeriesRecord>& list) {
    std::vector<std::string> names;
    for (const auto& series : list)
        names.push_back(series.name);
    return names;
}

class TimeSeriesFiles : public OutputFolder {};

TEST_F(TimeSeriesFiles, SortsCellsByRowThenColumnThenLayerAndKeepsAveragesApart) {
    Write(base + "_MC.tss", "MC_x2y1z3:\n1 0.1\n2 0.2\n\n"
                            "MC_x1y2:\n1 0.3\n\n"
                            "Average\n1 0.5\n2 0.6\n\n"
                            "MC_x1y1z2:\n1 0.4\n");
    Write(base + "_SWT.tss", "SWT_x1y1:\r\n5 6\r\n");
    ASSERT_EQ(Read(), 1);
    const auto& cells = grid.Outputs().cellSeries[0];
    EXPECT_THAT(Names(cells), ElementsAre("_x1y1z2", "_x2y1z3", "_x1y2"));
    EXPECT_THAT(cells[1].x, ElementsAre(1, 2));
    EXPECT_THAT(cells[1].y, ElementsAre(0.1, 0.2));
    // "Average" has no underscore: the whole header less its last character.
    EXPECT_THAT(Names(grid.Outputs().averageSeries[0]), ElementsAre("Averag"));
    EXPECT_THAT(grid.Outputs().averageSeries[0][0].y, ElementsAre(0.5, 0.6));
    // CR LF line ends read the same as LF.
    EXPECT_THAT(Names(grid.Outputs().cellSeries[13]), ElementsAre("_x1y1"));
    EXPECT_THAT(grid.Outputs().cellSeries[13][0].y, ElementsAre(6));
    EXPECT_THAT(grid.Outputs().cellSeries[1], IsEmpty());
}

TEST_F(TimeSeriesFiles, ReadingEmptiesListsOfCodesWithoutFile) {
    ReaderContents(grid).outputs.cellSeries[2].resize(3);
    ReaderContents(grid).outputs.averageSeries[2].resize(1);
    ASSERT_EQ(Read(), 1);
    EXPECT_THAT(grid.Outputs().cellSeries[2], IsEmpty());
    EXPECT_THAT(grid.Outputs().averageSeries[2], IsEmpty());
}

TEST_F(TimeSeriesFiles, MalformedDataLineEndsItsSeries) {
    std::vector<TimeSeriesRecord> cells, averages;
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ParseTimeSeriesText("HD_x1y1z1:\n1 10\n2 oops\n3 30\n\nHD_x2y1z1:\n1 11\n", cells, averages);
    EXPECT_THAT(sink.messages, ElementsAre("Bad format in .tss file: 2 oops"));
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_THAT(cells[0].y, ElementsAre(10));
    // The rest of the broken block does not turn into series of its own.
    EXPECT_EQ(cells[1].name, "_x2y1z1");
    EXPECT_THAT(cells[1].y, ElementsAre(11));
}

TEST(TimeSeriesNames, HeaderRules) {
    EXPECT_EQ(SeriesNameFromHeader("US_x3y4z5:"), "_x3y4z5");
    EXPECT_EQ(SeriesNameFromHeader("Ave_US:"), "_US");
    EXPECT_EQ(SeriesNameFromHeader("X"), "");
    EXPECT_EQ(SeriesNameFromHeader("a_"), "");
}

TEST(TimeSeriesNames, NamesOfAnotherFormSortFirstInFileOrder) {
    std::vector<TimeSeriesRecord> cells(4);
    cells[0].name = "_x1y1";
    cells[1].name = "odd";
    cells[2].name = "_x0y0z-1";
    cells[3].name = "other";
    SortCellSeries(cells);
    EXPECT_THAT(Names(cells), ElementsAre("odd", "other", "_x0y0z-1", "_x1y1"));
}

TEST(TimeSeriesNames, ExtraBlankLinesAndTrailingSpaceAreHarmless) {
    std::vector<TimeSeriesRecord> cells, averages;
    ParseTimeSeriesText("\n\n  RG_x1y1:\n1 2 extra\n \n\n\nAve:\n3 4\n\n\n", cells, averages);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_THAT(cells[0].x, ElementsAre(1));
    ASSERT_EQ(averages.size(), 1u);
    EXPECT_EQ(averages[0].name, "Ave");
}

} // namespace
} // namespace korva::test
