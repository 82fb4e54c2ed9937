// The ET editor's weekly table and its "Calc", without a window.
#include "dialogs/settings/etdailytable.h"
#include "model/messages.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

SimulationSettings TenDays() {
    SimulationSettings settings;
    settings.simulationYear = 1990;
    settings.ETPeriod = {0, 9}; // 1 to 10 January
    for (int i = 0; i < 10; ++i)
        settings.DailyETUsage.push_back(i + 1.0);
    return settings;
}

TEST(ETDailyTable, OneRowPerWeekTheLastHoldingTheRest) {
    ETDailyTable table(TenDays());
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.DateRange(0), "Jan  1, 1990-Jan  7, 1990");
    EXPECT_EQ(table.DateRange(1), "Jan  8, 1990-Jan 10, 1990");
    EXPECT_EQ(table.CellText(1, 2), "10");
    EXPECT_FALSE(table.HasDay(1, 3));
    EXPECT_EQ(table.CellText(1, 3), "");
    EXPECT_EQ(table.SetCell(1, 3, "5"), ""); // past the last day: stays empty
}

TEST(ETDailyTable, TypedCellsAreReadAsNumbersAndShownReformatted) {
    ETDailyTable table(TenDays());
    EXPECT_EQ(table.SetCell(0, 1, "2.50"), "2.5");
    EXPECT_EQ(table.SetCell(0, 2, "wet"), "0");
    SimulationSettings stored;
    table.Store(stored);
    EXPECT_EQ(stored.DailyETUsage[1], 2.5);
    EXPECT_EQ(stored.DailyETUsage[2], 0.0);
    EXPECT_EQ(stored.ETPeriod.last, 9);
}

TEST(ETDailyTable, CalcKeepsEachValueWithItsDay) {
    ETDailyTable table(TenDays());
    ASSERT_TRUE(table.Calc({1, 2, 1990}, {1, 12, 1990}));
    EXPECT_EQ(table.Values(), (std::vector<double>{2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
    EXPECT_EQ(table.DateRange(0), "Jan  2, 1990-Jan  8, 1990");

    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    EXPECT_FALSE(table.Calc({2, 30, 1990}, {3, 1, 1990}));
    EXPECT_FALSE(table.Calc({1, 1, 1990}, {1, 1, 2990})); // a thousand years of rows
    EXPECT_EQ(messages.messages.front(), "Illegal start date.");
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(table.Values().size(), 11u); // unchanged by the refusals
}

TEST(ETDailyTable, AListThatDisagreesWithItsPeriodIsShownAsThePeriodSays) {
    SimulationSettings settings = TenDays();
    settings.DailyETUsage.resize(4);
    ETDailyTable table(settings);
    EXPECT_EQ(table.Values().size(), 10u);
    EXPECT_EQ(table.CellText(0, 5), "0");

    settings.ETPeriod = {0, 2000000000}; // a damaged file
    ETDailyTable huge(settings);
    EXPECT_EQ(huge.RowCount(), 0);
    EXPECT_EQ(huge.Values().size(), 4u);
}

} // namespace
} // namespace korva
