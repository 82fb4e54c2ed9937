#include "files/output/modeloutputgrid.h"
#include "outputfixture.h"

#include <gmock/gmock.h>

namespace korva::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ModelOutput : public OutputFolder {
protected:
    double Value(int quantity, int time, int layer, int row, int col) {
        double v = 0;
        grid.GetOutputValue(quantity, time, layer, row, col, v);
        return v;
    }
};

TEST_F(ModelOutput, ReadsEveryQuantityInFileOrderLayerRowColumn) {
    Write(base + ".day", "0 60\n2\n  31.5 first print\n40\n");
    Write(base + "-1.kvo", KvoText("MC MOISTURE CONTENT", 100, "RY RELATIVE YIELD", 500));
    Write(base + "-2.kvo", KvoText("MC MOISTURE CONTENT", 200, "RY RELATIVE YIELD", 600));

    ASSERT_EQ(Read(), 1);
    EXPECT_THAT(messages.messages, IsEmpty());
    const auto& outputs = grid.Outputs().gridOutputs;
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].name, "MC MOISTURE CONTENT"); // trailing blanks dropped
    EXPECT_EQ(outputs[1].name, "RY RELATIVE YIELD");
    EXPECT_EQ(outputs[0].kind, 3);
    EXPECT_EQ(outputs[1].kind, 2);
    ASSERT_EQ(outputs[0].times.size(), 2u);
    EXPECT_EQ(outputs[0].times[0].values.Layers(), 2);
    EXPECT_EQ(outputs[1].times[0].values.Layers(), 1);

    EXPECT_EQ(Value(0, 0, 0, 0, 0), 100);
    EXPECT_EQ(Value(0, 0, 0, 0, 2), 102);
    EXPECT_EQ(Value(0, 0, 0, 1, 0), 103);
    EXPECT_EQ(Value(0, 0, 1, 1, 2), 111);
    EXPECT_EQ(Value(0, 1, 1, 0, 1), 207);
    EXPECT_EQ(Value(1, 1, 0, 1, 2), 605);
    // A surface quantity answers from its one layer whatever layer is asked.
    EXPECT_EQ(Value(1, 0, 1, 0, 1), 501);

    EXPECT_EQ(outputs[0].minimum, 100);
    EXPECT_EQ(outputs[0].maximum, 211);
    EXPECT_EQ(outputs[1].minimum, 500);
    EXPECT_EQ(outputs[1].maximum, 605);
    EXPECT_EQ(grid.OutputBaseName(), base);
}

TEST_F(ModelOutput, DerivesDatesFromTruncatedDayNumbers) {
    Write(base + ".day", "0 400\n3\n31.9\n0\n59\n");
    Write(base + "-1.kvo", KvoText("HD HEAD", 0, "WE WATER TABLE ELEVATION", 0));
    Write(base + "-2.kvo", KvoText("HD HEAD", 0, "WE WATER TABLE ELEVATION", 0));
    Write(base + "-3.kvo", KvoText("HD HEAD", 0, "WE WATER TABLE ELEVATION", 0));
    ReaderContents(grid).settings.simulationYear = 1990;
    ASSERT_EQ(Read(), 1);
    const auto& times = grid.Outputs().gridOutputs[0].times;
    EXPECT_THAT((std::vector<int>{times[0].month, times[0].day, times[0].year}),
                ElementsAre(2, 1, 1990));
    EXPECT_THAT((std::vector<int>{times[1].month, times[1].day}), ElementsAre(1, 1));
    EXPECT_THAT((std::vector<int>{times[2].month, times[2].day}), ElementsAre(3, 1));
    EXPECT_EQ(times[0].time, -1.0);
    // Every quantity carries the same dates.
    EXPECT_EQ(grid.Outputs().gridOutputs[1].times[2].month, 3);

    ReaderContents(grid).settings.simulationYear = 2000; // a leap year: day 59 is 29 February
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(grid.Outputs().gridOutputs[0].times[2].month, 2);
    EXPECT_EQ(grid.Outputs().gridOutputs[0].times[2].day, 29);
}

TEST_F(ModelOutput, MissingGridFileKeepsEarlierTimesAndLeavesLaterOnesEmpty) {
    Write(base + ".day", "0 90\n3\n10\n20\n30\n");
    Write(base + "-1.kvo", KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1));
    Write(base + "-2.kvo", KvoText("MC MOISTURE CONTENT", 2, "RY RELATIVE YIELD", 2));

    ASSERT_EQ(Read(), 1);
    EXPECT_THAT(messages.messages,
                ElementsAre("Warning: Unable to open file " + base + "-3.kvo for reading."));
    ASSERT_EQ(grid.Outputs().gridOutputs[0].times.size(), 3u);
    EXPECT_EQ(Value(0, 1, 0, 0, 0), 2);
    double v = 0;
    EXPECT_FALSE(grid.GetOutputValue(0, 2, 0, 0, 0, v));
    EXPECT_EQ(v, NoDataValue);
    // The missing time still knows its date.
    EXPECT_EQ(grid.Outputs().gridOutputs[0].times[2].day, 31);
}

