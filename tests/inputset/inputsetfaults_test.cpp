// The writer and reader on damaged sets and awkward models: every problem is
// a clear message and a failed read that leaves the model as it was.
#include "files/inputset/inputset.h"
#include "inputsettestutil.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "tests/gridrows.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

// Two rows, two columns, one layer; two drains into one collector, a basin.
GridData SmallModel() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing = {10, 10};
    ReaderContents(grid).columnSpacing = {10, 10};
    ReaderContents(grid).layerSpacing = {50};
    grid.Resize(1, 2, 2);
    ReaderContents(grid).settings.simulationStart = 0;
    ReaderContents(grid).settings.simulationEnd = 3;
    grid.AppendBoundary(DrainType, "d1", {0, 1, 0});
    grid.AppendBoundary(DrainType, "d2", {0, 1, 0});
    grid.AppendBoundary(CollectorType, "c1", {0, 0, 1});
    grid.SetDrainCollector(0, 0);
    grid.SetDrainCollector(1, 0);
    grid.AppendBoundary(BasinType, "b1", {1, 1, 0});
    ReaderContents(grid).irrigation[0] = {{1, 5, 1990, 1, 0}};
    return grid;
}

class InputSetFaults : public ::testing::Test {
protected:
    void SetUp() override {
        base = folder.Base("set");
        ASSERT_TRUE(WriteModelInputFiles(SmallModel(), base));
        messages.messages.clear();
    }
    // Reads the set into a model that must come out untouched.
    bool ReadIntoMarkedModel() {
        model.ResetModel(1);
        ReaderContents(model).settings.simulationYear = 1777;
        const bool ok = ReadModelInputFiles(model, base);
        if (!ok) {
            EXPECT_EQ(model.Settings().simulationYear, 1777) << "a failed read changed the model";
        }
        return ok;
    }
    std::string OnlyMessage() {
        EXPECT_EQ(messages.messages.size(), 1u);
        return messages.messages.empty() ? std::string() : messages.messages.front();
    }

    TempFolder folder;
    std::string base;
    CollectingMessageSink messages;
    ScopedMessageSink scope{messages};
    GridData model;
};

TEST_F(InputSetFaults, FilesThatCannotBeOpenedNameThePath) {
    EXPECT_FALSE(WriteModelInputFiles(SmallModel(), folder.Base("no/such/folder/set")));
    EXPECT_EQ(OnlyMessage(),
              "Error opening " + folder.Base("no/such/folder/set") + ".kvi for writing.");
    messages.messages.clear();
    std::filesystem::remove(base + ".yld");
    EXPECT_FALSE(ReadIntoMarkedModel());
    EXPECT_EQ(OnlyMessage(), "Error opening " + base + ".yld for reading.");
}

TEST_F(InputSetFaults, ImpossibleCountsFailWithoutAllocating) {
    const std::string kvi = ReadWholeFile(base + ".kvi");
    const std::string rest = kvi.substr(kvi.find('\n'));
    for (const char* header : {"2000000000 2000000000 2000000000 0 2 1 1 0",
                               "2 2 1 0 2 1 1 99999999", "-2 2 1 0 2 1 1 0", "2 2 0 0 2 1 1 0",
                               "2 2 1 0 2 1 1 1e9", "2 2 1 0 2 1 1 99999999999999999999999"}) {
        messages.messages.clear();
        WriteWholeFile(base + ".kvi", header + rest);
        EXPECT_FALSE(ReadIntoMarkedModel()) << header;
        EXPECT_EQ(OnlyMessage().rfind("Error reading " + base + ".kvi, line 1: ", 0), 0u)
            << OnlyMessage();
    }
    WriteWholeFile(base + ".kvi", kvi);

    for (const auto& [extension, text] :
         std::vector<std::pair<std::string, std::string>>{{".tsi", "2000000000\n"},
                                                          {".irr", "900000000\n1\n1\n0\n"},
                                                          {".prn", "-1\n"},
                                                          {".drn", "0 3\n0 1 1\n"},
                                                          {".drn", "1 2\n0 1\n"}}) {
        messages.messages.clear();
        const std::string good = ReadWholeFile(base + extension);
        WriteWholeFile(base + extension, text);
        EXPECT_FALSE(ReadIntoMarkedModel()) << extension << " " << text;
        EXPECT_EQ(OnlyMessage().rfind("Error reading " + base + extension, 0), 0u) << OnlyMessage();
        WriteWholeFile(base + extension, good);
    }
    messages.messages.clear();
    EXPECT_TRUE(ReadIntoMarkedModel());
}

