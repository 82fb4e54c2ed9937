// Projects saved by older versions: which sections they carry, and the single
// precision version against double gates that decides it.
#include "files/project/projectfile.h"
#include "model/messages.h"
#include "projectfile_fixture.h"

#include <gtest/gtest.h>
#include <string>

namespace korva {
namespace {

// The sections an old file carries; each test states them from the table of
// versions rather than deriving them from the version.
struct Sections {
    bool irrigationWeight = true;   // from 2.3
    bool leachingEfficiency = true; // from 2.4
    bool inactive = true;
    bool collectorAllLayers = true;
    bool irrigationSalt = false;
    bool compressibility = true; // "kv_kh_rat" (or its old stand-in) and water
    bool aquiferCompressibility = false;
    bool dispersion = true;
    bool leachEfficiency = false;
    bool useSaltSolver = true;
    bool etPeriod = true;
    bool gridOutputList = true;
    bool fluxes = true;
    bool waterQuality = true;
    bool zExaggeration = true;
};

std::string L(const std::string& line) {
    return line + "\r\n";
}

// A 3D project of one cell in two layers with one natural boundary and one
// collector; every value is distinct so a misread item shows.
std::string LegacyText(const std::string& version, const Sections& s) {
    std::string t = L("file version = " + version) +
                    L("model (0 -> original(2d), 1 -> modified (3d)) =1") +
                    L("nrows = 1 ncolumns = 1 nlayers = 2") + L("spacings for row = 100 ") +
                    L("spacings for column = 100 ") + L("spacings for layer = 50 60 ") + L("");
    const std::pair<const char*, bool> parameters[] = {
        {"Ground Elevation", false},
        {"Horizontal Hydraulic Conductivity", true},
        {"Initial Root Depth", false},
        {"Maximum Root Depth", false},
        {"Crop Coefficients 1", false},
        {"Crop Coefficients 2", false},
        {"Crop Coefficients 3", false},
        {"Date of Planting", false},
        {"End of Stage 1", false},
        {"End of Stage 2", false},
        {"End of Stage 3", false},
        {"Date of Harvest", false},
        {"Initial Salt Concentration of Aquifer", true},
        {"Initial Water Table Elevation", false},
        {"Initial Moisture Content", true},
        {"Irrigation Weight", false},
        {"Soil Leaching Efficiency", false},
    };
    int value = 1;
    for (const auto& [name, layered] : parameters) {
        const std::string n = name;
        if (n == "Irrigation Weight" && !s.irrigationWeight) continue;
        if (n == "Soil Leaching Efficiency" && !s.leachingEfficiency) continue;
        t += L("parameter name = " + n) + L("min, max color = 1 0 0 0 1 0");
        for (int layer = 0; layer < (layered ? 2 : 1); ++layer) {
            t += L("layer data = ") + L(std::to_string(value++) + " ") + L("");
        }
    }
    t += L("current boundary type = Natural Boundary") +
         L("number of boundaries for this type =1") + L("boundary name =edge") + L("color =0 0 1") +
         L("should be displayed (yes/no) =yes") + L("boundary data =") + L("1 ") + L("") + L("0 ") +
         L("");
    t += L("current boundary type = Drain") + L("number of boundaries for this type =0");
    t += L("current boundary type = Collector") + L("number of boundaries for this type =1") +
         L("boundary name =c") + L("color =1 0 0") + L("should be displayed (yes/no) =yes") +
         L("boundary data =") + L("1 ") + L("");
    if (s.collectorAllLayers) t += L("1 ") + L("");
    t += L("current boundary type = Basin") + L("number of boundaries for this type =0");
    t += L("current boundary type = No Flow") + L("number of boundaries for this type =0");
    if (s.inactive) {
        t += L("current boundary type = Inactive") + L("number of boundaries for this type =0");
    }
    t += L("simulation parameters:") + L("free diffusion = 0.5");
    if (s.irrigationSalt) t += L("irrigation salt concentration = 77");
    t += L("irrigation time step = 0.25") + L("simulation time step = 0.125") +
         L("porosity = 0.4") + L("simulation year = 1995") + L("simulation start = 10") +
         L("simulation end = 11") + L("tolerance level 1 = 0.01") + L("tolerance level 2 = 0.02") +
         L("tortuosity = 0.7");
    if (s.compressibility) {
        t += s.aquiferCompressibility ? L("aquifer compressibility = 88") : L("kv_kh_rat = 2");
        t += L("water compressibility = 0.3");
    }
    if (s.dispersion) t += L("longitudinal, horizontal, vertical dispersion = 1 2 3");
    if (s.leachEfficiency) t += L("leach efficiency = 99");
    if (s.useSaltSolver) t += L("use salt solver = 0");
    t += L("pressure saturation method (0->BROOKS_COREY, 1->VAN_GENUCHTEN,") +
         L("  2->HAVERKAMP) = 2") + L("pore size = 1 2 3") + L("residual moisture = 4 5 6") +
         L("scale length = 7 8 9") + L("root growth method (0->RASMUSSEN_HANKS, 1->FERERES,") +
         L("   2->HANKS_HILL, 3->BORG_GRIMES, 4->SCHOUWENAARS) = 1") +
         L("empirical constant 1 (1 for each of the five types) = 1 2 3 4 5") +
         L("empirical constant 2 (1 for each of the five types) = 6 7 8 9 10") +
         L("root extraction method (0->VAN_GENUCHTEN, 1->MOLZ_REMSON,") +
         L("  2->HILLEL, 3->VS2DT, 4->FEDDES, 5->GARDNER, ") +
         L("  6->WHISLER, 7->HERKELRATH, 8->VAN_GENUCHTEN_HOFFMAN) = 3");
    for (int m = 0; m < 9; ++m) {
        t += L("root extraction parameters for method " + std::to_string(m) + " = 1 2 3 4 5");
    }
    t += L("crop yield method (0->YIELD_MODEL_1) = 0");
    if (s.etPeriod) t += L("ET period=3 4");
    t += L("daily ET usage:") + L("0.5 0.6");
    t += L("K-weighting method (0->UPSTREAM_WEIGHTING, 1->ARITHMETIC_MEAN,") +
         L("  2->HARMONIC_MEAN, 3->GEOMETRIC_MEAN) = 1") +
         L("equation type (0->MASS_BALANCE, 1->TAYLOR_SERIES) = 1") +
         L("initial conditions type (0->USER_DEFINED, 1->STATIC_EQUILIBRIUM) = 1") +
         L("number of print control items = 0");
    if (s.gridOutputList) t += L("number of timeseries parameters for this cell = 1") + L("4 ");
    for (int layer = 0; layer < 2; ++layer) {
        t += L("layer data = ") + L("number of timeseries parameters for this cell = 0") + L("") +
             L("") + L("") + L("");
    }
    t += L("") + L("time series cell color = 0 0 1") + L("time series display = 0") +
         L("output project base name = old run") + L("number of crop parameters = 0") +
         L("crop param header = cropName ...") + L("number of crop-basin parameters = 0");
    if (s.fluxes) t += L("fluxes:") + L("0.25 ");
    if (s.waterQuality) t += L("water quality:") + L("1.5 ");
    if (s.zExaggeration) t += L("Z exaggerration = 3");
    return t;
}

class ProjectVersions : public ::testing::Test {
protected:
    void Read(const std::string& version, const Sections& sections) {
        grid = GridData();
        sink.messages.clear();
        ASSERT_TRUE(ReadProjectText(grid, LegacyText(version, sections), "old.kvp"))
            << (sink.messages.empty() ? "" : sink.messages.front());
        EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
        EXPECT_EQ(grid.OutputBaseName(), "old run"); // read to the end in step
    }
    int Index(int code) const { return grid.ParameterIndexOfCode(code); }

