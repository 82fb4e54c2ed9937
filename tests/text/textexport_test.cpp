#include "files/text/textexport.h"
#include "files/text/textimport.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <sstream>

namespace korva {
namespace {

using ::testing::ElementsAre;

// A 3D model of 2 layers, 2 rows and 2 columns.
class TextExport : public ::testing::Test {
protected:
    void SetUp() override {
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(2, 10.0);
        ReaderContents(grid).columnSpacing.assign(2, 10.0);
        ReaderContents(grid).layerSpacing.assign(2, 100.0);
        grid.Resize(2, 2, 2);
    }
    std::string Parameter(int code) {
        std::ostringstream out;
        WriteParameterExport(grid, grid.ParameterIndexOfCode(code), out);
        return out.str();
    }
    KORVAOutputData Output(const std::string& name, int kind) {
        KORVAOutputData output;
        output.name = name;
        output.kind = kind;
        output.times.resize(2);
        output.times[1].month = 2;
        output.times[1].day = 1;
        output.times[1].year = 1990;
        for (auto& time : output.times) {
            time.values.Assign(kind == 3 ? 2 : 1, 2, 2);
            for (int l = 0; l < time.values.Layers(); ++l)
                for (int r = 0; r < 2; ++r) {
                    time.values(l, r, 0) = 1.5;
                    time.values(l, r, 1) = 2.5;
                }
        }
        output.times[1].values(0, 1, 1) = 0.000123456789;
        return output;
    }
    GridData grid;
};

TEST_F(TextExport, LayeredParameterWritesOneBlockPerLayerEachEndedByAnEmptyLine) {
    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    grid.SetValue(moisture, 0, 0, 0, 0.25);
    grid.SetValue(moisture, 0, 0, 1, 0.3);
    grid.SetValue(moisture, 0, 1, 0, 0.35);
    grid.SetValue(moisture, 0, 1, 1, 0.4);
    grid.SetValue(moisture, 1, 0, 0, 0.1);
    grid.SetValue(moisture, 1, 0, 1, 1e-5);
    grid.SetValue(moisture, 1, 1, 1, 123456.7);
    EXPECT_EQ(Parameter(GridData::InitialMoistureContent),
              "Parameter Initial Moisture Content, L,R,C = 2, 2, 2\n"
              "0.25\t0.3\t\n"
              "0.35\t0.4\t\n"
              "\n"
              "0.1\t1e-005\t\n"
              "-9999\t123457\t\n"
              "\n");
}

TEST_F(TextExport, SurfaceParameterWritesOneBlockWithTheGridsLayerCount) {
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    grid.SetValue(ground, 0, 0, 0, 10.5);
    grid.SetValue(ground, 0, 0, 1, 11);
    grid.SetValue(ground, 0, 1, 0, 12);
    grid.SetValue(ground, 0, 1, 1, -0.5);
    ReaderContents(grid).parameters.at(GridData::GroundElevation).name =
        "Ground (m)"; // a project may rename it
    EXPECT_EQ(Parameter(GridData::GroundElevation), "Parameter Ground (m), L,R,C = 2, 2, 2\n"
                                                    "10.5\t11\t\n"
                                                    "12\t-0.5\t\n");
}

TEST_F(TextExport, OutputsCarryTheirDate) {
    ReaderContents(grid).outputs.gridOutputs = {Output("US SALT CONCENTRATION", 3),
                                                Output("RY RELATIVE YIELD", 2)};
    std::ostringstream layered;
    WriteOutputExport(grid, 0, 1, layered);
    EXPECT_EQ(layered.str(), "Parameter US SALT CONCENTRATION, date 2/1/1990, L,R,C = 2, 2, 2\n"
                             "1.5\t2.5\t\n"
                             "1.5\t0.000123457\t\n"
                             "\n"
                             "1.5\t2.5\t\n"
                             "1.5\t2.5\t\n"
                             "\n");
    std::ostringstream surface;
    WriteOutputExport(grid, 1, 0, surface);
    EXPECT_EQ(surface.str(), "Parameter RY RELATIVE YIELD, date 0/0/0, L,R,C = 2, 2, 2\n"
                             "1.5\t2.5\t\n"
                             "1.5\t2.5\t\n");
    EXPECT_THROW(WriteOutputExport(grid, 2, 0, surface), std::out_of_range);
    EXPECT_THROW(WriteOutputExport(grid, 0, 2, surface), std::out_of_range);
}

TEST_F(TextExport, ResizedGridStillExportsWithoutReadingPastTheStore) {
    ReaderContents(grid).outputs.gridOutputs = {Output("RY RELATIVE YIELD", 2)};
    ReaderContents(grid).rowSpacing.assign(3, 10.0);
    grid.Resize(2, 3, 2);
    std::ostringstream out;
    WriteOutputExport(grid, 0, 0, out);
    EXPECT_EQ(out.str(), "Parameter RY RELATIVE YIELD, date 0/0/0, L,R,C = 2, 3, 2\n"
                         "1.5\t2.5\t\n"
                         "1.5\t2.5\t\n"
                         "-9999\t-9999\t\n");
}

TEST_F(TextExport, FailuresToCreateOrWriteTheFileAreReported) {
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    EXPECT_FALSE(ExportParameter(grid, ground, "/nonexistent/out.txt"));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(ExportParameter(grid, ground, "/dev/full"));
        EXPECT_THAT(sink.messages,
                    ElementsAre("Unable to open output export file /nonexistent/out.txt",
                                "Unable to write output export file /dev/full"));
    }
}

TEST_F(TextExport, ExportReadsBackThroughTheImport) {
    const int ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
    grid.SetValue(ground, 0, 0, 0, 1);
    grid.SetValue(ground, 0, 0, 1, 2);
    grid.SetValue(ground, 0, 1, 0, 3);
    grid.SetValue(ground, 0, 1, 1, 4);
    const auto path = std::filesystem::temp_directory_path() / "korva-export-roundtrip.txt";
    ASSERT_TRUE(ExportParameter(grid, ground, path.string()));
    GridData copy = grid;
    copy.ClearParameter(ground);
    ImportSettings settings;
    settings.linesToSkip = 1;
    settings.reverseRows = false;
    ASSERT_TRUE(ImportParameterFile(copy, ground, path.string(), settings));
    std::filesystem::remove(path);
    EXPECT_EQ(copy.Parameter(ground).values, grid.Parameter(ground).values);
}

} // namespace
} // namespace korva
