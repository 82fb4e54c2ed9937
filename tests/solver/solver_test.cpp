// The reference solver's daily balance: conservation, the effect of drains,
// irrigation and ET, physical bounds, and reproducible result files.
#include "files/inputset/inputset.h"
#include "files/output/modeloutput.h"
#include "model/messages.h"
#include "solver/outputquantities.h"
#include "solver/solverrun.h"
#include "solver/solverstate.h"
#include "testfield.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace korva {
namespace {

namespace fs = std::filesystem;
using testing::FieldOptions;
using testing::MakeField;

struct RunResult {
    DayBalance total;
    double waterBefore = 0, waterAfter = 0, saltBefore = 0, saltAfter = 0;
};

RunResult Simulate(const SolverModel& model, SolverState& state) {
    RunResult result;
    result.waterBefore = state.StoredWater();
    result.saltBefore = state.StoredSalt();
    for (int day = model.firstDay; day < model.endDay; ++day)
        result.total.Add(StepDay(model, state));
    result.waterAfter = state.StoredWater();
    result.saltAfter = state.StoredSalt();
    return result;
}

std::vector<double> EtList(const GridData& grid) {
    return grid.Settings().DailyETUsage;
}

double MeanTopMoisture(const SolverModel& m, const SolverState& st) {
    double sum = 0;
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.columns; ++c)
            sum += OutputValue(m, st, 0, 0, r, c);
    return sum / (m.rows * m.columns);
}

