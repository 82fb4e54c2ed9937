// Makes the bundled example projects with the program's own model and file
// code, so they are always in the current format:
//   korva-example-gen [FOLDER]      (default: the current folder)
// writes FOLDER/field3d.kvp and FOLDER/field2d.kvp and reads both back.
//
// The fields are small irrigated plots on a shallow water table: ground a
// little below the top of the grid, the water table between the bottom and the
// ground, conductivities in cm/day, salt in dS/m, moisture 0.2 to 0.4, crops
// planted and harvested inside the simulated season, irrigation every two
// weeks from the second week on, drains emptying into a collector, and an
// inflowing natural boundary on the up-slope edge.
#include "files/project/projectfile.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace korva {
namespace {

constexpr int SimulationYear = 2005;
constexpr int SeasonStart = 90; // 1 April 2005
constexpr int SeasonEnd = 273;  // 1 October 2005

using CellFunction = std::function<double(int layer, int row, int col)>;

void Fill(GridData& grid, int code, const CellFunction& value) {
    const int index = grid.ParameterIndexOfCode(code);
    if (index < 0) return;
    ParameterData& parameter = ReaderContents(grid).parameters.at(code);
    for (int l = 0; l < parameter.values.Layers(); ++l)
        for (int r = 0; r < parameter.values.Rows(); ++r)
            for (int c = 0; c < parameter.values.Columns(); ++c)
                parameter.values(l, r, c) = value(l, r, c);
    parameter.RecomputeRange();
}

// Bare soil with a short default season; the crop grid builder then fills
// the basins' cells from their crops.
void FillBareSoilCrop(GridData& grid) {
    Fill(grid, GridData::InitialRootDepth, [](int, int, int) { return 5.0; });
    Fill(grid, GridData::MaximumRootDepth, [](int, int, int) { return 20.0; });
    Fill(grid, GridData::CropCoefficients1, [](int, int, int) { return 0.3; });
    Fill(grid, GridData::CropCoefficients2, [](int, int, int) { return 0.3; });
    Fill(grid, GridData::CropCoefficients3, [](int, int, int) { return 0.3; });
    Fill(grid, GridData::DateOfPlanting, [](int, int, int) { return SeasonStart + 1.0; });
    Fill(grid, GridData::EndOfStage1, [](int, int, int) { return SeasonStart + 30.0; });
    Fill(grid, GridData::EndOfStage2, [](int, int, int) { return SeasonStart + 60.0; });
    Fill(grid, GridData::EndOfStage3, [](int, int, int) { return SeasonStart + 120.0; });
    Fill(grid, GridData::DateOfHarvest, [](int, int, int) { return SeasonEnd - 10.0; });
}

// A smooth pattern in 0..1 over the field, so neighbouring cells differ a little.
double Wave(int row, int col, double phase) {
    return 0.5 + 0.5 * std::sin(0.7 * row + 0.45 * col + phase);
}

void SetSettings(GridData& grid) {
    SimulationSettings& s = ReaderContents(grid).settings;
    s.simulationYear = SimulationYear;
    s.simulationStart = SeasonStart;
    s.simulationEnd = SeasonEnd;
    s.simulationTimeStep = 0.1;  // days
    s.irrigationTimeStep = 0.01; // days
    s.toleranceLevel1 = 0.001;
    s.toleranceLevel2 = 0.0001;
    s.freeDiffusion = 1.2; // cm2/day
    s.porosity = 0.45;
    s.tortuosity = 0.7;
    s.kvKhRatio = 0.3;
    s.waterCompressibility = 4.4e-6;
    s.longitudinalDispersion = 5.0;
    s.horizontalDispersion = 2.0;
    s.verticalDispersion = 1.0;
    s.useSaltSolver = 1.0;

    s.pressureSaturationMethod = VAN_GENUCHTEN_PS;
    s.poreSize = {0.25, 1.56, 2.0};
    s.residualMoisture = {0.05, 0.078, 0.06};
    s.scaleLength = {-25.0, -28.0, -30.0};
    s.rootGrowthMethod = RASMUSSEN_HANKS;
    s.empiricalConstant1 = {1.0, 0.8, 1.2, 1.0, 0.9};
    s.empiricalConstant2 = {0.05, 0.04, 0.06, 0.05, 0.05};
    s.rootExtractionMethod = FEDDES;
    s.rootExtractionParams[0] = {0.5, 3.0, -4000.0, 1.0, 0.0};
    s.rootExtractionParams[1] = {0.5, 3.0, -4000.0, 1.0, 0.0};
    s.rootExtractionParams[2] = {1.0, 100.0, 0.1, 0.01, -15000.0};
    s.rootExtractionParams[3] = {0.1, 0.01, -15000.0, 0.0, 0.0};
    s.rootExtractionParams[4] = {1.0, -15000.0, 0.0, 0.0, 0.0};
    s.rootExtractionParams[5] = {1.0, 0.1, 0.01, -15000.0, 0.0};
    s.rootExtractionParams[6] = {0.1, 0.01, -15000.0, 0.0, 0.0};
    s.rootExtractionParams[7] = {0.05, 0.1, 0.01, -15000.0, 0.0};
    s.rootExtractionParams[8] = {-400.0, -3000.0, 1.0, 0.0, 0.0};
    s.cropYieldMethod = YIELD_MODEL_1;
    s.kWeightingMethod = ARITHMETIC_MEAN;
    s.equationType = MASS_BALANCE;
    s.initialConditionsType = USER_DEFINED;

    // Daily ET (cm/day) over the whole season, peaking in midsummer.
    s.ETPeriod = {SeasonStart, SeasonEnd};
    s.DailyETUsage.clear();
    for (int day = SeasonStart; day <= SeasonEnd; ++day) {
        const double season =
            std::sin(3.14159265 * (day - SeasonStart) / (SeasonEnd - SeasonStart));
        const double weather = 0.04 * std::sin(day * 1.7);
        s.DailyETUsage.push_back(std::round((0.25 + 0.45 * season + weather) * 1000.0) / 1000.0);
    }
}

struct CropChoice {
    CropParamData crop;
    std::array<double, 4> yieldResponse;
    std::array<double, 5> salinityBounds;
};

const CropChoice Crops[] = {
    {{"Spring Wheat", 10, 110, 0.35, 1.15, 0.4, 95, 30, 60, 100, 130},
     {0.2, 0.6, 0.5, 0.2},
     {6.0, 7.4, 9.5, 13.0, 20.0}},
    {{"Maize", 8, 120, 0.3, 1.2, 0.6, 110, 25, 65, 110, 140},
     {0.4, 1.5, 0.5, 0.2},
     {1.7, 2.5, 3.8, 5.9, 10.0}},
    {{"Alfalfa", 15, 150, 0.4, 0.95, 0.9, 92, 20, 50, 120, 170},
     {0.7, 1.1, 1.1, 0.7},
     {2.0, 3.4, 5.4, 8.8, 15.0}},
};

// Adds a basin growing crop k on the columns [firstCol, lastCol] of every row,
// irrigated every 14 days from firstIrrigationDay.
void AddBasin(GridData& grid, const std::string& name, int k, int firstCol, int lastCol,
              int firstIrrigationDay, double depthCm, double saltDsm, const RgbColor& color) {
    const int index = grid.AppendBoundary(BasinType, name, color);
    for (int r = 0; r < grid.NumRows(); ++r) {
        for (int c = firstCol; c <= lastCol && c < grid.NumColumns(); ++c) {
            grid.SetBoundaryValue(BasinType, 0, r, c, index + 1);
        }
    }
    const CropChoice& choice = Crops[k];
    bool known = false;
    for (const CropParamData& crop : grid.CropParams())
        known = known || crop.cropName == choice.crop.cropName;
    if (!known) ReaderContents(grid).cropParams.push_back(choice.crop);
    ReaderContents(grid).cropBasins.push_back({name, choice.crop.cropName});
    for (size_t s = 0; s < 4; ++s)
        ReaderContents(grid).YieldResponseFactors[s][static_cast<size_t>(index)] =
            choice.yieldResponse[s];
    for (size_t s = 0; s < 5; ++s)
        ReaderContents(grid).SalinityUpperBounds[s][static_cast<size_t>(index)] =
            choice.salinityBounds[s];
    IrrigationData& schedule = ReaderContents(grid).irrigation[static_cast<size_t>(index)];
    for (int day = firstIrrigationDay; day < SeasonEnd - 20; day += 14) {
        const CalendarDate date = DayNumberToDate(day, SimulationYear);
        schedule.push_back({date.month, date.day, date.year, depthCm, saltDsm});
    }
}

void AddPrintDates(GridData& grid) {
    for (int month : {5, 6, 7, 8, 9})
        ReaderContents(grid).printList.push_back({month, 1, SimulationYear});
}

bool WriteAndCheck(const GridData& grid, const std::string& path) {
    if (!WriteProjectFile(grid, path)) return false;
    CollectingMessageSink sink;
    ScopedMessageSink scoped(sink);
    GridData check;
    const bool read = ReadProjectFile(check, path);
    for (const std::string& message : sink.messages)
        std::fprintf(stderr, "%s\n", message.c_str());
    if (!read || !sink.messages.empty()) return false;
    std::printf("wrote %s\n", path.c_str());
    return true;
}

GridData Field3D() {
    GridData grid;
    grid.ResetModel(1);
    const int rows = 12, columns = 15;
    ReaderContents(grid).rowSpacing.clear();
    for (int r = 0; r < rows; ++r)
        ReaderContents(grid).rowSpacing.push_back(r == 0 || r == rows - 1 ? 20.0
                                                                          : 25.0 + 5.0 * (r % 3));
    ReaderContents(grid).columnSpacing.clear();
    for (int c = 0; c < columns; ++c)
        ReaderContents(grid).columnSpacing.push_back(c < 2 || c > 12 ? 15.0 : 30.0);
    ReaderContents(grid).layerSpacing = {20, 30, 40, 60, 100, 150}; // 400 cm from the top down
    grid.Resize(6, rows, columns);
    grid.UpdateUniformSpacing();
    const double thicknessM = 4.0;

    // Elevations in metres above the bottom of the grid; the field slopes
    // gently from the north-west corner.
    auto ground = [&](int r, int c) {
        return thicknessM - 0.02 * r - 0.012 * c - 0.03 * Wave(r, c, 0.3);
    };
    Fill(grid, GridData::GroundElevation,
         [&](int, int r, int c) { return std::round(ground(r, c) * 1000) / 1000; });
    Fill(grid, GridData::InitialWaterTableElevation, [&](int, int r, int c) {
        return std::round((ground(r, c) - 1.1 - 0.3 * Wave(r, c, 1.1)) * 1000) / 1000;
    });
    // Loam above, sandier with depth, a clay lens in layer 3.
    const double conductivity[6] = {35, 30, 25, 8, 45, 60};
    Fill(grid, GridData::HorizontalHydraulicConductivity, [&](int l, int r, int c) {
        return std::round(conductivity[l] * (0.8 + 0.4 * Wave(r, c, l)) * 10) / 10;
    });
    Fill(grid, GridData::InitialSaltConcentrationOfAquifer, [&](int l, int r, int c) {
        return std::round((1.5 + 0.4 * l + 1.0 * Wave(r, c, 2.0)) * 100) / 100;
    });
    Fill(grid, GridData::InitialMoistureContent, [&](int l, int r, int c) {
        return std::round((0.22 + 0.03 * l + 0.02 * Wave(r, c, 0.7)) * 1000) / 1000;
    });
    // Bare soil between the basins; the crop grid builder fills the basins.
    FillBareSoilCrop(grid);
    Fill(grid, GridData::IrrigationWeight,
         [](int, int, int c) { return c < 2 || c > 12 ? 0.0 : 1.0; });
    Fill(grid, GridData::SoilLeachingEfficiency,
         [](int, int r, int c) { return std::round((0.8 + 0.1 * Wave(r, c, 0.2)) * 100) / 100; });

    SetSettings(grid);
    AddBasin(grid, "west basin", 0, 2, 6, SeasonStart + 7, 7.5, 0.9, {0.9, 0.8, 0.2});
    AddBasin(grid, "east basin", 1, 8, 12, SeasonStart + 10, 8.0, 1.1, {0.3, 0.7, 0.2});
    grid.BuildCropGrid();

    // Two tile drains at 1.1 to 1.5 m depth (layer 3) across the basins,
    // emptying into a collector along the east edge.
    const int collector = grid.AppendBoundary(CollectorType, "east collector", {0.2, 0.2, 0.8});
    for (int r = 0; r < rows; ++r)
        grid.SetBoundaryValue(CollectorType, 3, r, columns - 1, collector + 1);
    for (int drainRow : {3, 8}) {
        const int drain = grid.AppendBoundary(
            DrainType, "drain row " + std::to_string(drainRow + 1), {0.1, 0.5, 0.9});
        for (int c = 2; c < columns - 1; ++c)
            grid.SetBoundaryValue(DrainType, 3, drainRow, c, drain + 1);
        grid.SetDrainCollector(drain, collector);
    }
    // Groundwater flows in through the west edge below the water table.
    const int west = grid.AppendBoundary(NaturalBoundaryType, "west inflow", {0.0, 0.6, 0.6});
    for (int l = 4; l < 6; ++l) {
        for (int r = 0; r < rows; ++r)
            grid.SetBoundaryValue(NaturalBoundaryType, l, r, 0, west + 1);
    }
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux[static_cast<size_t>(west)] =
        0.002; // m/day
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality[static_cast<size_t>(west)] =
        2.5; // dS/m
    // A buried rock outcrop in the bottom layer does not conduct.
    const int rock = grid.AppendBoundary(NoFlowType, "rock outcrop", {0.5, 0.5, 0.5});
    for (int r = 9; r < 12; ++r) {
        for (int c = 5; c < 9; ++c)
            grid.SetBoundaryValue(NoFlowType, 5, r, c, rock + 1);
    }

    AddPrintDates(grid);
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 5, 4, {0, 2, 9, 10, 11});
    ReaderContents(grid).TimeSeriesCellGrid.Set(2, 5, 4, {0, 4});
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 6, 10, {0, 2, 9, 11, 12});
    ReaderContents(grid).TimeSeriesCellGrid.Set(3, 8, 7, {4, 6});
    ReaderContents(grid).GridOutputParamList = {0, 2, 4, 9, 10, 11};
    ReaderContents(grid).OutputBaseName = "field3d";
    ReaderContents(grid).ZExaggeration = 20.0;
    return grid;
}