// The 2D model's grids have one layer, but the model keeps a time-series list
// per cell of every layer: a layer count out of all proportion is refused.
TEST(InputSetCounts, TwoDLayersOutOfProportion) {
    GridData grid;
    grid.ResetModel(0);
    TempFolder folder;
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("flat")));
    const std::string kvi = ReadWholeFile(folder.Base("flat") + ".kvi");
    std::string spacings;
    for (int l = 0; l < 5000; ++l)
        spacings += "1 ";
    std::string many = "1 1 5000" + kvi.substr(kvi.find(" 0 0 0 0 0\n"));
    many.replace(many.find("\n100\n", many.find("\n20\n")) + 5, 3, spacings);
    testing::WriteWholeFile(folder.Base("flat") + ".kvi", many);
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    GridData read;
    read.ResetModel(0);
    EXPECT_TRUE(ReadModelInputFiles(read, folder.Base("flat"))) << messages.messages.at(0);
    EXPECT_EQ(read.NumLayers(), 5000);
    // A hundred cells would fit the file, but not five thousand layers of them.
    std::string tooMany = many;
    tooMany.replace(0, 8, "10 10 5000");
    testing::WriteWholeFile(folder.Base("flat") + ".kvi", tooMany);
    messages.messages.clear();
    EXPECT_FALSE(ReadModelInputFiles(read, folder.Base("flat")));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("out of all proportion"), std::string::npos);
    EXPECT_EQ(read.NumLayers(), 5000);
}

TEST_F(InputSetFaults, ConnectivityNamingAMissingDrain) {
    WriteWholeFile(base + ".drn", "0 2\n0 5\n");
    EXPECT_FALSE(ReadIntoMarkedModel());
    EXPECT_EQ(OnlyMessage(), "No drain exists for index 5.");
}

TEST_F(InputSetFaults, UnknownTimeSeriesCode) {
    WriteWholeFile(base + ".tsi", "1\nXY 0 0\n0\n");
    EXPECT_FALSE(ReadIntoMarkedModel());
    EXPECT_EQ(OnlyMessage(), "Error: Unknown time series parameter in .tsi file: XY");
    messages.messages.clear();
    WriteWholeFile(base + ".tsi", "1\nHD 0 2 0\n0\n"); // only two columns
    EXPECT_FALSE(ReadIntoMarkedModel());
}

TEST_F(InputSetFaults, TruncatedOrGarbledMainFile) {
    const std::string kvi = ReadWholeFile(base + ".kvi");
    for (size_t cut : {size_t{0}, size_t{5}, kvi.size() / 2, kvi.size() - 6}) {
        messages.messages.clear();
        WriteWholeFile(base + ".kvi", kvi.substr(0, cut));
        EXPECT_FALSE(ReadIntoMarkedModel()) << cut;
        EXPECT_FALSE(messages.messages.empty());
    }
    messages.messages.clear();
    std::string garbled = kvi;
    garbled.replace(garbled.find("-9999"), 5, "-9x99");
    WriteWholeFile(base + ".kvi", garbled);
    EXPECT_FALSE(ReadIntoMarkedModel());
    EXPECT_NE(OnlyMessage().find("found \"-9x99\""), std::string::npos) << OnlyMessage();
    // One name line too many cannot be told apart from a No Flow name the
    // counts do not allow.
    messages.messages.clear();
    std::string extraName = kvi;
    extraName.insert(extraName.find("d1\n"), "stray\n");
    WriteWholeFile(base + ".kvi", extraName);
    EXPECT_FALSE(ReadIntoMarkedModel());
    EXPECT_NE(OnlyMessage().find("boundary names"), std::string::npos) << OnlyMessage();
}