// Inflow = outflow + change in storage, for water and for salt, whatever the
// field holds: both model kinds, natural boundaries in and out, no-flow and
// inactive cells, and the salt solver switched off.
TEST(SolverBalance, WaterAndSaltAreConserved) {
    struct Case {
        const char* name;
        FieldOptions options;
        bool boundaries;
    };
    const Case cases[] = {
        {"3D", {}, false},
        {"2D", {0}, false},
        {"3D with boundaries", {}, true},
        {"2D with boundaries", {0}, true},
        {"3D without salt", {1, 60, true, true, 0.4, false}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridData grid = MakeField(c.options);
        if (c.boundaries) {
            grid.AppendBoundary(NaturalBoundaryType, "inflow", {0, 1, 0});
            grid.AppendBoundary(NaturalBoundaryType, "outflow", {0, 1, 1});
            ReaderContents(grid).boundaries[NaturalBoundaryType].flux = {0.02, -0.05};
            ReaderContents(grid).boundaries[NaturalBoundaryType].waterQuality = {3.0, 0.0};
            const int last = grid.BoundaryLayerCount(NaturalBoundaryType) - 1;
            grid.SetBoundaryValue(NaturalBoundaryType, last, 0, 0, 1);
            grid.SetBoundaryValue(NaturalBoundaryType, last, 2, 2, 2);
            grid.AppendBoundary(NoFlowType, "wall", {0, 0, 0});
            grid.SetBoundaryValue(NoFlowType, 0, 1, 2, 1);
            grid.AppendBoundary(InactiveType, "rock", {0, 0, 0});
            grid.SetBoundaryValue(InactiveType, grid.BoundaryLayerCount(InactiveType) - 1, 0, 1, 1);
        }
        const SolverModel model(grid, EtList(grid));
        SolverState state(model);
        const RunResult r = Simulate(model, state);
        const DayBalance& t = r.total;
        EXPECT_GT(t.irrigation, 0);
        EXPECT_GT(t.evapotranspiration, 0);
        if (c.boundaries) {
            EXPECT_GT(t.boundaryInflow, 0);
            EXPECT_GT(t.boundaryOutflow, 0);
        }
        const double scale = r.waterBefore + t.WaterIn();
        EXPECT_NEAR(t.WaterIn() - t.WaterOut(), r.waterAfter - r.waterBefore, 1e-9 * scale);
        const double saltScale = r.saltBefore + t.SaltIn() + 1;
        EXPECT_NEAR(t.SaltIn() - t.SaltOut(), r.saltAfter - r.saltBefore, 1e-9 * saltScale);
        if (!c.options.salt) {
            EXPECT_EQ(t.SaltIn(), 0);
            EXPECT_EQ(t.SaltOut(), 0);
        }
    }
}

// The state stays physical every day: no cell is ever emptier than its
// wilting point under ET alone, none fuller than its porosity.
TEST(SolverBalance, WaterContentStaysWithinTheSoil) {
    FieldOptions o;
    o.et = 3.0; // far more than the soil can give
    o.irrigate = true;
    GridData grid = MakeField(o);
    ReaderContents(grid).printList.clear();
    const SolverModel model(grid, EtList(grid));
    SolverState state(model);
    for (int day = 0; day < model.endDay; ++day) {
        StepDay(model, state);
        for (int cell = 0; cell < model.CellCount(); ++cell) {
            const int c = cell % model.columns, r = (cell / model.columns) % model.rows,
                      l = cell / (model.columns * model.rows);
            const double theta = state.water[cell] / model.Volume(l, r, c);
            ASSERT_LE(theta, model.soil[cell].porosity + 1e-12) << "day " << day;
            ASSERT_GE(theta, 0.0) << "day " << day;
            ASSERT_GE(state.salt[cell], -1e-12) << "day " << day;
        }
    }
}

TEST(SolverProcesses, DrainsRemoveWaterAndLowerTheWaterTable) {
    FieldOptions with;
    FieldOptions without;
    without.drain = false;
    GridData drained = MakeField(with);
    GridData undrained = MakeField(without);
    // A high water table gives the drain something to take.
    testing::SetEverywhere(drained, GridData::InitialWaterTableElevation, 1.8);
    testing::SetEverywhere(undrained, GridData::InitialWaterTableElevation, 1.8);
    const SolverModel m1(drained, EtList(drained)), m2(undrained, EtList(undrained));
    SolverState s1(m1), s2(m2);
    const RunResult r1 = Simulate(m1, s1);
    const RunResult r2 = Simulate(m2, s2);
    EXPECT_GT(r1.total.drainage, 0);
    EXPECT_GT(r1.total.saltDrainage, 0);
    EXPECT_EQ(r2.total.drainage, 0);
    EXPECT_LT(r1.waterAfter, r2.waterAfter);
    // The water table falls most next to the drain and slopes towards it.
    EXPECT_LT(WaterTableElevation(m1, s1, 1, 3), WaterTableElevation(m2, s2, 1, 3));
    EXPECT_LT(WaterTableElevation(m1, s1, 1, 3), WaterTableElevation(m1, s1, 1, 0));
    // Groundwater flows towards the drain: positive along x next to it.
    double flowToDrain = 0;
    for (int l = 0; l < m1.layers; ++l)
        flowToDrain += s1.flowX[m1.CellIndex(l, 1, 2)];
    EXPECT_GT(flowToDrain, 0);
}

TEST(SolverProcesses, IrrigationRaisesMoistureAndEtDriesTheSoil) {
    GridData grid = MakeField();
    const SolverModel model(grid, EtList(grid));
    SolverState state(model);
    for (int day = 0; day < 10; ++day)
        StepDay(model, state);
    const double before = MeanTopMoisture(model, state);
    const double storedBefore = state.StoredWater();
    const DayBalance irrigated = StepDay(model, state); // day 10: 6 cm
    EXPECT_NEAR(irrigated.irrigation, 0.06 * 12 * 50 * 50, 1e-9);
    EXPECT_GT(MeanTopMoisture(model, state), before + 0.01);
    EXPECT_GT(state.StoredWater(), storedBefore);

    // Days without irrigation dry the root zone again.
    const double wet = MeanTopMoisture(model, state);
    for (int day = 11; day < 25; ++day)
        StepDay(model, state);
    EXPECT_LT(MeanTopMoisture(model, state), wet);

    // Salt comes with the water and stays when ET takes the water away.
    FieldOptions dry;
    dry.irrigate = false;
    GridData unirrigated = MakeField(dry);
    const SolverModel m2(unirrigated, EtList(unirrigated));
    SolverState s2(m2);
    const RunResult r2 = Simulate(m2, s2);
    EXPECT_EQ(r2.total.irrigation, 0);
    EXPECT_LT(r2.waterAfter, r2.waterBefore);
}

TEST(SolverProcesses, RootsGrowAndWaterStressLowersTheYield) {
    FieldOptions wet;
    wet.et = 0.2;
    FieldOptions parched;
    parched.et = 2.0;
    parched.irrigate = false;
    GridData g1 = MakeField(wet), g2 = MakeField(parched);
    testing::SetEverywhere(g1, GridData::InitialWaterTableElevation, 1.5);
    testing::SetEverywhere(g2, GridData::InitialWaterTableElevation, 0.0);
    const SolverModel m1(g1, EtList(g1)), m2(g2, EtList(g2));
    SolverState s1(m1), s2(m2);
    for (int day = 0; day < 20; ++day)
        StepDay(m1, s1);
    const double early = OutputValue(m1, s1, 12, 0, 1, 1);
    Simulate(m1, s1);
    Simulate(m2, s2);
    EXPECT_GT(early, 0.1);
    EXPECT_LT(early, 0.8);
    EXPECT_DOUBLE_EQ(OutputValue(m1, s1, 12, 0, 1, 1), 0.0); // harvested by day 60
    const double y1 = OutputValue(m1, s1, 11, 0, 1, 1);
    const double y2 = OutputValue(m2, s2, 11, 0, 1, 1);
    EXPECT_GT(y1, y2);
    EXPECT_LE(y1, 1.0);
    EXPECT_GE(y2, 0.0);
}

class SolverFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korva-solver-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Writes the field's input set into sub and runs the solver on it.
    int Run(const GridData& grid, const std::string& sub, std::string* output = nullptr) {
        fs::create_directories(folder_ / sub);
        const std::string base = (folder_ / sub / "site").string();
        CollectingMessageSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_TRUE(WriteModelInputFiles(grid, base));
        std::ostringstream out, err;
        const int status = RunSolver(grid.ModelKind(), base, out, err);
        EXPECT_EQ(err.str(), "");
        if (output) *output = out.str();
        return status;
    }
    static std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder_;
};

