// A saved project must come back as the same model, every number rounded to
// 6 significant digits, whether it is read from memory, a stream or a file.
#include "files/project/projectfile.h"
#include "model/messages.h"
#include "projectfile_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace korva {
namespace {

using testing::ProjectText;
using testing::RichModel;

class ProjectRoundTrip : public ::testing::Test {
protected:
    testing::TimeSeriesGlobalsGuard globals;
    CollectingMessageSink sink;
    ScopedMessageSink scoped{sink};
};

TEST_F(ProjectRoundTrip, RichModelSurvivesSaveAndLoadRoundedToSixDigits) {
    TimeSeriesCellColor = {0.25, 0.5, 0.123456789};
    TimeSeriesDisplay = 0;
    const GridData original = RichModel();
    const std::string text = ProjectText(original);

    TimeSeriesCellColor = {0, 1, 0};
    TimeSeriesDisplay = 1;
    GridData grid;
    ASSERT_TRUE(ReadProjectText(grid, text, "rich.kvp"));
    EXPECT_TRUE(sink.messages.empty());

    // Everything the writer writes was read: saving again gives the same text.
    EXPECT_EQ(ProjectText(grid), text);

    EXPECT_EQ(grid.ModelKind(), 1);
    ASSERT_EQ(grid.NumRows(), 3);
    ASSERT_EQ(grid.NumColumns(), 4);
    ASSERT_EQ(grid.NumLayers(), 2);
    EXPECT_EQ(grid.RowSpacing()[0], 123.457);
    EXPECT_EQ(grid.LayerSpacing()[1], 250.5);
    EXPECT_EQ(grid.UniformSpacing(), 0);

    EXPECT_EQ(grid.Parameter(3).name, "Renamed Parameter");
    EXPECT_EQ(grid.Parameter(0).values(0, 1, 2), NoDataValue);
    EXPECT_EQ(grid.Parameter(1).values(1, 2, 3), 14.8977); // 2.4691356 + 10 + 2 + 3/7
    EXPECT_EQ(grid.Parameter(1).minValue, 2.46914);
    EXPECT_EQ(grid.Parameter(0).highColor[2], 0.333333);

    const BoundaryTypeData& drains = grid.Contents().boundaries[DrainType];
    ASSERT_EQ(drains.Count(), 2);
    EXPECT_EQ(drains.collectorIndex[0], 0);
    EXPECT_EQ(drains.collectorIndex[1], -1);
    EXPECT_EQ(grid.Memberships(DrainType).Get(1, 2, 2), 2);
    EXPECT_EQ(grid.Memberships(CollectorType).Get(1, 0, 3), 1);
    EXPECT_EQ(grid.Memberships(NoFlowType).Get(1, 1, 0), 99);
    EXPECT_EQ(grid.Contents().boundaries[NoFlowType].displayed[0], 0);
    EXPECT_EQ(grid.Contents().boundaries[BasinType].names[1], "east basin  ");
    EXPECT_EQ(grid.Memberships(InactiveType).Get(0, 0, 0), 1);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].flux[1], -1e-5);
    EXPECT_EQ(grid.Contents().boundaries[NaturalBoundaryType].waterQuality[1], 2.25);

    ASSERT_EQ(grid.Irrigation().size(), 2u);
    ASSERT_EQ(grid.Irrigation()[0].size(), 2u);
    EXPECT_EQ(grid.Irrigation()[0][1].month, 6);
    EXPECT_EQ(grid.Irrigation()[0][1].day, 1);
    EXPECT_EQ(grid.Irrigation()[0][1].saltConcentration, 0.333333);
    EXPECT_EQ(grid.YieldResponseFactors()[3][1], 1.2);
    EXPECT_EQ(grid.SalinityUpperBounds()[4][1], 10.5);
    ASSERT_EQ(grid.CropParams().size(), 2u);
    EXPECT_EQ(grid.CropParams()[1].cropName, "Alfalfa");
    EXPECT_EQ(grid.CropParams()[1].dateHarvest, 150.5);
    EXPECT_EQ(grid.CropBasins()[1].cropName, "Alfalfa");

    const SimulationSettings& s = grid.Settings();
    EXPECT_EQ(s.freeDiffusion, 1.2e-5);
    EXPECT_EQ(s.useSaltSolver, 0.0);
    EXPECT_EQ(s.waterCompressibility, 4.4e-10);
    EXPECT_EQ(s.pressureSaturationMethod, VAN_GENUCHTEN_PS);
    EXPECT_EQ(s.rootExtractionParams[8][4], 8.4);
    EXPECT_EQ(s.initialConditionsType, STATIC_EQUILIBRIUM);
    ASSERT_EQ(s.DailyETUsage.size(), 5u);
    EXPECT_EQ(s.DailyETUsage[2], 0.434568);

    ASSERT_EQ(grid.PrintList().size(), 3u);
    EXPECT_EQ(grid.PrintList()[1].month, 7);
    EXPECT_EQ(grid.PrintList()[1].day, 15);
    EXPECT_EQ(grid.TimeSeriesCellGrid().Get(0, 1, 2), (OutputParamDataItem{9, 4}));
    EXPECT_EQ(grid.CountTimeSeriesSelections(), 3);
    EXPECT_EQ(grid.GridOutputParamList(), (OutputParamDataItem{0, 2, 13}));
    EXPECT_EQ(grid.OutputBaseName(), "results run 1");
    EXPECT_EQ(grid.ZExaggeration(), 2.5);
    EXPECT_EQ(TimeSeriesCellColor[2], 0.123457);
    EXPECT_EQ(TimeSeriesDisplay, 0);
}

