// The series list of the output display: names, list texts, keys and order.
#include "files/series/seriescatalog.h"
#include "model/messages.h"
#include "seriesfixture.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::AddSeries;
using testing::Series;

TEST(SeriesNames, ReadTheThreeFormsTheSolverWrites) {
    SeriesPlace place;
    ASSERT_TRUE(ParseSeriesName("_x3y4z1", place));
    EXPECT_EQ(place.kind, SeriesPlace::Kind::Cell);
    EXPECT_EQ(place.x, 3);
    EXPECT_EQ(place.y, 4);
    EXPECT_EQ(place.z, 1);
    ASSERT_TRUE(ParseSeriesName("_x3y4", place));
    EXPECT_EQ(place.z, -1);
    ASSERT_TRUE(ParseSeriesName("_2_Yield", place));
    EXPECT_EQ(place.kind, SeriesPlace::Kind::Basin);
    EXPECT_EQ(place.basin, 2);
    EXPECT_EQ(place.basinParameter, "Yield");
}

TEST(SeriesNames, RefuseWhatFitsNoForm) {
    SeriesPlace place;
    for (const char* name : {"", "Averag", "_x", "_x3", "_x3y", "_x3y4z", "_x3y4z1q", "x3y4", "_2_",
                             "_2", "_xay4", "_x99999999999y1"})
        EXPECT_FALSE(ParseSeriesName(name, place)) << name;
}

TEST(SeriesList, ShowsPlacesOneBasedInCodeOrder) {
    GridData grid;
    ReaderContents(grid).boundaries[BasinType].names = {"North", "South"};
    AddSeries(grid, 9, Series("_x3y4", {1}, {1}));
    AddSeries(grid, 0, Series("_x3y4z1", {1}, {1}));
    AddSeries(grid, 0, Series("_2_Yield", {1}, {1}));
    AddSeries(grid, 2, Series("_7_Salt", {1}, {1}));
    const auto list = ListTimeSeries(grid);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].text, "Parameter MC ((3D) Soil Moisture Content) cell row 4, col 5, layer 2");
    EXPECT_EQ(list[1].text, "Parameter MC ((3D) Soil Moisture Content) Yield for basin South");
    // A basin number the project does not have is shown as the number.
    EXPECT_EQ(list[2].text, "Parameter US ((3D) Salt Concentration) Salt for basin 7");
    EXPECT_EQ(list[3].text, "Parameter WE ((2D) Water Table Elevation) cell row 4, col 5");
    EXPECT_EQ(SeriesKey(grid, list[3]), "WE:_x3y4");
    ASSERT_NE(FindSeries(grid, list, "MC:_x3y4z1"), nullptr);
    EXPECT_EQ(FindSeries(grid, list, "MC:_x3y4z1")->index, 0);
    EXPECT_EQ(FindSeries(grid, list, "US:_x3y4z1"), nullptr);
}

TEST(SeriesList, ReportsAndLeavesOutNamesThatFitNoForm) {
    GridData grid;
    AddSeries(grid, 1, Series("junk", {1}, {1}));
    AddSeries(grid, 1, Series("_x0y0z0", {1}, {1}));
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    const auto list = ListTimeSeries(grid);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].index, 1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Unable to parse basin parameter.");
}

TEST(SeriesValues, DepthToWaterTableIsShownNegatedAndDatesNameTheDay) {
    EXPECT_EQ(ShownSeriesValue(10, 2.5), -2.5);
    EXPECT_EQ(ShownSeriesValue(9, 2.5), 2.5);
    EXPECT_EQ(SeriesDateText(0.0, 2005), "1/1/2005");
    EXPECT_EQ(SeriesDateText(59.75, 2004), "2/29/2004");
    EXPECT_EQ(SeriesDateText(-0.5, 2005), "12/31/2004");
    // A damaged time far outside any calendar still gives a date, not a crash.
    EXPECT_FALSE(SeriesDateText(1e300, 2005).empty());
    EXPECT_FALSE(SeriesDateText(-1e300, 2005).empty());
}

} // namespace
} // namespace korva
