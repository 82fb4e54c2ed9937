// Date labels of the X axis: parsing, calendar arithmetic and formats.
#include "datelabels.h"

#include <gtest/gtest.h>

namespace korva::plot {
namespace {

std::string Label(const std::string& start, const std::string& inc, long point,
                  const std::string& format) {
    auto s = ParseDateFields(start, true);
    auto i = ParseDateFields(inc, false);
    if (!s || !i) return "invalid";
    return FormatDate(DateOfPoint(*s, *i, point), format);
}

TEST(DateLabels, StepsThroughTheCalendar) {
    EXPECT_EQ(Label("2026:01:01", "0000:00:01", 0, "m/d/yy"), "1/1/26");
    EXPECT_EQ(Label("2026:01:01", "0000:00:01", 31, "m/d/yy"), "2/1/26");
    EXPECT_EQ(Label("2024:02:28", "0000:00:01", 1, "yyyy-mm-dd"), "2024-02-29") << "leap day";
    EXPECT_EQ(Label("2025:02:28", "0000:00:01", 1, "yyyy-mm-dd"), "2025-03-01");
    EXPECT_EQ(Label("2026:12:31", "0000:00:01", 1, "yyyy-mm-dd"), "2027-01-01");
    // Months keep the day where they can, else take the month's last day.
    EXPECT_EQ(Label("2026:01:31", "0000:01:00", 1, "d mmm yyyy"), "28 Feb 2026");
    EXPECT_EQ(Label("2026:01:31", "0000:01:00", 2, "d mmm yyyy"), "31 Mar 2026");
    EXPECT_EQ(Label("2026:01:15", "0001:00:00", 3, "yy"), "29");
    // Time increments roll over into days.
    EXPECT_EQ(Label("2026:03:01:18:00", "0000:00:00:06:00:00", 2, "m/d/yy hh:nn"), "3/2/26 06:00");
    EXPECT_EQ(Label("2026:03:01", "0000:00:00:00:00:30", 3, "h:nn:ss"), "0:01:30");
    // Before the common era's year 1600 and far beyond 2100 the calendar holds.
    EXPECT_EQ(Label("1600:02:28", "0000:00:01", 1, "yyyy-mm-dd"), "1600-02-29");
    EXPECT_EQ(Label("2100:02:28", "0000:00:01", 1, "yyyy-mm-dd"), "2100-03-01");
}

TEST(DateLabels, AcceptsCommonSeparatorsAndRefusesNonDates) {
    EXPECT_EQ(Label("2026-03-01 06:30", "0:0:1", 0, "dd.mm.yyyy hh:nn"), "01.03.2026 06:30");
    EXPECT_FALSE(ParseDateFields("2026:13:01", true));
    EXPECT_FALSE(ParseDateFields("2026:02:30", true));
    EXPECT_FALSE(ParseDateFields("2026:01:01:24:00", true));
    EXPECT_FALSE(ParseDateFields("2026:01", true));
    EXPECT_FALSE(ParseDateFields("tomorrow", true));
    EXPECT_FALSE(ParseDateFields("1:2:3:4:5:6:7", false));
    EXPECT_FALSE(ParseDateFields("2026:01:01234567", true)) << "absurdly long numbers";
    EXPECT_TRUE(ParseDateFields("0000:01:01", false)) << "an increment is not a date";
    EXPECT_TRUE(IsBlank("  "));
}

TEST(DateLabels, FormatCopiesWhatIsNotACode) {
    DateFields d{2026, 7, 4, 9, 5, 3};
    EXPECT_EQ(FormatDate(d, "Week of mmm d"), "Wee"
                                              "k of Jul 4")
        << "k and spaces are copied";
    EXPECT_EQ(FormatDate(d, "hh:nn:ss"), "09:05:03");
    EXPECT_EQ(FormatDate(d, ""), "");
}

} // namespace
} // namespace korva::plot
