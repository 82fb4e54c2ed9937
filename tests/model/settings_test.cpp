// Settings defaults, the method and output tables, and the period editing the
// Simulation Parameters and ET dialogs rely on.
#include "model/etperiodedit.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "model/outputselection.h"
#include "model/outputstore.h"
#include "model/simulationperiod.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(Settings, NewModelDefaultsSurviveAReset) {
    GridData grid;
    ReaderContents(grid).settings.porosity = 0.4;
    grid.ResetModel(0);
    EXPECT_EQ(grid.Settings().porosity, 0.4);
    SimulationSettings defaults;
    EXPECT_EQ(defaults.simulationYear, 1990);
    EXPECT_EQ(defaults.kvKhRatio, 1.0);
    EXPECT_EQ(defaults.useSaltSolver, 1.0);
    EXPECT_EQ(defaults.ETPeriod.last, 0);
    EXPECT_TRUE(defaults.DailyETUsage.empty());
    EXPECT_EQ(grid.ZExaggeration(), 1.0);
}

TEST(Settings, SimulationPeriodReportsChanges) {
    GridData grid;
    EXPECT_FALSE(grid.SetSimulationPeriod(0, 0, 1990));
    EXPECT_TRUE(grid.SetSimulationPeriod(0, 0, 1991));
    EXPECT_TRUE(grid.SetSimulationPeriod(0, 10, 1991));
    EXPECT_EQ(grid.Settings().simulationEnd, 10);
    EXPECT_FALSE(grid.SetSimulationPeriod(0, 10, 1991));
}

TEST(Settings, DialogDatesBecomeDayNumbersOfTheStartYear) {
    SimulationPeriod period = SimulationPeriodFromDates({3, 1, 1992}, {2, 1, 1993});
    EXPECT_EQ(period.year, 1992);
    EXPECT_EQ(period.start, 60);
    EXPECT_EQ(period.end, 366 + 31);
    period = SimulationPeriodFromDates({2, 29, 1991}, {1, 1, 1990});
    EXPECT_EQ(period.start, -1);
    EXPECT_EQ(period.end, -1);

    SimulationSettings settings;
    settings.simulationYear = 1992;
    settings.simulationStart = 60;
    settings.simulationEnd = 397;
    const SimulationPeriodDates dates = SimulationPeriodToDates(settings);
    EXPECT_EQ(dates.start.month, 3);
    EXPECT_EQ(dates.start.day, 1);
    EXPECT_EQ(dates.end.year, 1993);
    EXPECT_EQ(dates.end.month, 2);
}

TEST(Settings, MethodNamesAndRootExtractionLabels) {
    EXPECT_STREQ(PressureSaturationMethodName(VAN_GENUCHTEN_PS), "Van-Genuchten");
    EXPECT_STREQ(RootGrowthMethodName(SCHOUWENAARS), "Schouwenaars (1988)");
    EXPECT_STREQ(RootExtractionMethodName(VAN_GENUCHTEN_HOFFMAN), "van Genuchten & Hoffman (1984)");
    EXPECT_STREQ(CropYieldMethodName(0), "Yield Model 1");
    EXPECT_STREQ(KWeightingMethodName(GEOMETRIC_MEAN), "Geometric Mean");
    EXPECT_STREQ(EquationTypeName(TAYLOR_SERIES), "Taylor Series");
    EXPECT_STREQ(InitialConditionsTypeName(STATIC_EQUILIBRIUM), "Static Equilibrium");
    EXPECT_EQ(RootGrowthMethodName(5), nullptr);
    EXPECT_EQ(KWeightingMethodName(-1), nullptr);

    EXPECT_EQ(RootExtractionParamUsedCount(8), 3);
    EXPECT_STREQ(RootExtractionParamLabel(8, 1), "Osmotic Pressure at 50% Yield Reduction ");
    EXPECT_EQ(RootExtractionParamLabel(8, 3), nullptr);
    EXPECT_EQ(RootExtractionParamUsedCount(2), 5);
    EXPECT_EQ(RootExtractionParamUsedCount(4), 2);
    EXPECT_STREQ(RootExtractionParamLabel(7, 0), "Root Permeability");
    EXPECT_EQ(RootExtractionParamLabel(9, 0), nullptr);
}

TEST(OutputSelection, TableAndTimeSeriesCount) {
    EXPECT_STREQ(OutputParam(13).text, "SWT");
    EXPECT_STREQ(OutputParam(0).unit, "Fraction Full");
    EXPECT_STREQ(OutputParam(8).displayName, "(3D) Flow Along the Y-Direction");
    EXPECT_THROW(OutputParam(14), std::out_of_range);
    EXPECT_EQ(OutputParamCodeFromText("WE"), 9);
    EXPECT_EQ(OutputParamCodeFromText("we"), -1);
    EXPECT_TRUE(IsLayeredOutput(8));
    EXPECT_FALSE(IsLayeredOutput(9));
    EXPECT_EQ(TimeSeriesCellColor, (std::array<double, 3>{0, 1, 0}));
    EXPECT_EQ(TimeSeriesDisplay, 1);

    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).layerSpacing = {1, 1};
    grid.Resize(2, 1, 1);
    EXPECT_EQ(grid.CountTimeSeriesSelections(), 0);
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 0, 0, {9, 4});
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 0, 0, {0});
    EXPECT_EQ(grid.CountTimeSeriesSelections(), 3);
}

