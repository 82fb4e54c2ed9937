// Byte-exact input sets of two small projects. The expected texts were
// written out by hand from the solver's file layout, line by line.
#include "files/inputset/inputset.h"
#include "inputsettestutil.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

void FillParameter(GridData& grid, int code, double value) {
    ReaderContents(grid).parameters.at(code).values.Fill(value);
}

// One row of two columns, two layers: a natural boundary and a No Flow
// boundary that share a cell, a drain into a collector, one basin.
GridData SmallThreeDModel() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).columnSpacing = {50, 100};
    ReaderContents(grid).rowSpacing = {25};
    ReaderContents(grid).layerSpacing = {10, 20};
    grid.Resize(2, 1, 2);
    SimulationSettings& s = ReaderContents(grid).settings;
    s.simulationYear = 1992;
    s.simulationStart = 10;
    s.simulationEnd = 14;
    s.simulationTimeStep = 0.5;
    s.irrigationTimeStep = 1;
    s.toleranceLevel1 = 0.001;
    s.toleranceLevel2 = 0.002;
    s.porosity = 0.4;
    s.tortuosity = 0.66;
    s.freeDiffusion = 1.2e-5;
    s.kvKhRatio = 0.1;
    s.waterCompressibility = 4.4e-10;
    s.longitudinalDispersion = 5;
    s.horizontalDispersion = 1;
    s.verticalDispersion = 0.5;
    s.useSaltSolver = 1;

    Grid3D<double>& ground = ReaderContents(grid).parameters.at(GridData::GroundElevation).values;
    ground(0, 0, 0) = 3;
    ground(0, 0, 1) = 3.5;
    // Layered: [layer][row][column].
    Grid3D<double>& k =
        ReaderContents(grid).parameters.at(GridData::HorizontalHydraulicConductivity).values;
    k(0, 0, 0) = 1;
    k(0, 0, 1) = 3;
    k(1, 0, 0) = 2;
    k(1, 0, 1) = 4;
    FillParameter(grid, GridData::IrrigationWeight, 1);
    FillParameter(grid, GridData::SoilLeachingEfficiency, 0.75);

    grid.AppendBoundary(NaturalBoundaryType, "N1", {1, 0, 0});
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {0.25};
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {2};
    grid.SetBoundaryValue(NaturalBoundaryType, 0, 0, 0, 1);
    grid.SetBoundaryValue(NaturalBoundaryType, 1, 0, 0, 1);
    grid.AppendBoundary(NoFlowType, "NF", {0, 0, 1});
    grid.SetBoundaryValue(NoFlowType, 1, 0, 0, 1);
    grid.SetBoundaryValue(NoFlowType, 1, 0, 1, 1);
    grid.AppendBoundary(DrainType, "D1", {0, 1, 0});
    grid.SetBoundaryValue(DrainType, 0, 0, 1, 1);
    grid.AppendBoundary(CollectorType, "C1", {0, 1, 1});
    grid.SetBoundaryValue(CollectorType, 1, 0, 1, 1);
    grid.SetDrainCollector(0, 0);
    grid.AppendBoundary(BasinType, "B1", {1, 1, 0});
    grid.SetBoundaryValue(BasinType, 0, 0, 0, 1);

    // 1992 is a leap year: 1 March is day 60; 30 February does not exist.
    ReaderContents(grid).irrigation.at(0) = {
        {1, 11, 1992, 2.5, 0.1}, {3, 1, 1992, 3, 0}, {2, 30, 1992, 1, 0}};
    ReaderContents(grid).YieldResponseFactors = {{{0.1}, {0.2}, {0.3}, {0.4}}};
    ReaderContents(grid).SalinityUpperBounds = {{{1}, {2}, {3}, {4}, {5}}};

    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 0, 0, {13});   // SWT: no layer on its line
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 0, 1, {4, 9}); // HD with its layer, then WE
    ReaderContents(grid).GridOutputParamList = {0, 11};

    s.pressureSaturationMethod = HAVERKAMP;
    s.poreSize[HAVERKAMP] = 0.3;
    s.scaleLength[HAVERKAMP] = 12;
    s.residualMoisture[HAVERKAMP] = 0.05;
    s.rootGrowthMethod = FERERES;
    s.empiricalConstant1 = {1, 0, 3, 0, 0};
    s.empiricalConstant2 = {2, 0, 4, 0, 0};
    s.rootExtractionMethod = WHISLER;
    s.rootExtractionParams[VAN_GENUCHTEN] = {0.1, 0.2, 0.3, 0.4, 0};
    s.rootExtractionParams[HILLEL] = {5, 6, 0, 0, 0};
    s.rootExtractionParams[FEDDES] = {7, 0, 0, 0, 0};
    s.rootExtractionParams[GARDNER] = {8, 0, 0, 0, 0};
    s.rootExtractionParams[WHISLER] = {61, 62, 63, 64, 65};
    s.rootExtractionParams[HERKELRATH] = {9, 0, 0, 0, 0};
    s.kWeightingMethod = GEOMETRIC_MEAN;
    s.equationType = TAYLOR_SERIES;
    s.initialConditionsType = STATIC_EQUILIBRIUM;

    // The ET period covers days 11 and 12 of the run's days 10 to 13.
    s.ETPeriod = {11, 12};
    s.DailyETUsage = {0.5, 0.75};

    // Day 10 and the end day 14 are printed; day 15, a date of the year before
    // and an impossible date are not.
    ReaderContents(grid).printList = {
        {1, 11, 1992}, {1, 15, 1992}, {1, 16, 1992}, {12, 31, 1991}, {2, 30, 1992}};
    return grid;
}

