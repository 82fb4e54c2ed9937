// Write -> read -> write gives the same bytes for rich projects, and the
// reader restores what the set carries.
#include "files/inputset/inputset.h"
#include "files/inputset/inputsetwriter.h"
#include "inputsettestutil.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

// A deterministic, fully filled model: every parameter, several boundaries
// of each kind, irrigation, yields, methods, time series and print dates.
GridData RichModel(int kind) {
    GridData grid;
    grid.ResetModel(kind);
    const int layers = 3, rows = 4, cols = 5;
    ReaderContents(grid).rowSpacing = {10, 20, 30, 40};
    ReaderContents(grid).columnSpacing = {1, 2, 3, 4, 5.5};
    ReaderContents(grid).layerSpacing = {25, 50, 125};
    grid.Resize(layers, rows, cols);
    int n = 0;
    for (auto& [code, record] : ReaderContents(grid).parameters)
        for (double& v : record.values.Cells())
            v = code * 1.25 + (n++ % 17) * 0.001 - 3;
    for (int i = 0; i < grid.ParameterCount(); ++i)
        grid.RecomputeRange(i);

    SimulationSettings& s = ReaderContents(grid).settings;
    s = SimulationSettings{};
    s.simulationYear = 2000;
    s.simulationStart = 30;
    s.simulationEnd = 95;
    s.simulationTimeStep = 0.25;
    s.irrigationTimeStep = 2;
    s.toleranceLevel1 = 1e-4;
    s.toleranceLevel2 = kind == 0 ? 2e-3 : 0;
    s.porosity = 0.45;
    s.tortuosity = 0.7;
    s.freeDiffusion = 1.5e-5;
    s.kvKhRatio = 0.2;
    s.waterCompressibility = 4.5e-10;
    s.longitudinalDispersion = 10;
    s.horizontalDispersion = 2;
    s.verticalDispersion = 1;
    s.useSaltSolver = 0;
    s.pressureSaturationMethod = VAN_GENUCHTEN_PS;
    s.poreSize[1] = 1.5;
    s.scaleLength[1] = 0.02;
    s.residualMoisture[1] = 0.08;
    s.rootGrowthMethod = HANKS_HILL;
    s.empiricalConstant1 = {0.5, 0, 0.7, 0, 0};
    s.empiricalConstant2 = {0.6, 0, 0.8, 0, 0};
    s.rootExtractionMethod = GARDNER;
    for (int m = 0; m < RootExtractionMethodCount; ++m)
        for (int p = 0; p < RootExtractionParamCount; ++p)
            s.rootExtractionParams[m][p] =
                (m == GARDNER || p == 0 || m == HILLEL || m == 0) ? m * 10 + p + 1 : 0;
    s.rootExtractionParams[HILLEL][2] = s.rootExtractionParams[HILLEL][3] =
        s.rootExtractionParams[HILLEL][4] = 0; // not written for Gardner
    s.rootExtractionParams[0][4] = 0;
    s.rootExtractionParams[GARDNER][1] = 0; // the one Gardner value the set does not carry
    s.kWeightingMethod = HARMONIC_MEAN;
    s.equationType = TAYLOR_SERIES;
    s.initialConditionsType = USER_DEFINED;
    s.ETPeriod = {20, 80};
    for (int d = 20; d <= 80; ++d)
        s.DailyETUsage.push_back(0.1 * (d % 7));

    // Two natural boundaries with their own flux and quality, two No Flow.
    grid.AppendBoundary(NaturalBoundaryType, "east", {1, 0, 0});
    grid.AppendBoundary(NaturalBoundaryType, "west", {1, 0.5, 0});
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {0.125, -2.5};
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {3, 0.5};
    grid.AppendBoundary(NoFlowType, "rock", {0, 0, 0});
    grid.AppendBoundary(NoFlowType, "wall", {0, 0, 0});
    for (const char* name : {"d north", "d south", "  d indented", ""})
        grid.AppendBoundary(DrainType, name, {0, 1, 0});
    grid.AppendBoundary(CollectorType, "c1", {0, 0, 1});
    grid.AppendBoundary(CollectorType, "c2", {0, 0, 1});
    grid.AppendBoundary(BasinType, "b1", {1, 1, 0});
    grid.AppendBoundary(BasinType, "b2", {1, 1, 0});
    grid.AppendBoundary(InactiveType, "above ground", {0.5, 0.5, 0.5});
    grid.SetDrainCollector(0, 1);
    grid.SetDrainCollector(1, 0);
    grid.SetDrainCollector(3, 1); // drain 2 connected to none

    const int cellLayers = kind == 1 ? layers : 1;
    for (int l = 0; l < cellLayers; ++l)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const int i = l * 100 + r * 10 + c;
                if (c == 0) grid.SetBoundaryValue(NaturalBoundaryType, l, r, c, 1);
                if (c == 4) grid.SetBoundaryValue(NaturalBoundaryType, l, r, c, 2);
                if (r == 3 && (c == 2 || c == 3))
                    grid.SetBoundaryValue(NoFlowType, l, r, c, c == 2 ? 1 : 2);
                if (i % 3 == 0) grid.SetBoundaryValue(DrainType, l, r, c, 1 + i % 4);
                if (i % 5 == 1) grid.SetBoundaryValue(CollectorType, l, r, c, 1 + i % 2);
                if (l == 0 && r < 2) grid.SetBoundaryValue(InactiveType, l, r, c, 1);
            }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetBoundaryValue(BasinType, 0, r, c, 1 + (r + c) % 2);

    ReaderContents(grid).irrigation.at(0) = {
        {2, 1, 2000, 2.5, 0.3}, {2, 29, 2000, 3, 0.25}, {1, 3, 2001, 1, 0}};
    ReaderContents(grid).irrigation.at(1) = {};
    ReaderContents(grid).YieldResponseFactors = {{{0.1, 0.2}, {0.3, 0.4}, {0.5, 0.6}, {0.7, 0.8}}};
    ReaderContents(grid).SalinityUpperBounds = {{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}}};

    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 1, 2, {9, 4, 13});
    ReaderContents(grid).TimeSeriesCellGrid.Set(2, 3, 0, {0, 10});
    ReaderContents(grid).TimeSeriesCellGrid.Set(2, 0, 4, {11});
    ReaderContents(grid).GridOutputParamList = {1, 9, 12};
    ReaderContents(grid).printList = {{2, 1, 2000}, {3, 1, 2000}, {4, 4, 2000}};
    return grid;
}

