// korva-batch export-vtk read back with VTK's own reader (the distribution's
// Python VTK, run as /usr/bin/python3 through readvtk.py): the coordinates,
// the arrays by name, values at chosen cells in VTK's cell order, NaN for
// cells without data, and the time steps of the ".pvd" collection.
#include "cli/command.h"
#include "files/project/projectfile.h"
#include "files/vtk/vtkexport.h"
#include "outputfixture.h"
#include "readvtk.h"

#include <cmath>
#include <csignal>
#include <cstdio>
#include <gmock/gmock.h>
#include <map>
#include <sstream>
#include <sys/resource.h>

namespace korva::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// What readvtk.py printed for one grid file.
struct ReadGrid {
    std::string extent;
    std::map<std::string, std::vector<double>> coordinates;
    std::map<std::string, std::pair<std::string, std::vector<double>>> arrays; // type, values
    std::vector<std::string> arrayOrder;
};

struct ReadBack {
    bool ran = false;
    std::vector<std::pair<double, std::string>> steps;
    std::vector<ReadGrid> grids;
};

ReadBack ReadWithVtk(const std::string& path) {
    ReadBack result;
    const VtkReaderOutput output = RunVtkReader(path);
    result.ran = output.ran;
    for (std::size_t n = 0; n < output.lines.size(); ++n) {
        const std::vector<std::string>& fields = output.fields[n];
        if (fields.empty()) continue;
        if (fields[0] == "step" && fields.size() == 3) {
            result.steps.emplace_back(std::stod(fields[1]), fields[2]);
        } else if (fields[0] == "extent" && fields.size() == 2) {
            result.grids.emplace_back();
            result.grids.back().extent = fields[1];
        } else if (fields.size() == 2 &&
                   (fields[0] == "x" || fields[0] == "y" || fields[0] == "z")) {
            result.grids.back().coordinates[fields[0]] = VtkNumbers(fields[1]);
        } else if (fields[0] == "array" && fields.size() == 4) {
            result.grids.back().arrays[fields[1]] = {fields[2], VtkNumbers(fields[3])};
            result.grids.back().arrayOrder.push_back(fields[1]);
        } else {
            ADD_FAILURE() << "readvtk.py: " << output.lines[n];
            result.ran = false;
        }
    }
    return result;
}