// A method number outside its list would index past the per-method
// constants; each is reported and the list's first method is used.
TEST_F(InputSetFaults, MethodNumbersOutsideTheirLists) {
    WriteWholeFile(base + ".psn", "0 -3 99 2 7 2 -1\n1 2 3\n4 5\n6 7\n8 9\n10\n11\n12\n"
                                  "13 14 15 16\n17 18 19\n");
    ASSERT_TRUE(ReadIntoMarkedModel());
    const SimulationSettings& s = model.Settings();
    EXPECT_EQ(s.pressureSaturationMethod, 0);
    EXPECT_EQ(s.rootGrowthMethod, 0);
    EXPECT_EQ(s.rootExtractionMethod, 0);
    EXPECT_EQ(s.cropYieldMethod, 0);
    EXPECT_EQ(s.kWeightingMethod, 0);
    EXPECT_EQ(s.equationType, 0);
    EXPECT_EQ(s.initialConditionsType, 0);
    EXPECT_EQ(s.poreSize[0], 1);
    EXPECT_EQ(s.rootExtractionParams[0][3], 16);
    ASSERT_EQ(messages.messages.size(), 7u);
    EXPECT_EQ(messages.messages[2],
              "Warning: unsupported root extraction function read; switching to Van Genuchten.");
}

TEST_F(InputSetFaults, LastMethodLineReturnsIntoItsPositions) {
    // Herkelrath (8, 1-based) writes p4, p2, p3 on the last line.
    WriteWholeFile(base + ".psn", "1 1 8 1 0 0 0\n0 0 0\n0 0\n0 0\n0 0\n0\n0\n5\n0 0 0 0\n4 2 3\n");
    ASSERT_TRUE(ReadIntoMarkedModel());
    EXPECT_EQ(model.Settings().rootExtractionParams[HERKELRATH],
              (std::array<double, 5>{5, 2, 3, 4, 0}));
    EXPECT_TRUE(messages.messages.empty());
}

// The ".ets" file covers the run's days and only those, wherever the ET
// period lies.
TEST(InputSetDailyET, KeepsEveryLineWithinTheRun) {
    struct Case {
        int first, last, start, end;
        std::string expected;
        std::vector<std::string> warnings;
    };
    const std::string begin = "Warning: no ET defined for beginning of model run.";
    const std::string end = "Warning: no ET defined for end of model run.";
    const std::vector<Case> cases = {
        {0, 5, 10, 13, "0 0\n1 0\n2 0\n", {end}},           // period before the run
        {20, 30, 10, 13, "0 0\n1 0\n2 0\n", {begin}},       // period after the run
        {11, 11, 10, 13, "0 0\n1 20\n2 0\n", {begin, end}}, // one day inside
        {10, 12, 10, 13, "0 19\n1 20\n2 21\n", {}},         // exactly the run
        {10, 12, 12, 12, "", {}},                           // no simulated day
    };
    for (const Case& c : cases) {
        GridData grid;
        ReaderContents(grid).settings.ETPeriod = {c.first, c.last};
        for (int d = c.first; d <= c.last; ++d)
            ReaderContents(grid).settings.DailyETUsage.push_back(d + 9);
        ReaderContents(grid).settings.simulationStart = c.start;
        ReaderContents(grid).settings.simulationEnd = c.end;
        TempFolder folder;
        CollectingMessageSink messages;
        ScopedMessageSink scope(messages);
        ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("et")));
        EXPECT_EQ(ReadWholeFile(folder.Base("et") + ".ets"), c.expected) << c.first;
        EXPECT_EQ(messages.messages, c.warnings) << c.first;
    }
}