TEST(InputSetGolden, SmallThreeDProject) {
    TempFolder folder;
    const std::string base = folder.Base("small3d");
    CollectingMessageSink messages;
    ScopedMessageSink scope(messages);
    ASSERT_TRUE(WriteModelInputFiles(SmallThreeDModel(), base));

    const std::string nodata2 = "-9999 -9999 \n";
    const std::string nodata4 = "-9999 -9999 -9999 -9999 \n";
    EXPECT_EQ(ReadWholeFile(base + ".kvi"),
              "1 2 2 2 1 1 1 0\n"
              "1992 10 14 0.5 1\n"
              "0.001\n"
              "0.4 0.66 1.2e-005 0.1 4.4e-010 5 1 0.5 1\n"
              "50 100\n"
              "25\n"
              "10 20\n"
              "3 3.5 \n"     // 1 ground elevation
              "1 2 3 4 \n" + // 3 horizontal conductivity: layers innermost
                  nodata2 +
                  nodata2 + nodata2 + nodata2 + nodata2 + nodata2 + nodata2 + nodata2 + nodata2 +
                  nodata2 +      // 5 .. 14
                  nodata4 +      // 15 salt of the aquifer, layered
                  nodata2 +      // 16 water table
                  nodata4 +      // 17 moisture, layered
                  "1 1 \n"       // 21 irrigation weight
                  "0.75 0.75 \n" // 22 leaching efficiency
                  "1 99 0 99 \n" // codes: No Flow wins in the shared cell
                  "0 0 1 0 \n"   // drains
                  "0 0 0 1 \n"   // collectors
                  "1 0 \n"       // basins, layer 0 only
                  "0 0 0 0 \n"   // inactive
                  "noFlow_natural\n"
                  "D1\n"
                  "C1\n"
                  "B1\n"
                  "NF\n"
                  "0.25 0.25 0 0 \n"
                  "2 2 0 0 \n");
    EXPECT_EQ(ReadWholeFile(base + ".irr"), "3\n10 60 -1\n2.5 3 1\n0.1 0 0\n");
    EXPECT_EQ(ReadWholeFile(base + ".tsi"), "3\nSWT 0 0\nHD 0 1 1\nWE 0 1\n2\nMC\nRY\n");
    EXPECT_EQ(ReadWholeFile(base + ".psn"), "3 2 7 1 3 1 1\n"
                                            "0.3 12 0.05\n"
                                            "1 2\n"
                                            "3 4\n"
                                            "5 6\n"
                                            "7\n"
                                            "8\n"
                                            "9\n"
                                            "0.1 0.2 0.3 0.4\n"
                                            "63 61 62\n");
    EXPECT_EQ(ReadWholeFile(base + ".drn"), "0 1\n0\n");
    EXPECT_EQ(ReadWholeFile(base + ".ets"), "0 0\n1 0.5\n2 0.75\n3 0\n");
    EXPECT_EQ(ReadWholeFile(base + ".yld"), "0.1 0.2 0.3 0.4\n1 2 3 4 5\n");
    EXPECT_EQ(ReadWholeFile(base + ".prn"), "2\n10\n14\n");
    EXPECT_EQ(messages.messages,
              (std::vector<std::string>{"Warning: no ET defined for beginning of model run.",
                                        "Warning: no ET defined for end of model run."}));
}