TEST(OutputSelection, StoreEmptiesAndClears) {
    OutputStore store;
    EXPECT_TRUE(store.Empty());
    store.averageSeries[3].push_back({});
    EXPECT_FALSE(store.Empty());
    store.gridOutputs.emplace_back();
    store.Clear();
    EXPECT_TRUE(store.Empty());
}

TEST(ETPeriodEdit, WeekRowsCoverThePeriodBothEndsIncluded) {
    ETPeriodData period{0, 9}; // ten days
    const std::vector<ETWeekRow> rows = ETWeekRows(period, 1990);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].dateRange, "Jan  1, 1990-Jan  7, 1990");
    EXPECT_EQ(rows[0].valueCount, 7);
    EXPECT_EQ(rows[1].dateRange, "Jan  8, 1990-Jan 10, 1990");
    EXPECT_EQ(rows[1].firstValue, 7);
    EXPECT_EQ(rows[1].valueCount, 3);
    EXPECT_TRUE(ETWeekRows({0, 0}, 1990).empty());
    EXPECT_EQ(ETDayCount({5, 5}), 1);
    EXPECT_EQ(ETDayCount({5, 4}), 0);
    EXPECT_EQ(FormatETDate({12, 25, 2001}), "Dec 25, 2001");
}

TEST(ETPeriodEdit, TypedValuesThatAreNoNumberGiveZero) {
    EXPECT_EQ(ParseETValue(" 0.25 "), 0.25);
    EXPECT_EQ(ParseETValue("1e-005"), 1e-5);
    EXPECT_EQ(ParseETValue("+3"), 3.0);
    EXPECT_EQ(ParseETValue("abc"), 0.0);
    EXPECT_EQ(ParseETValue("1.5 mm"), 1.5);
    EXPECT_EQ(ParseETValue(""), 0.0);
}

TEST(ETPeriodEdit, CalcShiftsValuesWithTheDates) {
    CollectingMessageSink messages;
    ScopedMessageSink useSink(messages);
    ETPeriodData period{10, 14};
    std::vector<double> values{1, 2, 3, 4, 5};
    // Jan 11 is day 10: one day later at the start, two later at the end.
    ASSERT_TRUE(MoveETPeriod(period, values, {1, 12, 1990}, {1, 17, 1990}, 1990));
    EXPECT_EQ(period.first, 11);
    EXPECT_EQ(period.last, 16);
    EXPECT_EQ(values, (std::vector<double>{2, 3, 4, 5, 0, 0}));

    ASSERT_TRUE(MoveETPeriod(period, values, {1, 10, 1990}, {1, 13, 1990}, 1990));
    EXPECT_EQ(values, (std::vector<double>{0, 0, 2, 3}));

    EXPECT_FALSE(MoveETPeriod(period, values, {2, 30, 1990}, {3, 1, 1990}, 1990));
    EXPECT_FALSE(MoveETPeriod(period, values, {1, 1, 1990}, {1, 1, 1989}, 1990));
    EXPECT_FALSE(MoveETPeriod(period, values, {1, 5, 1990}, {1, 4, 1990}, 1990));
    EXPECT_EQ(messages.messages,
              (std::vector<std::string>{"Illegal start date.", "Illegal end date.",
                                        "Illegal end date."}));
    EXPECT_EQ(period.first, 9);
    EXPECT_EQ(values.size(), 4u);

    // A period without values gets one zero per day.
    ETPeriodData none{0, 0};
    std::vector<double> empty;
    ASSERT_TRUE(MoveETPeriod(none, empty, {1, 11, 1990}, {1, 21, 1990}, 1990));
    EXPECT_EQ(empty, std::vector<double>(11, 0.0));
}

} // namespace
} // namespace korva

namespace korva {
namespace {

TEST(OutputSelection, PrintDatesAreKeptInDateOrder) {
    std::vector<PrintDataItem> list;
    InsertPrintDate(list, {3, 1, 1991});
    InsertPrintDate(list, {12, 31, 1990});
    InsertPrintDate(list, {3, 15, 1991});
    InsertPrintDate(list, {2, 1, 1991});
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].year, 1990);
    EXPECT_EQ(list[1].month, 2);
    EXPECT_EQ(list[2].day, 1);
    EXPECT_EQ(list[3].day, 15);
}

} // namespace
} // namespace korva