TEST(InputSetDailyET, ValuesReturnToTheirDaysOfTheExistingList) {
    GridData grid;
    ReaderContents(grid).settings.simulationStart = 10;
    ReaderContents(grid).settings.simulationEnd = 14;
    ReaderContents(grid).settings.ETPeriod = {8, 11};
    ReaderContents(grid).settings.DailyETUsage = {1, 2, 3, 4};
    TempFolder folder;
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("et")));
    GridData read;
    ReaderContents(read).settings.ETPeriod = {9, 12};
    ReaderContents(read).settings.DailyETUsage = {-1, -1, -1, -1};
    InputSetExtras extras;
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("et"), &extras));
    // Days 10 and 11 carry 3 and 4; day 12 is beyond the written period (0);
    // day 9 is not in the set.
    EXPECT_EQ(read.Settings().DailyETUsage, (std::vector<double>{-1, 3, 4, 0}));
    EXPECT_EQ(extras.runDailyET, (std::vector<double>{3, 4, 0, 0}));
}

// Boundary codes and the names the set carries for them.
TEST(InputSetBoundaries, NoFlowWithoutNaturalBoundaries) {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).layerSpacing = {10, 10};
    grid.Resize(2, 1, 1);
    grid.AppendBoundary(NoFlowType, "bedrock", {0, 0, 0});
    grid.SetBoundaryValue(NoFlowType, 1, 0, 0, 1);
    TempFolder folder;
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("nf")));
    const std::string kvi = ReadWholeFile(folder.Base("nf") + ".kvi");
    EXPECT_NE(kvi.find("0 99 \n0 0 \n0 0 \n0 \n0 0 \nnoFlow_natural\nbedrock\n0 0 \n0 0 \n"),
              std::string::npos)
        << kvi;
    GridData read;
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("nf")));
    EXPECT_EQ(read.Contents().boundaries[NaturalBoundaryType].Count(), 0);
    EXPECT_EQ(read.Contents().boundaries[NoFlowType].names, (std::vector<std::string>{"bedrock"}));
    EXPECT_EQ(read.Memberships(NoFlowType).Get(1, 0, 0), 99);
}

TEST(InputSetBoundaries, NaturalBoundariesWithEqualValuesShareOneOnReading) {
    GridData grid;
    grid.ResetModel(0);
    ReaderContents(grid).columnSpacing = {1, 1, 1};
    grid.Resize(1, 1, 3);
    for (const char* name : {"a", "b", "c"})
        grid.AppendBoundary(NaturalBoundaryType, name, {});
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {1, 1, 2};
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {5, 5, 5};
    for (int c = 0; c < 3; ++c)
        grid.SetBoundaryValue(NaturalBoundaryType, 0, 0, c, c + 1);
    TempFolder folder;
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("nb")));
    GridData read;
    read.ResetModel(0);
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("nb")));
    const BoundaryTypeData& natural = read.Contents().boundaries[NaturalBoundaryType];
    ASSERT_EQ(natural.Count(), 3);
    EXPECT_EQ(testing::LayerRows(read.Memberships(NaturalBoundaryType), 0)[0],
              (std::vector<int32_t>{1, 1, 2}));
    EXPECT_EQ(natural.flux, (std::vector<double>{1, 2, 0}));
    EXPECT_EQ(natural.waterQuality, (std::vector<double>{5, 5, 0}));
}

// Names are lines of the set; a line break inside one would shift
// everything after it.
TEST(InputSetBoundaries, NamesKeepOneLineEach) {
    GridData grid;
    grid.AppendBoundary(DrainType, "two\nlines", {});
    grid.AppendBoundary(InactiveType, "12 34", {});
    TempFolder folder;
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("names")));
    GridData read;
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("names")));
    EXPECT_EQ(read.Contents().boundaries[DrainType].names, (std::vector<std::string>{"two lines"}));
    EXPECT_EQ(read.Contents().boundaries[InactiveType].names, (std::vector<std::string>{"12 34"}));
}

} // namespace
} // namespace korva
