#include "model/editorrules.h"
#include "model/griddata.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(EditorRules, NumbersAreReadFromTheStartOfTheText) {
    EXPECT_EQ(ParseLeadingDouble("  2.5 cm"), 2.5);
    EXPECT_EQ(ParseLeadingDouble("-1e-005"), -1e-5);
    EXPECT_EQ(ParseLeadingDouble("+.5"), 0.5);
    EXPECT_EQ(ParseLeadingDouble("cm 2"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("nan"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("inf"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("-"), 0.0);
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e999")));
    EXPECT_EQ(ParseLeadingDouble("2,5"), 2.0); // the decimal point is always "."

    EXPECT_EQ(ParseLeadingInt("12.7"), 12);
    EXPECT_EQ(ParseLeadingInt(" -3x"), -3);
    EXPECT_EQ(ParseLeadingInt("x"), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(EditorRules, IrrigationMonthsAndDaysAreClamped) {
    EXPECT_EQ(ClampIrrigationMonth(13), 12);
    EXPECT_EQ(ClampIrrigationMonth(0), 1);
    EXPECT_EQ(ClampIrrigationDay(4, 31), 30);
    EXPECT_EQ(ClampIrrigationDay(2, 30), 29);
    EXPECT_EQ(ClampIrrigationDay(12, 31), 31);
    EXPECT_EQ(ClampIrrigationDay(5, -4), 1);
    EXPECT_EQ(ClampIrrigationDay(40, 31), 31); // month first clamped to 12

    IrrigationData schedule(1);
    schedule[0].amount = 2.0;
    AppendIrrigationItems(schedule, 3);
    ASSERT_EQ(schedule.size(), 4u);
    EXPECT_EQ(schedule[0].amount, 2.0);
    EXPECT_EQ(schedule[3].month, 0);
    EXPECT_EQ(schedule[3].saltConcentration, 0.0);
    AppendIrrigationItems(schedule, -2);
    EXPECT_EQ(schedule.size(), 4u);
}

TEST(EditorRules, DrainRowsNameTheirCollector) {
    GridData grid;
    grid.ResetModel(1);
    grid.AppendBoundary(CollectorType, "main canal", {0, 0, 0});
    grid.AppendBoundary(DrainType, "d0", {0, 0, 0});
    grid.AppendBoundary(DrainType, "d1", {0, 0, 0});
    grid.SetDrainCollector(1, 0);
    EXPECT_EQ(DrainCollectorName(grid, 0), "<none>");
    EXPECT_EQ(DrainCollectorName(grid, 1), "main canal");
    EXPECT_THROW(DrainCollectorName(grid, 2), std::out_of_range);
}

} // namespace
} // namespace korva
