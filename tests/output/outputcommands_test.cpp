// korva-batch outputs, export-param, export-output, import-param and
// import-boundary on a small project with a finished run beside it.
#include "cli/command.h"
#include "files/project/projectfile.h"
#include "outputfixture.h"
#include "tests/gridrows.h"

#include <gmock/gmock.h>
#include <sstream>

namespace korva::test {
namespace {

using ::testing::HasSubstr;

class OutputCommands : public OutputFolder {
protected:
    void SetUp() override {
        OutputFolder::SetUp();
        project = (folder / "field.kvp").string();
        ReaderContents(grid).OutputBaseName = "run"; // relative: beside the project
        const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                grid.SetValue(ground, 0, r, c, 10.0 + r * 3 + c);
        grid.AppendBoundary(NoFlowType, "wall", RgbColor{0, 0, 1});
        ASSERT_TRUE(WriteProjectFile(grid, project));
        Write(base + ".day", "0 60\n2\n31\n45\n");
        Write(base + "-1.kvo", KvoText("US SALT CONCENTRATION", 1, "WE WATER TABLE ELEVATION", 5));
        Write(base + "-2.kvo", KvoText("US SALT CONCENTRATION", 2, "WE WATER TABLE ELEVATION", 6));
        Write(base + "_US.tss", "US_x1y1z1:\n0 1\n1 2\n\nAverage:\n0 1.5\n");
    }
    int Run(const cli::Arguments& args) {
        std::ostringstream outStream, errStream;
        cli::CommandContext context{outStream, errStream, ""};
        const int status = cli::RunTool(args, context);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
    std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    GridData Reread(const std::string& path) {
        GridData copy;
        EXPECT_TRUE(ReadProjectFile(copy, path));
        return copy;
    }

    std::string project;
    std::string out;
    std::string err;
};

TEST_F(OutputCommands, OutputsListsQuantitiesTimesAndSeries) {
    ASSERT_EQ(Run({"outputs", project}), 0) << err;
    EXPECT_THAT(out, HasSubstr("Output base: " + base + "\n"));
    EXPECT_THAT(out, HasSubstr("  0 \"US SALT CONCENTRATION\" per layer, range 1 .. 13\n"));
    // Ground 10..15 less elevations 5..11: depths of 4 and 5 m.
    EXPECT_THAT(out, HasSubstr("  1 \"WE WATER TABLE ELEVATION\" surface, range 4 .. 5"));
    EXPECT_THAT(out, HasSubstr("Times: 2\n  0 day 31 2/1/1990\n  1 day 45 2/15/1990\n"));
    EXPECT_THAT(out, HasSubstr("1 cell series, 1 average series\n"
                               "    cell \"_x1y1z1\": 2 values, times 0 .. 1\n"
                               "    average \"Average\": 1 values"));
}

TEST_F(OutputCommands, ExportOutputByCodeAndTime) {
    const std::string target = (folder / "salt.txt").string();
    ASSERT_EQ(Run({"export-output", project, "us", "1", target}), 0) << err;
    EXPECT_EQ(ReadText(target), "Parameter US SALT CONCENTRATION, date 2/15/1990, L,R,C = 2, 2, 3\n"
                                "2\t3\t4\t\n5\t6\t7\t\n\n8\t9\t10\t\n11\t12\t13\t\n\n");
    EXPECT_EQ(Run({"export-output", project, "1", "0", target}), 0) << err;
    EXPECT_THAT(ReadText(target), HasSubstr("date 2/1/1990"));

    EXPECT_EQ(Run({"export-output", project, "XX", "0", target}), 1);
    EXPECT_THAT(err, HasSubstr("no output quantity 'XX'; the outputs hold:\n  0 US SALT"));
    EXPECT_EQ(Run({"export-output", project, "0", "2", target}), 1);
    EXPECT_THAT(err, HasSubstr("no output time 2; there are 2 (0 to 1)"));
    EXPECT_EQ(Run({"export-output", project, "0", "-1", target}), 2);
}

TEST_F(OutputCommands, ProjectWithoutRunFails) {
    ReaderContents(grid).OutputBaseName.clear();
    ASSERT_TRUE(WriteProjectFile(grid, project));
    EXPECT_EQ(Run({"outputs", project}), 1);
    EXPECT_THAT(err, HasSubstr("names no output base"));
}

TEST_F(OutputCommands, ExportParamByNameOrPosition) {
    const std::string target = (folder / "ground.txt").string();
    ASSERT_EQ(Run({"export-param", project, "ground elevation", target}), 0) << err;
    EXPECT_EQ(ReadText(target), "Parameter Ground Elevation, L,R,C = 2, 2, 3\n"
                                "10\t11\t12\t\n13\t14\t15\t\n");
    ASSERT_EQ(Run({"export-param", project, "0", target}), 0) << err;
    EXPECT_EQ(Run({"export-param", project, "Elevation", target}), 1);
    EXPECT_THAT(err, HasSubstr("no parameter 'Elevation'; the project has:\n  0 Ground Elevation"));
}

TEST_F(OutputCommands, ImportParamWithDefaultsAndOptions) {
    const std::string asc = (folder / "dem.asc").string();
    Write(asc, "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n"
               "4 5 6\n1 2 -9999\n");
    const std::string changed = (folder / "changed.kvp").string();
    ASSERT_EQ(Run({"import-param", project, "Ground Elevation", asc, changed}), 0) << err;
    GridData copy = Reread(changed);
    const int ground = copy.ParameterIndexOfCode(GridData::GroundElevation);
    EXPECT_EQ(testing::LayerRows(copy.Parameter(ground).values, 0),
              (std::vector<std::vector<double>>{{1, 2, NoDataValue}, {4, 5, 6}}));

    const std::string csv = (folder / "moisture.csv").string();
    Write(csv, "0.1,0.2,0.3,0.4,0.5,0.6\n");
    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    ASSERT_EQ(Run({"import-param", "--skip", "0", "--format", "column-row", "--no-reverse",
                   "--layer", "2", project, std::to_string(moisture), csv, changed}),
              0)
        << err;
    copy = Reread(changed);
    EXPECT_EQ(copy.Parameter(moisture).values(0, 0, 0), NoDataValue);
    EXPECT_EQ(testing::LayerRows(copy.Parameter(moisture).values, 1),
              (std::vector<std::vector<double>>{{0.1, 0.3, 0.5}, {0.2, 0.4, 0.6}}));

    Write(csv, "7 8\n");
    ASSERT_EQ(Run({"import-param", "--skip", "0", project, "Ground Elevation", csv, changed}), 0);
    EXPECT_THAT(err, HasSubstr("read 2 of 6 values; the other cells keep their values"));
}

TEST_F(OutputCommands, ImportOptionsAreChecked) {
    const std::string changed = (folder / "changed.kvp").string();
    EXPECT_EQ(Run({"import-param", "--format", "rows", project, "0", "x.txt", changed}), 2);
    EXPECT_THAT(err, HasSubstr("--format is row-column or column-row"));
    EXPECT_EQ(Run({"import-param", "--skip", "-1", project, "0", "x.txt", changed}), 2);
    EXPECT_EQ(Run({"import-param", "--nodata", "none", project, "0", "x.txt", changed}), 2);
    EXPECT_EQ(Run({"import-param", "--layer", "3", project, "0", "x.txt", changed}), 1);
    EXPECT_THAT(err, HasSubstr("no layer 3; the grid has 2"));
    EXPECT_EQ(Run({"import-boundary", "--layer", "1", project, "4", "1", "x.txt", changed}), 2);

    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_EQ(Run({"import-param", project, "0", (folder / "none.txt").string(), changed}), 1);
    EXPECT_THAT(sink.messages,
                ::testing::ElementsAre("Unable to open file " + (folder / "none.txt").string() +
                                       " for reading."));
    EXPECT_FALSE(std::filesystem::exists(changed));
}

TEST_F(OutputCommands, ImportBoundaryMarksNoFlowCells) {
    const std::string grid2 = (folder / "rock.txt").string();
    // Elevations in m over a 2 m grid of two 100 cm layers.
    Write(grid2, "1.5 0.5 3 -9999 0 0\n");
    const std::string changed = (folder / "changed.kvp").string();
    ASSERT_EQ(Run({"import-boundary", "--skip", "0", "--no-reverse", project, "no-flow", "1", grid2,
                   changed}),
              0)
        << err;
    GridData copy = Reread(changed);
    EXPECT_EQ(testing::LayerRows(copy.Memberships(NoFlowType), 0),
              (std::vector<std::vector<int32_t>>{{1, 0, 1}, {0, 0, 0}}));
    EXPECT_EQ(testing::LayerRows(copy.Memberships(NoFlowType), 1),
              (std::vector<std::vector<int32_t>>{{1, 1, 1}, {0, 1, 1}}));

    EXPECT_EQ(Run({"import-boundary", project, "No Flow", "2", grid2, changed}), 1);
    EXPECT_THAT(err, HasSubstr("Please select the boundary to populate.\n"));
    EXPECT_EQ(Run({"import-boundary", project, "Lake", "1", grid2, changed}), 2);
}

} // namespace
} // namespace korva::test
