#include "projectfile_fixture.h"

#include "files/project/projectfile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korva::testing {

namespace {

void AddBoundary(GridData& grid, int type, const std::string& name, double red, bool shown) {
    BoundaryTypeData& record = ReaderContents(grid).boundaries[static_cast<size_t>(type)];
    const int n = record.Count();
    record.ResizeLists(n + 1);
    record.names.back() = name;
    record.red.back() = red;
    record.green.back() = 0.5;
    record.blue.back() = 1.0 / 3.0;
    record.displayed.back() = shown ? 1 : 0;
}

} // namespace

GridData RichModel() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing = {123.4567, 50, 50};
    ReaderContents(grid).columnSpacing = {10, 20, 30, 40};
    ReaderContents(grid).layerSpacing = {150, 250.5};
    grid.Resize(2, 3, 4);
    grid.UpdateUniformSpacing();
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        ParameterData& parameter =
            ReaderContents(grid).parameters.at(grid.ParameterOrder()[static_cast<size_t>(p)]);
        for (int l = 0; l < parameter.values.Layers(); ++l) {
            for (int r = 0; r < parameter.values.Rows(); ++r) {
                for (int c = 0; c < parameter.values.Columns(); ++c) {
                    parameter.values(l, r, c) = (p == 0 && r == 1 && c == 2)
                                                    ? NoDataValue
                                                    : 1.2345678 * (p + 1) + 10.0 * l + r + c / 7.0;
                }
            }
        }
        parameter.lowColor = {0.1, 0.2, 0.3};
        parameter.highColor = {0.9, 0.8, 1.0 / 3.0};
        parameter.RecomputeRange();
    }
    ReaderContents(grid).parameters.at(grid.ParameterOrder()[3]).name = "Renamed Parameter";

    AddBoundary(grid, NaturalBoundaryType, "north edge", 1.0, true);
    AddBoundary(grid, NaturalBoundaryType, "south edge", 0.0, false);
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {0.125, -1e-5};
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {1.5, 2.25};
    AddBoundary(grid, DrainType, "drain A", 0.25, true);
    AddBoundary(grid, DrainType, "drain B", 0.75, true);
    ReaderContents(grid).boundaries[DrainType].collectorIndex = {0, -1};
    AddBoundary(grid, CollectorType, "main collector", 0.5, true);
    AddBoundary(grid, BasinType, "west basin", 0.1, true);
    AddBoundary(grid, BasinType, "east basin  ", 0.2, true); // trailing spaces stay
    AddBoundary(grid, NoFlowType, "rock", 0.3, false);
    AddBoundary(grid, InactiveType, "above ground", 0.4, true);
    for (int r = 0; r < 3; ++r) {
        ReaderContents(grid).memberships[NaturalBoundaryType].Set(0, r, 0, 1);
        ReaderContents(grid).memberships[NaturalBoundaryType].Set(1, r, 3, 2);
        ReaderContents(grid).memberships[DrainType].Set(1, r, 1, 1);
        ReaderContents(grid).memberships[DrainType].Set(1, r, 2, 2);
        ReaderContents(grid).memberships[CollectorType].Set(0, r, 3, 1);
        ReaderContents(grid).memberships[CollectorType].Set(1, r, 3, 1);
        ReaderContents(grid).memberships[BasinType].Set(0, r, 0, 1);
        ReaderContents(grid).memberships[BasinType].Set(0, r, 1, 1);
        ReaderContents(grid).memberships[BasinType].Set(0, r, 2, 2);
        ReaderContents(grid).memberships[NoFlowType].Set(1, r, 0, 99);
    }
    ReaderContents(grid).memberships[InactiveType].Set(0, 0, 0, 1);

    ReaderContents(grid).YieldResponseFactors = {{{0.5, 0.6}, {0.7, 0.8}, {0.9, 1.0}, {1.1, 1.2}}};
    ReaderContents(grid).SalinityUpperBounds = {{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10.5}}};
    ReaderContents(grid).irrigation = {{{5, 12, 2005, 7.5, 0.8}, {6, 1, 2005, 7.25, 1.0 / 3.0}},
                                       {{5, 20, 2005, 10, 0.5}}};
    ReaderContents(grid).cropParams.resize(2);
    ReaderContents(grid).cropParams[0] = {
        "Winter Wheat", 10, 120, 0.3, 1.15, 0.4, 100, 30, 60, 90, 120};
    ReaderContents(grid).cropParams[1] = {"Alfalfa", 15, 180, 0.4, 0.95, 0.9,
                                          110,       10, 40,  80,  150.5};
    ReaderContents(grid).cropBasins = {{"west basin", "Winter Wheat"}, {"east basin", "Alfalfa"}};

    SimulationSettings& s = ReaderContents(grid).settings;
    s.freeDiffusion = 1.2e-5;
    s.irrigationTimeStep = 0.5;
    s.simulationTimeStep = 0.1;
    s.porosity = 0.45;
    s.simulationYear = 2005;
    s.simulationStart = 90;
    s.simulationEnd = 273;
    s.toleranceLevel1 = 0.001;
    s.toleranceLevel2 = 1e-4;
    s.tortuosity = 0.66;
    s.kvKhRatio = 0.1;
    s.waterCompressibility = 4.4e-10;
    s.longitudinalDispersion = 5;
    s.horizontalDispersion = 2;
    s.verticalDispersion = 0.5;
    s.useSaltSolver = 0;
    s.pressureSaturationMethod = VAN_GENUCHTEN_PS;
    s.poreSize = {1.1, 1.56, 2.2};
    s.residualMoisture = {0.05, 0.067, 0.08};
    s.scaleLength = {-20, -50, -30};
    s.rootGrowthMethod = HANKS_HILL;
    s.empiricalConstant1 = {1, 2, 3, 4, 5};
    s.empiricalConstant2 = {0.1, 0.2, 0.3, 0.4, 0.5};
    s.rootExtractionMethod = FEDDES;
    for (int m = 0; m < RootExtractionMethodCount; ++m) {
        for (int k = 0; k < RootExtractionParamCount; ++k) {
            s.rootExtractionParams[static_cast<size_t>(m)][static_cast<size_t>(k)] = m + k / 10.0;
        }
    }
    s.kWeightingMethod = HARMONIC_MEAN;
    s.equationType = TAYLOR_SERIES;
    s.initialConditionsType = STATIC_EQUILIBRIUM;
    s.ETPeriod = {100, 104};
    s.DailyETUsage = {0.41, 0.42, 0.4345678, 0.44, 0.45};

    ReaderContents(grid).printList = {{6, 1, 2005}, {7, 15, 2005}, {9, 30, 2005}};
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 1, 2, {9, 4});
    ReaderContents(grid).TimeSeriesCellGrid.Set(1, 2, 3, {0});
    ReaderContents(grid).GridOutputParamList = {0, 2, 13};
    ReaderContents(grid).OutputBaseName = "results run 1";
    ReaderContents(grid).ZExaggeration = 2.5;
    return grid;
}

std::string ProjectText(const GridData& grid) {
    std::ostringstream out;
    EXPECT_TRUE(WriteProjectFile(grid, out));
    return out.str();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "no '" << from << "' in the text";
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TimeSeriesGlobalsGuard::TimeSeriesGlobalsGuard()
    : color_(TimeSeriesCellColor), display_(TimeSeriesDisplay) {}

TimeSeriesGlobalsGuard::~TimeSeriesGlobalsGuard() {
    TimeSeriesCellColor = color_;
    TimeSeriesDisplay = display_;
}

} // namespace korva::testing
