// The print control's corrections, "Add", "Add Group" and the list OK builds.
#include "charts/output/printcontrolrules.h"

#include <gtest/gtest.h>

namespace korva::charts {
namespace {

TEST(PrintControlCells, AreCorrectedAsTyped) {
    EXPECT_EQ(CorrectMonth("14"), 12);
    EXPECT_EQ(CorrectMonth("0"), 1);
    EXPECT_EQ(CorrectMonth("3rd"), 3);
    EXPECT_EQ(CorrectMonth("x"), 1);
    EXPECT_EQ(CorrectDay("31", 4, 2005), 30);
    EXPECT_EQ(CorrectDay("31", 12, 2005), 31);
    EXPECT_EQ(CorrectDay("-5", 1, 2005), 1);
    EXPECT_EQ(CorrectDay("30", 2, 2004), 29);
    // 29 February exists only in leap years; a row without a year yet keeps it.
    EXPECT_EQ(CorrectDay("29", 2, 2005), 28);
    EXPECT_EQ(CorrectDay("29", 2, 0), 29);
    EXPECT_EQ(CorrectYear("7"), 1907);
    EXPECT_EQ(CorrectYear("2005"), 2005);
    EXPECT_EQ(CorrectYear("99999999999"), 2147483647);
}

TEST(PrintControlAdd, AppendsEmptyRowsOfTheSimulationYear) {
    std::vector<PrintRow> rows;
    AddPrintRows(rows, 2, 2005);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].month, 0);
    EXPECT_EQ(rows[1].day, 0);
    EXPECT_EQ(rows[1].year, 2005);
}

TEST(PrintControlGroup, StepsFromStartToEndInclusive) {
    std::vector<PrintRow> rows;
    EXPECT_EQ(AddPrintGroup(rows, {1, 1, 2000, 1, 10, 2000, 3}), "");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].day, 1);
    EXPECT_EQ(rows[1].day, 4);
    EXPECT_EQ(rows[2].day, 7);
    EXPECT_EQ(rows[3].day, 10);
    // Across a year's end, with two-digit years.
    rows.clear();
    EXPECT_EQ(AddPrintGroup(rows, {12, 30, 99, 1, 2, 0, 1}), "");
    EXPECT_TRUE(rows.empty()); // 1/2/1900 is before 12/30/1999: nothing
    EXPECT_EQ(AddPrintGroup(rows, {12, 30, 1999, 1, 2, 2000, 1}), "");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].year, 2000);
    EXPECT_EQ(rows[2].month, 1);
    EXPECT_EQ(rows[2].day, 1);
}

TEST(PrintControlGroup, ChecksInOrderAndAddsNothingOnAFault) {
    std::vector<PrintRow> rows;
    EXPECT_EQ(AddPrintGroup(rows, {13, 0, 2000, 1, 40, 2000, 0}), "Start day must be between 1-31");
    EXPECT_EQ(AddPrintGroup(rows, {13, 1, 2000, 1, 40, 2000, 0}), "End day must be between 1-31");
    EXPECT_EQ(AddPrintGroup(rows, {13, 1, 2000, 0, 4, 2000, 0}),
              "Start month must be between 1-12");
    EXPECT_EQ(AddPrintGroup(rows, {1, 1, 2000, 0, 4, 2000, 0}), "End month must be between 1-12");
    EXPECT_EQ(AddPrintGroup(rows, {1, 1, 2000, 1, 4, 2000, 0}), "Interval must be at least 1.");
    EXPECT_TRUE(rows.empty());
    // A group that would flood the table is refused with a reason.
    EXPECT_NE(AddPrintGroup(rows, {1, 1, 1, 1, 1, 9999, 1}).find("at most"), std::string::npos);
    EXPECT_TRUE(rows.empty());
    // 31 April is read as its last day.
    EXPECT_EQ(AddPrintGroup(rows, {4, 31, 2005, 5, 1, 2005, 1}), "");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].day, 30);
}

TEST(PrintControlOk, SortsTheDatesAndMendsLeapDays) {
    const auto list = BuildPrintList({{5, 1, 2005}, {2, 29, 2005}, {2, 29, 2004}, {1, 1, 2005}});
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].year, 2004);
    EXPECT_EQ(list[0].day, 29);
    EXPECT_EQ(list[1].month, 1);
    EXPECT_EQ(list[2].month, 2);
    EXPECT_EQ(list[2].day, 28);
    EXPECT_EQ(list[3].month, 5);
}

} // namespace
} // namespace korva::charts