    testing::TimeSeriesGlobalsGuard globals;
    CollectingMessageSink sink;
    ScopedMessageSink scoped{sink};
    GridData grid;
};

TEST_F(ProjectVersions, CurrentVersionReadsEverySection) {
    Read("2.5", Sections{});
    EXPECT_EQ(grid.ProjectFileVersion(), 2.5f);
    EXPECT_EQ(grid.Parameter(Index(GridData::SoilLeachingEfficiency)).maxValue, 20.0);
    EXPECT_EQ(grid.Settings().kvKhRatio, 2.0);
    EXPECT_EQ(grid.Settings().verticalDispersion, 3.0);
    EXPECT_EQ(grid.Settings().useSaltSolver, 0.0);
    EXPECT_EQ(grid.Settings().ETPeriod.first, 3);
    EXPECT_EQ(grid.Settings().DailyETUsage, (std::vector<double>{0.5, 0.6}));
    EXPECT_EQ(grid.GridOutputParamList(), (OutputParamDataItem{4}));
    EXPECT_EQ(grid.Memberships(CollectorType).Get(1, 0, 0), 1);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].flux[0], 0.25);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].waterQuality[0], 1.5);
    EXPECT_EQ(grid.ZExaggeration(), 3.0);
    EXPECT_EQ(TimeSeriesDisplay, 0);
    EXPECT_EQ(TimeSeriesCellColor[2], 1.0);
}