TEST_F(ModelOutput, WithoutDayFileReadsOnlySeriesAndDropsOldGridOutputs) {
    ReaderContents(grid).outputs.gridOutputs.resize(2);
    Write(base + "_HD.tss", "HD_x1y1z1:\n1 2\n");
    EXPECT_EQ(Read(), 1);
    EXPECT_THAT(messages.messages, IsEmpty());
    EXPECT_THAT(grid.Outputs().gridOutputs, IsEmpty());
    ASSERT_EQ(grid.Outputs().cellSeries[4].size(), 1u);
}

TEST_F(ModelOutput, NoBasePathIsAFailure) {
    ReaderContents(grid).OutputBaseName.clear();
    EXPECT_EQ(ReadModelOutput(grid, "", 2, 3, 2), 0);
    ReaderContents(grid).OutputBaseName = base;
    Write(base + ".day", "0 1\n0\n");
    EXPECT_EQ(ReadModelOutput(grid, "", 2, 3, 2), 1);
}

TEST_F(ModelOutput, ReportsMalformedHeadersWithTheLine) {
    Write(base + ".day", "start end\n1\n5\n");
    EXPECT_EQ(Read(), 0);
    Write(base + ".day", "0 10\n1\n5\n");
    Write(base + "-1.kvo", "x\n1\n2 3 2\nA\nB\n");
    EXPECT_EQ(Read(), 0);
    Write(base + "-1.kvo", "x\n1 1\n2 three 2\nA\nB\n");
    EXPECT_EQ(Read(), 0);
    EXPECT_THAT(
        messages.messages,
        ElementsAre(
            "Unable to parse start and end day from file " + base + ".day; line is \"start end\"",
            "Unable to read number of parameters from line 2 in " + base + "-1.kvo; line is \"1\"",
            "Unable to read grid dimensions from line 3 in " + base +
                "-1.kvo; line is \"2 three 2\""));
}

TEST_F(ModelOutput, RejectsAnotherGridSizeSilently) {
    Write(base + ".day", "0 10\n1\n5\n");
    std::string text = KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1);
    text.replace(text.find("2 3 2"), 5, "3 2 2");
    Write(base + "-1.kvo", text);
    EXPECT_EQ(Read(), 0);
    EXPECT_THAT(messages.messages, IsEmpty());
    EXPECT_THAT(grid.Outputs().gridOutputs, IsEmpty());
}

TEST_F(ModelOutput, UndefinedNumbersAreReportedOncePerQuantityAndFile) {
    Write(base + ".day", "0 10\n2\n5\n7\n");
    std::string text = KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1);
    text.replace(text.find(" 2 "), 3, " -1.#IND ");
    text.replace(text.find(" 3\n"), 3, " 1.#IND00\n");
    text.replace(text.rfind(" 3 "), 3, " nan "); // a surface value
    Write(base + "-1.kvo", text);
    Write(base + "-2.kvo", KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1));

    ASSERT_EQ(Read(), 1);
    EXPECT_THAT(messages.messages, ElementsAre("Error in parameter MC MOISTURE CONTENT, time 5\n",
                                               "Error in parameter RY RELATIVE YIELD, time 5\n"));
    // The C conversion keeps the numeric prefix of "-1.#IND".
    EXPECT_EQ(Value(0, 0, 0, 0, 1), -1);
    EXPECT_EQ(Value(0, 0, 0, 0, 2), 1);
    // A NaN cannot be ranged or coloured: the cell has no value.
    double v = 0;
    EXPECT_FALSE(grid.GetOutputValue(1, 0, 0, 0, 2, v));
    EXPECT_EQ(grid.Outputs().gridOutputs[0].minimum, -1);
}

TEST_F(ModelOutput, SaltConcentrationRunsFromGreenToRed) {
    Write(base + ".day", "0 10\n1\n5\n");
    Write(base + "-1.kvo", KvoText("US SALT CONCENTRATION", 1, "RY RELATIVE YIELD", 1));
    ASSERT_EQ(Read(), 1);
    const auto& salt = grid.Outputs().gridOutputs[0];
    EXPECT_EQ(salt.lowColor, (RgbColor{0, 1, 0}));
    EXPECT_EQ(salt.highColor, (RgbColor{1, 0, 0}));
    const auto& other = grid.Outputs().gridOutputs[1];
    EXPECT_EQ(other.lowColor, (RgbColor{1, 0, 0}));
    EXPECT_EQ(other.highColor, (RgbColor{0, 1, 0}));
}

TEST_F(ModelOutput, WaterTableElevationBecomesDepthBelowGround) {
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetValue(ground, 0, r, c, 100.0);
    grid.SetValue(ground, 0, 1, 2, NoDataValue); // one column without a ground
    Write(base + ".day", "0 10\n1\n5\n");
    std::string text = "x\n0 1\n2 3 2\nWE WATER TABLE ELEVATION\n95 -9999 90\n99 98 97\n";
    Write(base + "-1.kvo", text);

    ASSERT_EQ(Read(), 1);
    double v = 0;
    EXPECT_TRUE(grid.GetOutputValue(0, 0, 0, 0, 0, v));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(grid.GetOutputValue(0, 0, 0, 0, 1, v)); // absent stays absent
    EXPECT_EQ(v, NoDataValue);
    // No ground elevation: no depth, rather than the elevation passing for one.
    EXPECT_FALSE(grid.GetOutputValue(0, 0, 0, 1, 2, v));
    EXPECT_EQ(grid.Outputs().gridOutputs[0].minimum, 1);
    EXPECT_EQ(grid.Outputs().gridOutputs[0].maximum, 10);
}