GridData Field2D() {
    GridData grid;
    grid.ResetModel(0);
    const int rows = 6, columns = 8;
    ReaderContents(grid).rowSpacing = {40, 50, 50, 50, 50, 40};
    ReaderContents(grid).columnSpacing = {25, 40, 40, 40, 40, 40, 40, 25};
    ReaderContents(grid).layerSpacing = {30, 50, 70, 100}; // 250 cm
    grid.Resize(4, rows, columns);
    grid.UpdateUniformSpacing();
    auto ground = [](int r, int c) { return 2.5 - 0.015 * r - 0.01 * c; };
    Fill(grid, GridData::BedrockElevation,
         [](int, int r, int c) { return std::round(0.2 * Wave(r, c, 0.5) * 100) / 100; });
    Fill(grid, GridData::GroundElevation,
         [&](int, int r, int c) { return std::round(ground(r, c) * 1000) / 1000; });
    Fill(grid, GridData::VerticalHydraulicConductivity,
         [](int, int r, int c) { return std::round((6 + 6 * Wave(r, c, 1.0)) * 10) / 10; });
    Fill(grid, GridData::HorizontalHydraulicConductivity,
         [](int, int r, int c) { return std::round((25 + 20 * Wave(r, c, 2.0)) * 10) / 10; });
    Fill(grid, GridData::SpecificYield,
         [](int, int r, int c) { return std::round((0.12 + 0.06 * Wave(r, c, 0.0)) * 100) / 100; });
    FillBareSoilCrop(grid);
    Fill(grid, GridData::InitialSaltConcentrationOfAquifer,
         [](int, int r, int c) { return std::round((2.0 + 1.5 * Wave(r, c, 0.8)) * 100) / 100; });
    Fill(grid, GridData::InitialWaterTableElevation, [&](int, int r, int c) {
        return std::round((ground(r, c) - 1.2 - 0.2 * Wave(r, c, 1.4)) * 1000) / 1000;
    });
    Fill(grid, GridData::InitialMoistureContent, [](int, int r, int c) {
        return std::round((0.25 + 0.08 * Wave(r, c, 0.4)) * 1000) / 1000;
    });
    Fill(grid, GridData::InitialUnsaturatedSaltConcentration,
         [](int, int r, int c) { return std::round((1.0 + 1.5 * Wave(r, c, 2.4)) * 100) / 100; });
    Fill(grid, GridData::VerticalDispersivity, [](int, int, int) { return 5.0; });    // cm
    Fill(grid, GridData::HorizontalDispersivity, [](int, int, int) { return 50.0; }); // cm

    SetSettings(grid);
    ReaderContents(grid).settings.waterCompressibility = 0.0;
    AddBasin(grid, "field", 2, 1, 6, SeasonStart + 7, 9.0, 1.0, {0.6, 0.8, 0.3});
    grid.BuildCropGrid();

    const int collector = grid.AppendBoundary(CollectorType, "outlet ditch", {0.2, 0.2, 0.8});
    for (int r = 0; r < rows; ++r)
        grid.SetBoundaryValue(CollectorType, 0, r, columns - 1, collector + 1);
    const int drain = grid.AppendBoundary(DrainType, "field drain", {0.1, 0.5, 0.9});
    for (int c = 1; c < columns - 1; ++c)
        grid.SetBoundaryValue(DrainType, 0, 3, c, drain + 1);
    grid.SetDrainCollector(drain, collector);
    const int west = grid.AppendBoundary(NaturalBoundaryType, "canal seepage", {0.0, 0.6, 0.6});
    for (int r = 0; r < rows; ++r)
        grid.SetBoundaryValue(NaturalBoundaryType, 0, r, 0, west + 1);
    ReaderContents(grid).boundaries[NaturalBoundaryType].flux[static_cast<size_t>(west)] = 0.001;
    ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality[static_cast<size_t>(west)] =
        1.2;
    const int corner = grid.AppendBoundary(NoFlowType, "road embankment", {0.5, 0.5, 0.5});
    grid.SetBoundaryValue(NoFlowType, 0, 0, 0, corner + 1);

    AddPrintDates(grid);
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 2, 3, {9, 10, 11, 13});
    ReaderContents(grid).TimeSeriesCellGrid.Set(0, 4, 5, {9, 12});
    ReaderContents(grid).GridOutputParamList = {9, 10, 11, 13};
    ReaderContents(grid).OutputBaseName = "field2d";
    ReaderContents(grid).ZExaggeration = 10.0;
    return grid;
}

} // namespace
} // namespace korva

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const bool ok = korva::WriteAndCheck(korva::Field3D(), folder + "field3d.kvp") &&
                    korva::WriteAndCheck(korva::Field2D(), folder + "field2d.kvp");
    return ok ? 0 : 1;
}