// Two columns, three layers: the 2D model writes every grid from layer 0, the
// second tolerance and the constant line "20".
TEST(InputSetGolden, SmallTwoDProject) {
    GridData grid;
    grid.ResetModel(0);
    ReaderContents(grid).columnSpacing = {10, 10};
    ReaderContents(grid).rowSpacing = {5};
    ReaderContents(grid).layerSpacing = {30, 30, 40};
    grid.Resize(3, 1, 2);
    for (int code = 0; code <= 20; ++code)
        FillParameter(grid, code, code);
    ReaderContents(grid).settings.toleranceLevel1 = 0.01;
    ReaderContents(grid).settings.toleranceLevel2 = 0.02;
    ReaderContents(grid).settings.useSaltSolver = 0;
    ReaderContents(grid).settings.simulationEnd = 2;
    ReaderContents(grid).settings.ETPeriod = {0, 1};
    ReaderContents(grid).settings.DailyETUsage = {4, 5};
    grid.AppendBoundary(CollectorType, "Main ditch", {0, 0, 1});
    grid.AppendBoundary(DrainType, "north", {0, 1, 0});
    grid.AppendBoundary(DrainType, "south", {0, 1, 0});
    grid.SetBoundaryValue(DrainType, 0, 0, 1, 2);
    grid.SetBoundaryValue(CollectorType, 0, 0, 0, 1);
    grid.SetDrainCollector(1, 0);
    grid.AppendBoundary(BasinType, "field", {0, 1, 0});
    grid.SetBoundaryValue(BasinType, 0, 0, 1, 1);
    ReaderContents(grid).TimeSeriesCellGrid.Set(2, 0, 1, {9, 0});

    TempFolder folder;
    const std::string base = folder.Base("small2d");
    ASSERT_TRUE(WriteModelInputFiles(grid, base));
    std::string parameters;
    for (int code = 0; code <= 20; ++code)
        parameters += std::to_string(code) + " " + std::to_string(code) + " \n";
    EXPECT_EQ(ReadWholeFile(base + ".kvi"), "1 2 3 0 2 1 1 0\n"
                                            "1990 0 2 0 0\n"
                                            "0.01 0.02\n"
                                            "0 0 0 1 0 0 0 0 0\n"
                                            "20\n"
                                            "10 10\n"
                                            "5\n"
                                            "30 30 40\n" +
                                                parameters +
                                                "0 0 \n" // codes
                                                "0 2 \n" // drains
                                                "1 0 \n" // collectors
                                                "0 1 \n" // basins
                                                "0 0 \n" // inactive
                                                "north\n"
                                                "south\n"
                                                "Main ditch\n"
                                                "field\n"
                                                "0 0 \n"
                                                "0 0 \n");
    // Drain 0 is connected to no collector and so listed under none.
    EXPECT_EQ(ReadWholeFile(base + ".drn"), "0 1\n1\n");
    EXPECT_EQ(ReadWholeFile(base + ".irr"), "0\n\n\n\n");
    EXPECT_EQ(ReadWholeFile(base + ".tsi"), "2\nWE 0 1\nMC 0 1 2\n0\n");
    EXPECT_EQ(ReadWholeFile(base + ".psn"), "1 1 1 1 0 0 0\n0 0 0\n0 0\n0 0\n0 0\n0\n0\n0\n"
                                            "0 0 0 0\n0 0 0\n");
    EXPECT_EQ(ReadWholeFile(base + ".ets"), "0 4\n1 5\n");
    EXPECT_EQ(ReadWholeFile(base + ".yld"), "0 0 0 0\n0 0 0 0 0\n");
    EXPECT_EQ(ReadWholeFile(base + ".prn"), "0\n");
}

} // namespace
} // namespace korva
