// The check before a run and the write-back of corrected values.
#include "model/griddata.h"
#include "model/modelcheck.h"

#include <gtest/gtest.h>
#include <limits>

namespace korva {
namespace {

GridData ProjectWithBasins(int basins) {
    GridData grid;
    grid.ResetModel(1);
    for (int b = 0; b < basins; ++b)
        grid.AppendBoundary(BasinType, "basin", {0, 0, 1});
    ReaderContents(grid).irrigation.assign(basins, {});
    ReaderContents(grid).settings.simulationYear = 1990;
    ReaderContents(grid).settings.simulationStart = 31; // 1 February 1990
    ReaderContents(grid).settings.simulationEnd = 90;
    ReaderContents(grid).settings.irrigationTimeStep = 1;
    ReaderContents(grid).settings.simulationTimeStep = 1;
    return grid;
}

TEST(ModelCheck, ZeroTimeStepsProposeOneAndTheCorrectionIsApplied) {
    GridData grid = ProjectWithBasins(0);
    ReaderContents(grid).settings.irrigationTimeStep = 0;
    ReaderContents(grid).settings.simulationTimeStep = 0;
    ProblemList problems;
    grid.CheckModel(problems);
    ASSERT_EQ(problems.Count(), 2u);
    EXPECT_EQ(problems.messages[0], "Irrigation Time Step");
    EXPECT_EQ(problems.messages[1], "Simulation Time Step");
    EXPECT_EQ(problems.currentValues, (std::vector<double>{0, 0}));
    EXPECT_EQ(problems.defaultValues, (std::vector<double>{1, 1}));
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 0); // the check changes nothing

    problems.currentValues[0] = 2; // typed by the user
    grid.ApplyModelCheckValues(problems);
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 2);
    EXPECT_EQ(grid.Settings().simulationTimeStep, 0);

    problems.UseDefaults();
    grid.ApplyModelCheckValues(problems);
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 1);
    EXPECT_EQ(grid.Settings().simulationTimeStep, 1);

    ProblemList none;
    grid.CheckModel(none);
    EXPECT_TRUE(none.Empty());
}

TEST(ModelCheck, SettingsNoRunCanUseAreListedWithADefaultToRestore) {
    GridData grid = ProjectWithBasins(0);
    ReaderContents(grid).settings.simulationTimeStep = -0.5;
    ReaderContents(grid).settings.porosity = 1.4;
    ReaderContents(grid).settings.simulationEnd = 20; // before the start on day 31
    ProblemList problems;
    grid.CheckModel(problems);
    ASSERT_EQ(problems.Count(), 3u);
    EXPECT_EQ(problems.messages,
              (std::vector<std::string>{"Simulation Time Step", "Porosity", "Simulation End Day"}));
    EXPECT_EQ(problems.currentValues, (std::vector<double>{-0.5, 1.4, 20}));
    EXPECT_EQ(problems.defaultValues, (std::vector<double>{1, 0, 31}));
    // A negative value is still a value to edit.
    EXPECT_TRUE(problems.Editable(0));

    problems.UseDefaults();
    grid.ApplyModelCheckValues(problems);
    EXPECT_EQ(grid.Settings().simulationTimeStep, 1);
    EXPECT_EQ(grid.Settings().porosity, 0);
    EXPECT_EQ(grid.Settings().simulationEnd, 31);
    ProblemList none;
    grid.CheckModel(none);
    EXPECT_TRUE(none.Empty());
}

TEST(ModelCheck, ADateThatDoesNotExistIsListedAndATypedDayIsRounded) {
    GridData grid = ProjectWithBasins(0);
    ReaderContents(grid).settings.simulationStart = -1; // 29 February of a common year, as stored
    ReaderContents(grid).settings.simulationEnd = -1;
    ProblemList problems;
    grid.CheckModel(problems);
    ASSERT_EQ(problems.Count(), 2u);
    EXPECT_EQ(problems.messages[0], "Simulation Start Day");
    EXPECT_EQ(problems.defaultValues[0], 0);
    EXPECT_EQ(problems.messages[1], "Simulation End Day");
    EXPECT_EQ(problems.defaultValues[1], 0);
    problems.currentValues[0] = 9.6;
    problems.currentValues[1] = 1e300;
    grid.ApplyModelCheckValues(problems);
    EXPECT_EQ(grid.Settings().simulationStart, 10);
    EXPECT_EQ(grid.Settings().simulationEnd, std::numeric_limits<int32_t>::max());
}

TEST(ModelCheck, IrrigationOnTheFirstDayIsReportedOnce) {
    GridData grid = ProjectWithBasins(3);
    // The first basin has no schedule, the other two start on 1 February.
    ReaderContents(grid).irrigation[1] = {{2, 1, 1990, 5, 0}, {3, 1, 1990, 5, 0}};
    ReaderContents(grid).irrigation[2] = {{2, 1, 1990, 5, 0}};
    ProblemList problems;
    grid.CheckModel(problems);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.messages[0],
              "Irrigation start must not begin on the first day of the simulation");
    EXPECT_EQ(problems.currentValues[0], -1);
    EXPECT_EQ(problems.defaultValues[0], -1);
    EXPECT_FALSE(problems.Editable(0));
    // Nothing to write back: the run goes on as it is.
    problems.UseDefaults();
    grid.ApplyModelCheckValues(problems);
    EXPECT_EQ(grid.Irrigation()[1].front().day, 1);
}

TEST(ModelCheck, OnlyTheFirstItemOnExactlyTheStartDateCounts) {
    GridData grid = ProjectWithBasins(2);
    ReaderContents(grid).irrigation[0] = {{2, 2, 1990, 5, 0},
                                          {2, 1, 1990, 5, 0}}; // second item on the start
    ReaderContents(grid).irrigation[1] = {{2, 1, 1991, 5, 0}}; // a year later
    ProblemList problems;
    grid.CheckModel(problems);
    EXPECT_TRUE(problems.Empty());
}

} // namespace
} // namespace korva