TEST_F(ModelOutput, BadCountsAreErrorsNotAllocations) {
    Write(base + ".day", "0 10\n2000000000\n5\n");
    EXPECT_EQ(Read(), 0);
    Write(base + ".day", "0 10\n-1\n");
    EXPECT_EQ(Read(), 0);
    Write(base + ".day", "0 10\n1\n5\n");
    Write(base + "-1.kvo", "x\n2000000000 2000000000\n2 3 2\nA\n");
    EXPECT_EQ(Read(), 0);
    Write(base + "-1.kvo", "x\n1 0\n2 3 2\nA\n1 2 3\n");
    EXPECT_EQ(Read(), 0);
    ASSERT_EQ(messages.messages.size(), 4u);
    EXPECT_EQ(messages.messages[0], "Unable to read number of output times from line 2 in " + base +
                                        ".day; line is \"2000000000\"");
    EXPECT_THAT(messages.messages[2], ::testing::HasSubstr("exceeds what the file holds"));
    EXPECT_THAT(messages.messages[3], ::testing::StartsWith("Unexpected end of file " + base));
}

TEST_F(ModelOutput, TruncatedValuesAndChangedQuantitiesStopTheRead) {
    Write(base + ".day", "0 10\n2\n5\n6\n");
    Write(base + "-1.kvo", KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1));
    std::string text = KvoText("MC MOISTURE CONTENT", 1, "RY RELATIVE YIELD", 1);
    Write(base + "-2.kvo", text.substr(0, text.size() - 4));
    EXPECT_EQ(Read(), 0);
    EXPECT_THAT(messages.messages, ElementsAre("Unexpected end of file " + base +
                                               "-2.kvo in parameter RY RELATIVE YIELD, time 6"));
    EXPECT_EQ(Value(0, 0, 0, 0, 0), 1); // the first time stays

    messages.messages.clear();
    Write(base + "-2.kvo", "x\n2 0\n2 3 2\nA\nB\n");
    EXPECT_EQ(Read(), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_THAT(messages.messages[0], ::testing::HasSubstr("differs from the first output time"));
}

TEST_F(ModelOutput, LocatedValuesPutSurfaceLevelsInTheirLayer) {
    // Ground at 1.5 m above the bottom of a 2 m grid (layers 0..100, 100..200 cm deep).
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetValue(ground, 0, r, c, 1.5);
    grid.SetValue(ground, 0, 0, 1, NoDataValue);
    KORVAOutputData depth;
    depth.name = "WE WATER TABLE ELEVATION";
    depth.kind = 2;
    depth.times.resize(1);
    depth.times[0].values.Assign(1, 2, 3, 0.2);
    KORVAOutputData yield = depth;
    yield.name = "RY RELATIVE YIELD";
    KORVAOutputData other = depth;
    other.name = "SWT SALT AT WATER TABLE";
    KORVAOutputData head = depth;
    head.kind = 3;
    head.name = "HD HEAD";
    head.times[0].values.Assign(2, 2, 3, 0.2);
    ReaderContents(grid).outputs.gridOutputs = {depth, yield, other, head};

    double v = 0;
    // A water table 0.2 m below a ground at 1.5 m lies 70 cm below the top: layer 0.
    EXPECT_TRUE(grid.GetLocatedOutputValue(0, 0, 0, 0, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(0, 0, 1, 0, 0, v));
    EXPECT_TRUE(grid.GetLocatedOutputValue(0, 0, -1, 0, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(0, 0, 0, 0, 1, v)); // no ground there
    ReaderContents(grid).outputs.gridOutputs[0].times[0].values(0, 1, 0) =
        0.8; // 130 cm down: layer 1
    EXPECT_TRUE(grid.GetLocatedOutputValue(0, 0, 1, 1, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(0, 0, 0, 1, 0, v));
    // Yield is drawn at the ground (50 cm down).
    EXPECT_TRUE(grid.GetLocatedOutputValue(1, 0, 0, 0, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(1, 0, 1, 0, 0, v));
    // Any other surface quantity lives on the top layer.
    EXPECT_TRUE(grid.GetLocatedOutputValue(2, 0, 0, 0, 1, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(2, 0, 1, 0, 1, v));
    EXPECT_TRUE(grid.GetLocatedOutputValue(3, 0, 1, 0, 1, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(3, 0, -1, 0, 1, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(-1, 0, 0, 0, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(4, 0, 0, 0, 0, v));
    EXPECT_FALSE(grid.GetLocatedOutputValue(3, 1, 0, 0, 0, v));
}

} // namespace
} // namespace korva::test