class VtkExport : public OutputFolder {
protected:
    // 2 layers (100 cm on top, 50 cm below) x 2 rows x 3 columns, uneven widths.
    void SetUp() override {
        OutputFolder::SetUp();
        ReaderContents(grid).rowSpacing = {10.0, 20.0};
        ReaderContents(grid).columnSpacing = {5.0, 10.0, 15.0};
        ReaderContents(grid).layerSpacing = {100.0, 50.0};
        grid.UpdateUniformSpacing();
        project = (folder / "field.kvp").string();
        target = (folder / "field.vtr").string();
        grid.SetOutputBaseName("run");
        ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
        conductivity = grid.ParameterIndexOfCode(GridData::HorizontalHydraulicConductivity);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                grid.SetValue(ground, 0, r, c, 10.0 + r * 3 + c);
        grid.SetValue(conductivity, 0, 1, 2, 7.25);
        grid.SetValue(conductivity, 1, 0, 0, 3.5);
        grid.AppendBoundary(NoFlowType, "wall", RgbColor{0, 0, 1});
        grid.AppendBoundary(NoFlowType, "ditch", RgbColor{0, 1, 1});
        grid.SetBoundaryValue(NoFlowType, 1, 1, 0, 2);
        grid.AppendBoundary(BasinType, "north", RgbColor{1, 0, 0});
        grid.SetBoundaryValue(BasinType, 0, 0, 1, 1);
        grid.SetTimeSeriesSelection(1, 0, 2, {0, 3});
        ASSERT_TRUE(WriteProjectFile(grid, project));
        Write(base + ".day", "0 60\n2\n31\n45\n");
        Write(base + "-1.kvo", KvoText("US SALT CONCENTRATION", 1, "WE WATER TABLE ELEVATION", 5));
        Write(base + "-2.kvo", KvoText("US SALT CONCENTRATION", 2, "WE WATER TABLE ELEVATION", 6));
    }
    int Run(const cli::Arguments& args) {
        std::ostringstream outStream, errStream;
        cli::CommandContext context{outStream, errStream, ""};
        const int status = cli::RunTool(args, context);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
    // Index of a cell in VTK order: columns fastest, then rows, then layers
    // from the bottom.
    static std::size_t Cell(int layer, int row, int column) {
        return static_cast<std::size_t>((1 - layer) * 6 + row * 3 + column);
    }
    void ExpectProjectGrid(const ReadGrid& read) {
        EXPECT_EQ(read.extent, "0 3 0 2 0 2");
        EXPECT_THAT(read.coordinates.at("x"), ElementsAre(0.0, 5.0, 15.0, 30.0));
        EXPECT_THAT(read.coordinates.at("y"), ElementsAre(0.0, 10.0, 30.0));
        EXPECT_THAT(read.coordinates.at("z"), ElementsAre(0.0, 0.5, 1.5));
        for (int p = 0; p < grid.ParameterCount(); ++p)
            EXPECT_EQ(read.arrays.count(GridData::ParameterDisplayName(
                          grid.ParameterOrder()[static_cast<std::size_t>(p)])),
                      1u)
                << GridData::ParameterDisplayName(
                       grid.ParameterOrder()[static_cast<std::size_t>(p)]);

        const auto& k = read.arrays.at("Horizontal Hydraulic Conductivity");
        EXPECT_EQ(k.first, "double");
        ASSERT_EQ(k.second.size(), 12u);
        EXPECT_EQ(k.second[Cell(0, 1, 2)], 7.25);
        EXPECT_EQ(k.second[Cell(1, 0, 0)], 3.5);
        EXPECT_TRUE(std::isnan(k.second[Cell(0, 0, 0)])); // no data
        EXPECT_TRUE(std::isnan(k.second[Cell(1, 1, 2)]));

        // A surface parameter shows on the top layer only.
        const auto& g = read.arrays.at("Ground Elevation").second;
        ASSERT_EQ(g.size(), 12u);
        EXPECT_EQ(g[Cell(0, 0, 0)], 10.0);
        EXPECT_EQ(g[Cell(0, 1, 2)], 15.0);
        EXPECT_TRUE(std::isnan(g[Cell(1, 1, 2)]));

        const auto& noFlow = read.arrays.at("No Flow");
        EXPECT_EQ(noFlow.first, "int");
        EXPECT_EQ(noFlow.second[Cell(1, 1, 0)], 2.0);
        EXPECT_EQ(noFlow.second[Cell(0, 1, 0)], 0.0);
        const auto& basin = read.arrays.at("Basin").second;
        EXPECT_EQ(basin[Cell(0, 0, 1)], 1.0);
        EXPECT_EQ(basin[Cell(1, 0, 1)], 0.0); // basins live in the top layer
        for (const char* kind : {"Natural Boundary", "Drain", "Collector", "Inactive"})
            EXPECT_EQ(read.arrays.count(kind), 1u) << kind;
        const auto& series = read.arrays.at("Time Series Cells").second;
        EXPECT_EQ(series[Cell(1, 0, 2)], 2.0);
        EXPECT_EQ(series[Cell(0, 0, 2)], 0.0);
    }

    std::string project;
    std::string target;
    std::string out;
    std::string err;
    int ground = -1;
    int conductivity = -1;
};

TEST_F(VtkExport, BinaryAndTextFilesReadBackTheSame) {
    ASSERT_EQ(Run({"export-vtk", project, target}), 0) << err;
    const ReadBack binary = ReadWithVtk(target);
    ASSERT_TRUE(binary.ran);
    ASSERT_EQ(binary.grids.size(), 1u);
    ExpectProjectGrid(binary.grids[0]);
    EXPECT_FALSE(std::filesystem::exists(folder / "field.pvd"));

    ASSERT_EQ(Run({"export-vtk", "--ascii", project, target}), 0) << err;
    const ReadBack text = ReadWithVtk(target);
    ASSERT_TRUE(text.ran);
    ASSERT_EQ(text.grids.size(), 1u);
    ExpectProjectGrid(text.grids[0]);
    EXPECT_EQ(text.grids[0].arrayOrder, binary.grids[0].arrayOrder);
}

TEST_F(VtkExport, OutputsMakeACollectionOfTheOutputTimes) {
    for (const char* encoding : {"--ascii", "--outputs"}) {
        ASSERT_EQ(Run({"export-vtk", "--outputs", encoding, project, target}), 0) << err;
        EXPECT_THAT(out, HasSubstr("2 output times"));
        const ReadBack read = ReadWithVtk((folder / "field.pvd").string());
        ASSERT_TRUE(read.ran) << encoding;
        ASSERT_EQ(read.steps.size(), 2u);
        EXPECT_EQ(read.steps[0], std::make_pair(31.0, std::string("field_0001.vtr")));
        EXPECT_EQ(read.steps[1], std::make_pair(45.0, std::string("field_0002.vtr")));
        ASSERT_EQ(read.grids.size(), 2u);
        for (int t = 0; t < 2; ++t) {
            const ReadGrid& step = read.grids[static_cast<std::size_t>(t)];
            EXPECT_THAT(step.coordinates.at("z"), ElementsAre(0.0, 0.5, 1.5));
            const auto& salt = step.arrays.at("US SALT CONCENTRATION").second;
            ASSERT_EQ(salt.size(), 12u);
            // The solver lists a quantity layer by layer from the top, rows in order.
            EXPECT_EQ(salt[Cell(0, 0, 0)], 1.0 + t);
            EXPECT_EQ(salt[Cell(0, 1, 2)], 6.0 + t);
            EXPECT_EQ(salt[Cell(1, 0, 1)], 8.0 + t);
            const auto& table = step.arrays.at("WE WATER TABLE ELEVATION").second;
            // The solver gives the depth below ground (13 m here); the outputs
            // hold the elevation.
            EXPECT_EQ(table[Cell(0, 1, 0)], 13.0 - (8.0 + t));
            EXPECT_TRUE(std::isnan(table[Cell(1, 1, 0)]));
        }
        ExpectProjectGrid(ReadWithVtk(target).grids.at(0));
    }
}

TEST_F(VtkExport, OutputsOfAProjectWithoutRunFail) {
    grid.SetOutputBaseName("");
    ASSERT_TRUE(WriteProjectFile(grid, project));
    EXPECT_EQ(Run({"export-vtk", "--outputs", project, target}), 1);
    EXPECT_THAT(err, HasSubstr("names no output base"));
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(VtkExport, FailedWriteLeavesNoFileBehind) {
    EXPECT_EQ(Run({"export-vtk", project, (folder / "none" / "x.vtr").string()}), 1);
    EXPECT_THAT(err, HasSubstr("cannot write " + (folder / "none" / "x.vtr").string() + ": "));

    // A full disk, as a file size limit: writes past 1 kB fail. The file
    // already under the name stays as it was and no temporary is left.
    Write(target, "old");
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status = Run({"export-vtk", project, target});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(status, 1);
    EXPECT_THAT(err, HasSubstr("cannot write " + target + ": File too large"));
    std::ifstream in(target);
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "old");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(VtkExport, CommandLineMistakes) {
    EXPECT_EQ(Run({"export-vtk", project}), 2);
    EXPECT_THAT(err, HasSubstr("usage: korva-batch export-vtk"));
    EXPECT_EQ(Run({"export-vtk", "--binary", project, target}), 2);
    EXPECT_EQ(Run({"export-vtk", (folder / "missing.kvp").string(), target}), 1);
    EXPECT_FALSE(std::filesystem::exists(target));
}

} // namespace
} // namespace korva::test