TEST_F(ProjectVersions, VersionOneCarriesOnlyTheOldestSections) {
    Sections s;
    s.irrigationWeight = s.leachingEfficiency = s.inactive = s.collectorAllLayers = false;
    s.irrigationSalt = true;
    s.compressibility = s.dispersion = s.useSaltSolver = s.etPeriod = s.gridOutputList = false;
    s.fluxes = s.waterQuality = s.zExaggeration = false;
    Read("1.0", s);
    // The old irrigation salt concentration is read and dropped.
    EXPECT_EQ(grid.Settings().freeDiffusion, 0.5);
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 0.25);
    EXPECT_EQ(grid.Settings().kvKhRatio, 1.0);
    EXPECT_EQ(grid.Settings().longitudinalDispersion, 10.0);
    EXPECT_EQ(grid.Settings().verticalDispersion, 10.0);
    EXPECT_EQ(grid.Settings().useSaltSolver, 1.0);
    // The ET period is the simulation period.
    EXPECT_EQ(grid.Settings().ETPeriod.first, 10);
    EXPECT_EQ(grid.Settings().ETPeriod.last, 11);
    EXPECT_EQ(grid.Settings().DailyETUsage.size(), 2u);
    EXPECT_EQ(grid.Contents().boundaries[InactiveType].Count(), 0);
    EXPECT_EQ(grid.Memberships(CollectorType).Get(0, 0, 0), 1);
    EXPECT_EQ(grid.Memberships(CollectorType).Get(1, 0, 0), 0);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].flux.size(), 1u);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].flux[0], 0.0);
    EXPECT_EQ(grid.ZExaggeration(), 1.0);
    EXPECT_EQ(grid.Parameter(Index(GridData::IrrigationWeight)).maxValue, NoDataValue);
    EXPECT_EQ(grid.Parameter(Index(GridData::SoilLeachingEfficiency)).maxValue, NoDataValue);
}

TEST_F(ProjectVersions, OneThreeIsBelowTheDoubleGateOneThree) {
    // 1.3 held in single precision is slightly less than 1.3: no Inactive
    // block and no ET period, although the program of 1.3 wrote both. The
    // reader swallows them into the next labels and reads on.
    Sections s;
    s.irrigationWeight = s.leachingEfficiency = false;
    s.irrigationSalt = true;
    s.compressibility = s.dispersion = s.useSaltSolver = s.gridOutputList = false;
    s.fluxes = s.waterQuality = false;
    Read("1.3", s);
    EXPECT_EQ(grid.Memberships(CollectorType).Get(1, 0, 0), 1);
    EXPECT_EQ(grid.Settings().ETPeriod.first, 10);
    EXPECT_EQ(grid.Settings().ETPeriod.last, 11);
    EXPECT_EQ(grid.ZExaggeration(), 3.0); // 1.3f is above the gate 1.2

    Read("1.31", s);
    EXPECT_EQ(grid.Settings().ETPeriod.first, 3);
    EXPECT_EQ(grid.Settings().ETPeriod.last, 4);
}

TEST_F(ProjectVersions, SingleAndDoubleGatesBetweenOneFiveAndTwoFive) {
    Sections s;
    s.irrigationWeight = s.leachingEfficiency = false;
    s.compressibility = s.dispersion = s.useSaltSolver = s.gridOutputList = false;
    s.fluxes = s.waterQuality = false;
    s.irrigationSalt = true;
    Read("1.4", s);
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 0.25);
    // 1.5 is a single-precision gate: a 1.5 file has no irrigation salt line.
    s.irrigationSalt = false;
    Read("1.5", s);
    EXPECT_EQ(grid.Settings().irrigationTimeStep, 0.25);

    // 1.8f is below the double 1.8, so the old compressibility stands in
    // for "kv_kh_rat".
    s.compressibility = s.aquiferCompressibility = s.fluxes = true;
    Read("1.8", s);
    EXPECT_EQ(grid.Settings().kvKhRatio, 1.0);
    EXPECT_EQ(grid.Settings().waterCompressibility, 0.3);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].flux[0], 0.25);

    // 1.9f is below 1.9: no dispersions yet.
    s.aquiferCompressibility = false;
    Read("1.9", s);
    EXPECT_EQ(grid.Settings().kvKhRatio, 2.0);
    EXPECT_EQ(grid.Settings().horizontalDispersion, 10.0);

    // 2.0 is exact: water quality.
    s.dispersion = s.waterQuality = true;
    Read("2.0", s);
    EXPECT_EQ(grid.Settings().horizontalDispersion, 2.0);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].waterQuality[0], 1.5);
}

TEST_F(ProjectVersions, TwoThreeHasNoSoilLeachingEfficiencyBlock) {
    Sections s;
    s.leachingEfficiency = false;
    s.leachEfficiency = true;
    s.useSaltSolver = false;
    Read("2.3", s);
    EXPECT_EQ(grid.Parameter(Index(GridData::IrrigationWeight)).maxValue, 19.0);
    const ParameterData& leaching = grid.Parameter(Index(GridData::SoilLeachingEfficiency));
    EXPECT_EQ(leaching.minValue, NoDataValue);
    EXPECT_EQ(leaching.values(0, 0, 0), NoDataValue);
    EXPECT_EQ(grid.Settings().useSaltSolver, 1.0);
    // 2.2f is above the double 2.2: the grid output list is there.
    EXPECT_EQ(grid.GridOutputParamList(), (OutputParamDataItem{4}));

    // 2.1f is below 2.1: no leach efficiency line.
    s.irrigationWeight = false;
    s.leachEfficiency = false;
    s.gridOutputList = false;
    Read("2.1", s);
    EXPECT_TRUE(grid.GridOutputParamList().empty());
}

} // namespace
} // namespace korva
