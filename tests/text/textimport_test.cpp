#include "files/text/textimport.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gmock/gmock.h>
#include <sstream>

namespace korva {
namespace {

using ::testing::ElementsAre;

// A 3D model of 3 layers of 100 cm, 2 rows and 3 columns.
class TextImport : public ::testing::Test {
protected:
    void SetUp() override {
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(2, 10.0);
        ReaderContents(grid).columnSpacing.assign(3, 10.0);
        ReaderContents(grid).layerSpacing.assign(3, 100.0);
        grid.Resize(3, 2, 3);
        ground = grid.ParameterIndexOfCode(GridData::GroundElevation);
        moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    }
    std::vector<double> Layer(int param, int layer) {
        std::vector<double> values;
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c) {
                double v = 0;
                grid.GetValue(param, layer, r, c, v);
                values.push_back(v);
            }
        return values;
    }
    std::size_t Import(int param, const std::string& text, const ImportSettings& settings) {
        std::istringstream in(text);
        return ImportParameterValues(grid, param, in, settings);
    }

    GridData grid;
    int ground = -1;
    int moisture = -1;
};

TEST_F(TextImport, DefaultsReadAnEsriAsciiGrid) {
    // The north row comes first in the file and is the grid's last row.
    const std::string asc = "ncols         3\n"
                            "nrows         2\n"
                            "xllcorner     431250.5\n"
                            "yllcorner     4216777.25\n"
                            "cellsize      10\n"
                            "NODATA_value  -9999\n"
                            "101.5 102 -9999\n"
                            "98.25 99 100\n";
    EXPECT_EQ(Import(ground, asc, ImportSettings{}), 6u);
    EXPECT_THAT(Layer(ground, 0), ElementsAre(98.25, 99, 100, 101.5, 102, NoDataValue));
    // The no-data cell does not count in the range.
    EXPECT_EQ(grid.Parameter(ground).minValue, 98.25);
    EXPECT_EQ(grid.Parameter(ground).maxValue, 102);
}

TEST_F(TextImport, CommasReadLikeSpaces) {
    ImportSettings settings;
    settings.linesToSkip = 1;
    settings.reverseRows = false;
    Import(ground, "x,y,z\n1,2,,3\n4 ,5,6",
           settings); // " ," stops the read: text where a number is due
    EXPECT_THAT(Layer(ground, 0), ElementsAre(1, 2, 3, 4, NoDataValue, NoDataValue));
    Import(ground, "h\n1,,,2\t3,\r\n4,5,6,\n", settings);
    EXPECT_THAT(Layer(ground, 0), ElementsAre(1, 2, 3, 4, 5, 6));
}

TEST_F(TextImport, ColumnRowOrderFillsColumnByColumn) {
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.format = ColumnRowFormat;
    Import(ground, "1 2 3 4 5 6", settings); // reversed: each column from the last row
    EXPECT_THAT(Layer(ground, 0), ElementsAre(2, 4, 6, 1, 3, 5));
    settings.reverseRows = false;
    Import(ground, "1 2 3 4 5 6", settings);
    EXPECT_THAT(Layer(ground, 0), ElementsAre(1, 3, 5, 2, 4, 6));
}

TEST_F(TextImport, ShortOrBrokenInputLeavesTheRestAsItWas) {
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.reverseRows = false;
    Import(ground, "9 9 9 9 9 9", settings);
    EXPECT_EQ(Import(ground, "1 2 abc 4", settings), 2u);
    EXPECT_THAT(Layer(ground, 0), ElementsAre(1, 2, 9, 9, 9, 9));
    EXPECT_EQ(Import(ground, "5 1e 6", settings), 1u);
    EXPECT_EQ(Import(ground, "7 inf", settings), 1u);
    EXPECT_EQ(Import(ground, "", settings), 0u);
    settings.linesToSkip = 10; // more header lines than the file has
    EXPECT_EQ(Import(ground, "1\n2\n", settings), 0u);
}

TEST_F(TextImport, NoDataValueIsTheUsersChoice) {
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.reverseRows = false;
    settings.noDataValue = -1;
    Import(ground, "1 -1 3 -9999 5 6", settings);
    EXPECT_THAT(Layer(ground, 0), ElementsAre(1, NoDataValue, 3, -9999, 5, 6));
}

TEST_F(TextImport, LayeredParameterFillsTheChosenLayerAndBelow) {
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.reverseRows = false;
    Import(moisture, "1 1 1 1 1 1", settings);
    settings.layer = 1;
    Import(moisture, "0.3 0.3 0.3 0.3 0.3 0.3", settings);
    EXPECT_THAT(Layer(moisture, 0), ElementsAre(1, 1, 1, 1, 1, 1));
    EXPECT_THAT(Layer(moisture, 2), ElementsAre(0.3, 0.3, 0.3, 0.3, 0.3, 0.3));
    settings.format = ColumnRowFormat;
    settings.layer = 2;
    Import(moisture, "0.1 0.2", settings);
    EXPECT_THAT(Layer(moisture, 1), ElementsAre(0.3, 0.3, 0.3, 0.3, 0.3, 0.3));
    EXPECT_THAT(Layer(moisture, 2), ElementsAre(0.1, 0.3, 0.3, 0.2, 0.3, 0.3));
    settings.layer = 3;
    EXPECT_THROW(Import(moisture, "1", settings), std::invalid_argument);
    EXPECT_THROW(Import(-1, "1", settings), std::invalid_argument);
}

TEST_F(TextImport, NoFlowElevationsMarkFromTheirLayerDown) {
    grid.AppendBoundary(NoFlowType, "wall", RgbColor{0, 0, 1});
    grid.AppendBoundary(NoFlowType, "rock", RgbColor{0, 0, 1});
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.reverseRows = false;
    std::istringstream in("1.0 3.5 -2 0.5 -9999 3.0");
    EXPECT_EQ(ImportBoundaryElevations(grid, NoFlowType, 2, in, settings), 6u);
    auto column = [&](int r, int c) {
        std::vector<int> marks;
        for (int k = 0; k < 3; ++k)
            marks.push_back(grid.GetBoundaryValue(NoFlowType, k, r, c));
        return marks;
    };
    // 100 cm from the bottom first exceeds 1 m at the middle layer.
    EXPECT_THAT(column(0, 0), ElementsAre(0, 2, 2));
    EXPECT_THAT(column(0, 1), ElementsAre(2, 2, 2)); // above the grid: every layer
    EXPECT_THAT(column(0, 2), ElementsAre(0, 0, 2)); // below the bottom: the bottom layer
    EXPECT_THAT(column(1, 0), ElementsAre(0, 0, 2));
    EXPECT_THAT(column(1, 1), ElementsAre(0, 0, 0)); // no data: left alone
    EXPECT_THAT(column(1, 2), ElementsAre(2, 2, 2)); // exactly the top: never exceeded

    std::istringstream drains("3 3 3 3 3 3");
    ImportBoundaryElevations(grid, DrainType, 1, drains, settings);
    EXPECT_EQ(grid.GetBoundaryValue(DrainType, 0, 0, 0), 0);
}

TEST_F(TextImport, UnreadableFileChangesNothing) {
    CollectingMessageSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_FALSE(ImportParameterFile(grid, ground, "/nonexistent/grid.txt", ImportSettings{}));
    EXPECT_FALSE(ImportBoundaryFile(grid, NoFlowType, 1, "/tmp", ImportSettings{}));
    EXPECT_THAT(sink.messages, ElementsAre("Unable to open file /nonexistent/grid.txt for reading.",
                                           "Unable to open file /tmp for reading."));
    EXPECT_THAT(Layer(ground, 0), ::testing::Each(NoDataValue));
}

} // namespace
} // namespace korva