TEST_F(ProjectRoundTrip, LfLineEndsAndTheStreamOverloadReadTheSame) {
    const std::string text = ProjectText(RichModel());
    std::string lf;
    for (char c : text) {
        if (c != '\r') lf += c;
    }
    GridData fromLf;
    ASSERT_TRUE(ReadProjectText(fromLf, lf, "lf.kvp"));
    std::istringstream stream(text);
    GridData fromStream;
    ASSERT_TRUE(ReadProjectFile(fromStream, stream, "stream.kvp"));
    EXPECT_EQ(ProjectText(fromLf), text);
    EXPECT_EQ(ProjectText(fromStream), text);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ProjectRoundTrip, FileLargerThanTheReadWindowReadsAcrossRefills) {
    // Values, labels and lines cut by the end of the window must still read.
    GridData original;
    original.ResetModel(1);
    const int rows = 60, columns = 70, layers = 12;
    ReaderContents(original).rowSpacing.assign(rows, 10.0);
    ReaderContents(original).columnSpacing.assign(columns, 12.5);
    ReaderContents(original).layerSpacing.assign(layers, 25.0);
    original.Resize(layers, rows, columns);
    for (int p = 0; p < original.ParameterCount(); ++p) {
        ParameterData& parameter = ReaderContents(original).parameters.at(
            original.ParameterOrder()[static_cast<size_t>(p)]);
        for (int l = 0; l < parameter.values.Layers(); ++l)
            for (int r = 0; r < parameter.values.Rows(); ++r)
                for (int c = 0; c < parameter.values.Columns(); ++c)
                    parameter.values(l, r, c) =
                        0.001 * static_cast<double>(p * 100000 + r * 100 + c) + 1e-7;
        parameter.RecomputeRange();
    }
    ReaderContents(original).TimeSeriesCellGrid.Set(11, 59, 69, {13});
    const auto path = std::filesystem::temp_directory_path() / "korva_window_test.kvp";
    ASSERT_TRUE(WriteProjectFile(original, path.string()));
    ASSERT_GT(std::filesystem::file_size(path), 3u << 20);
    GridData grid;
    ASSERT_TRUE(ReadProjectFile(grid, path.string()));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(ProjectText(grid), ProjectText(original));
    std::filesystem::remove(path);
}

} // namespace
} // namespace korva
