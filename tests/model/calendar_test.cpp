#include "model/calendar.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(Calendar, DayNumbersCountFromFirstJanuaryOfTheBaseYear) {
    EXPECT_EQ(DateToDayNumber(1, 1, 1990, 1990), 0);
    EXPECT_EQ(DateToDayNumber(31, 12, 1990, 1990), 364);
    EXPECT_EQ(DateToDayNumber(1, 1, 1991, 1990), 365);
    EXPECT_EQ(DateToDayNumber(1, 3, 1992, 1992), 60); // leap year
    EXPECT_EQ(DateToDayNumber(1, 1, 2001, 2000), 366);
    EXPECT_EQ(DateToDayNumber(1, 1, 1901, 1900), 365); // 1900 is no leap year
}

TEST(Calendar, ImpossibleDatesAndEarlierYearsGiveMinusOne) {
    EXPECT_EQ(DateToDayNumber(29, 2, 1990, 1990), -1);
    EXPECT_EQ(DateToDayNumber(29, 2, 2000, 2000), 59);
    EXPECT_EQ(DateToDayNumber(31, 4, 1990, 1990), -1);
    EXPECT_EQ(DateToDayNumber(0, 1, 1990, 1990), -1);
    EXPECT_EQ(DateToDayNumber(1, 13, 1990, 1990), -1);
    EXPECT_EQ(DateToDayNumber(31, 12, 1989, 1990), -1);
    EXPECT_EQ(DateToDayNumber(1, 1, 2000000000, 0), -1); // beyond an int of days
}

TEST(Calendar, DatesRoundTripIncludingNegativeDayNumbers) {
    for (int day = -800; day < 1500; ++day) {
        const CalendarDate date = DayNumberToDate(day, 1995);
        if (day >= 0)
            EXPECT_EQ(DateToDayNumber(date.day, date.month, date.year, 1995), day);
        else
            EXPECT_LT(date.year, 1995);
    }
    const CalendarDate before = DayNumberToDate(-1, 1990);
    EXPECT_EQ(before.day, 31);
    EXPECT_EQ(before.month, 12);
    EXPECT_EQ(before.year, 1989);
    const CalendarDate leap = DayNumberToDate(59, 1996);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
}

} // namespace
} // namespace korva