std::vector<std::string> ReadSet(const std::string& base) {
    std::vector<std::string> files;
    for (const char* extension : InputSetExtensions)
        files.push_back(ReadWholeFile(base + extension));
    return files;
}

// A model of the kind whose ET list covers the period of original, so that
// the daily values have somewhere to return to.
GridData EmptyModelFor(const GridData& original) {
    GridData model;
    model.ResetModel(original.ModelKind());
    ReaderContents(model).settings.ETPeriod = original.Settings().ETPeriod;
    ReaderContents(model).settings.DailyETUsage.assign(original.Settings().DailyETUsage.size(),
                                                       0.0);
    return model;
}

class InputSetRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(InputSetRoundTrip, WriteReadWriteGivesTheSameFiles) {
    const GridData original = RichModel(GetParam());
    TempFolder folder;
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    ASSERT_TRUE(WriteModelInputFiles(original, folder.Base("first")));
    GridData read = EmptyModelFor(original);
    InputSetExtras extras;
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("first"), &extras));
    ASSERT_TRUE(WriteModelInputFiles(read, folder.Base("second")));
    const auto first = ReadSet(folder.Base("first"));
    const auto second = ReadSet(folder.Base("second"));
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i], second[i]) << InputSetExtensions[i];

    // The run covers days 30..94, the ET period 20..80: one value per run day.
    ASSERT_EQ(extras.runDailyET.size(), 65u);
    EXPECT_DOUBLE_EQ(extras.runDailyET[0], 0.1 * (30 % 7));
    EXPECT_EQ(extras.runDailyET[64], 0.0);
    EXPECT_EQ(messages.messages,
              (std::vector<std::string>{"Warning: no ET defined for end of model run.",
                                        "Warning: no ET defined for end of model run."}));
}

TEST(InputSetMainFile, ALargeGridGoesOutInPartsThatMakeTheWholeText) {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).layerSpacing.assign(10, 100.0);
    ReaderContents(grid).rowSpacing.assign(150, 10.0);
    ReaderContents(grid).columnSpacing.assign(150, 10.0);
    grid.Resize(10, 150, 150); // a layered parameter line of over a megabyte
    std::string whole;
    AppendMainFile(grid, whole);
    std::string spilled, rest;
    int parts = 0;
    AppendMainFile(grid, rest, [&](std::string& part) {
        spilled += part;
        part.clear();
        ++parts;
    });
    ASSERT_GT(whole.size(), 3u << 20) << "a grid too small to spill";
    EXPECT_GE(parts, 3); // every layered parameter line at least
    EXPECT_EQ(spilled + rest, whole);

    // The file written in parts holds the same bytes.
    TempFolder folder;
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    ASSERT_TRUE(WriteModelInputFiles(grid, folder.Base("large")));
    EXPECT_EQ(ReadWholeFile(folder.Base("large") + ".kvi"), whole);
}