// Two runs of the same input write the same bytes, and the files are what the
// output reader takes: three print dates, every quantity, the selected series.
TEST_F(SolverFiles, ResultsAreReproducibleAndReadable) {
    const GridData grid = MakeField();
    std::string output;
    ASSERT_EQ(Run(grid, "a", &output), 0);
    ASSERT_EQ(Run(grid, "b"), 0);
    EXPECT_NE(output.find("Day 59 (Mar 1, 1990)"), std::string::npos) << output;
    EXPECT_NE(output.find("Water balance"), std::string::npos);
    for (const char* name : {"site.day", "site-1.kvo", "site-2.kvo", "site-3.kvo", "site_MC.tss",
                             "site_US.tss", "site_WE.tss", "site_RY.tss", "site.log"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(folder_ / "a" / name));
        EXPECT_EQ(Slurp(folder_ / "a" / name), Slurp(folder_ / "b" / name));
    }
    EXPECT_FALSE(fs::exists(folder_ / "a" / "site-4.kvo"));
    EXPECT_FALSE(fs::exists(folder_ / "a" / "site_HC.tss"));

    GridData loaded = MakeField();
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ASSERT_EQ(ReadModelOutput(loaded, (folder_ / "a" / "site").string(), 3, 4, 4), 1);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
    const OutputStore& store = loaded.Outputs();
    ASSERT_EQ(store.gridOutputs.size(), 14u);
    EXPECT_EQ(store.gridOutputs[2].name, "US SALT CONCENTRATION");
    EXPECT_EQ(store.gridOutputs[9].name, "WE WATER TABLE ELEVATION");
    ASSERT_EQ(store.gridOutputs[0].times.size(), 3u);
    EXPECT_EQ(store.gridOutputs[0].times[1].month, 1);
    EXPECT_EQ(store.gridOutputs[0].times[1].day, 31);
    EXPECT_EQ(store.gridOutputs[0].times[2].month, 3);
    // Moisture changes between print dates; the water-table depth is a depth.
    double first = 0, last = 0;
    ASSERT_TRUE(loaded.GetOutputValue(0, 0, 0, 1, 1, first));
    ASSERT_TRUE(loaded.GetOutputValue(0, 2, 0, 1, 1, last));
    EXPECT_NE(first, last);
    double depth = 0;
    ASSERT_TRUE(loaded.GetOutputValue(9, 0, 0, 1, 1, depth));
    EXPECT_NEAR(depth, 1.0, 1e-6); // ground 2 m, initial water table 1 m
    ASSERT_EQ(store.cellSeries[9].size(), 2u);
    EXPECT_EQ(store.cellSeries[9][0].name, "_x1y0");
    EXPECT_EQ(store.cellSeries[9][1].name, "_x2y3");
    ASSERT_EQ(store.cellSeries[0].size(), 1u);
    EXPECT_EQ(store.cellSeries[0][0].name, "_x1y1z1");
    EXPECT_EQ(store.cellSeries[0][0].x.size(), 61u);
    ASSERT_EQ(store.averageSeries[2].size(), 1u);
    EXPECT_EQ(store.averageSeries[2][0].name.rfind("Ave", 0), 0u);
}

// Only the codes of the grid output list are written, layered ones first.
TEST_F(SolverFiles, GridOutputListChoosesTheQuantities) {
    GridData grid = MakeField({0});
    ReaderContents(grid).GridOutputParamList = {10, 2};
    ASSERT_EQ(Run(grid, "a"), 0);
    std::ifstream in(folder_ / "a" / "site-2.kvo");
    std::string line;
    std::vector<std::string> lines;
    while (lines.size() < 5 && std::getline(in, line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "1 1");
    EXPECT_EQ(lines[2], "3 4 4");
    EXPECT_EQ(lines[3], "US SALT CONCENTRATION");
    EXPECT_EQ(lines[4], "DW DEPTH TO WATER TABLE");
}

TEST_F(SolverFiles, UnusableInputIsAnErrorNotAnEmptyRun) {
    {
        std::ostringstream out, err;
        CollectingMessageSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_EQ(RunSolver(1, (folder_ / "absent").string(), out, err), 1);
        EXPECT_NE(err.str().find("absent"), std::string::npos);
        EXPECT_FALSE(fs::exists(folder_ / "absent.day"));
    }
    // A row without width would divide by zero in every balance.
    GridData grid = MakeField();
    ReaderContents(grid).rowSpacing[1] = 0;
    fs::create_directories(folder_ / "flat");
    const std::string base = (folder_ / "flat" / "site").string();
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    ASSERT_TRUE(WriteModelInputFiles(grid, base));
    std::ostringstream out, err;
    EXPECT_EQ(RunSolver(1, base, out, err), 1);
    EXPECT_NE(err.str().find("row has no positive size"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(folder_ / "flat" / "site.day"));
}

} // namespace
} // namespace korva