TEST_P(InputSetRoundTrip, RestoresMembershipsSettingsAndLists) {
    GridData original = RichModel(GetParam());
    original.SetBoundaryValue(NoFlowType, 0, 3, 4, 2); // also held by natural boundary 2
    TempFolder folder;
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    ASSERT_TRUE(WriteModelInputFiles(original, folder.Base("set")));
    GridData read;
    read.ResetModel(original.ModelKind());
    ASSERT_TRUE(ReadModelInputFiles(read, folder.Base("set")));

    EXPECT_EQ(read.RowSpacing(), original.RowSpacing());
    EXPECT_EQ(read.ColumnSpacing(), original.ColumnSpacing());
    EXPECT_EQ(read.LayerSpacing(), original.LayerSpacing());
    EXPECT_EQ(read.UniformSpacing(), 0);
    for (int code : read.ParameterOrder()) {
        const ParameterData& a = original.Contents().parameters.at(code);
        const ParameterData& b = read.Contents().parameters.at(code);
        ASSERT_EQ(a.values.Layers(), b.values.Layers()) << code;
        const int last = a.values.Layers() - 1;
        EXPECT_NEAR(b.values(last, 3, 4), a.values(last, 3, 4), 1e-9) << code;
        EXPECT_NEAR(b.minValue, a.minValue, 1e-9) << code;
    }
    for (int type : {DrainType, CollectorType, BasinType, NoFlowType, InactiveType})
        EXPECT_EQ(read.Contents().boundaries[type].names,
                  original.Contents().boundaries[type].names)
            << type;
    for (int type : {DrainType, CollectorType, BasinType, InactiveType, NoFlowType})
        for (int l = 0; l < original.Memberships(type).Layers(); ++l)
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 5; ++c) {
                    const int32_t was = original.Memberships(type).Get(l, r, c);
                    // No Flow cells return as 99, whichever boundary held them.
                    const int32_t expected = type == NoFlowType && was != 0 ? 99 : was;
                    EXPECT_EQ(read.Memberships(type).Get(l, r, c), expected)
                        << type << " " << l << " " << r << " " << c;
                }
    EXPECT_EQ(read.Contents().boundaries[DrainType].collectorIndex,
              (std::vector<int32_t>{1, 0, -1, 1}));

    // Natural boundaries come back by their flux and quality; a cell that was
    // both natural and No Flow comes back as No Flow (value 99) only.
    const auto& natural = read.Contents().boundaries[NaturalBoundaryType];
    ASSERT_EQ(natural.Count(), 2);
    EXPECT_EQ(natural.flux, (std::vector<double>{0.125, -2.5}));
    EXPECT_EQ(natural.waterQuality, (std::vector<double>{3, 0.5}));
    EXPECT_EQ(read.Memberships(NaturalBoundaryType).Get(0, 0, 0), 1);
    EXPECT_EQ(read.Memberships(NaturalBoundaryType).Get(0, 0, 4), 2);
    EXPECT_EQ(read.Memberships(NaturalBoundaryType).Get(0, 3, 4), 0);
    EXPECT_EQ(read.Memberships(NoFlowType).Get(0, 3, 4), 99);
    EXPECT_EQ(read.Memberships(NoFlowType).Get(0, 3, 1), 0);
    EXPECT_EQ(read.Contents().boundaries[NoFlowType].Count(), 2);

    EXPECT_EQ(read.Settings().simulationYear, 2000);
    EXPECT_EQ(read.Settings().simulationStart, 30);
    EXPECT_EQ(read.Settings().simulationEnd, 95);
    EXPECT_EQ(read.Settings().useSaltSolver, 0.0);
    EXPECT_EQ(read.Settings().toleranceLevel2, original.Settings().toleranceLevel2);
    EXPECT_EQ(read.Settings().rootExtractionMethod, GARDNER);
    EXPECT_EQ(read.Settings().rootExtractionParams[GARDNER],
              original.Settings().rootExtractionParams[GARDNER]);
    EXPECT_EQ(read.Settings().rootGrowthMethod, HANKS_HILL);
    EXPECT_EQ(read.Settings().kWeightingMethod, HARMONIC_MEAN);

    ASSERT_EQ(read.Irrigation().size(), 2u);
    ASSERT_EQ(read.Irrigation()[0].size(), 3u);
    EXPECT_EQ(read.Irrigation()[0][1].month, 2);
    EXPECT_EQ(read.Irrigation()[0][1].day, 29);
    EXPECT_EQ(read.Irrigation()[0][2].year, 2001);
    EXPECT_EQ(read.Irrigation()[0][1].saltConcentration, 0.25);
    EXPECT_TRUE(read.Irrigation()[1].empty());
    EXPECT_EQ(read.SalinityUpperBounds()[4], (std::vector<double>{9, 10}));

    ASSERT_EQ(read.PrintList().size(), 3u);
    EXPECT_EQ(read.PrintList()[2].month, 4);
    EXPECT_EQ(read.PrintList()[2].day, 4);
    EXPECT_EQ(read.TimeSeriesCellGrid().Get(0, 1, 2), (OutputParamDataItem{9, 4, 13}));
    EXPECT_EQ(read.TimeSeriesCellGrid().Get(2, 3, 0), (OutputParamDataItem{0, 10}));
    EXPECT_EQ(read.GridOutputParamList(), (OutputParamDataItem{1, 9, 12}));
}

INSTANTIATE_TEST_SUITE_P(BothModels, InputSetRoundTrip, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "TwoD" : "ThreeD"; });

} // namespace
} // namespace korva
