// Filling a parameter from a file in the desktop program: a text grid and a
// GeoTIFF into the same cells, one step of the history each that undo takes
// back, the resampling the user is told about, and files that give a message
// and leave the model as it was.
#include "app/document/korvadoc.h"
#include "exchange/import/importsettingsdlg.h"
#include "exchange/import/parameterimport.h"
#include "exchange/import/rasterimportdlg.h"
#include "exchangetesthelpers.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "tests/app/scriptedprompter.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace korva::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

// 3 layers x 2 rows x 3 columns; the rows of a file run north to south, the
// grid's from south to north.
class ParameterImport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        GridData grid;
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(2, 10.0);
        ReaderContents(grid).columnSpacing.assign(3, 10.0);
        ReaderContents(grid).layerSpacing.assign(3, 100.0);
        grid.Resize(3, 2, 3);
        const QString project = Path("field.kvp");
        ASSERT_TRUE(WriteProjectFile(grid, project.toStdString()));
        ASSERT_TRUE(document.OnOpenDocument(project));
        ground = document.Grid().ParameterIndexOfCode(GridData::GroundElevation);
        moisture = document.Grid().ParameterIndexOfCode(GridData::InitialMoistureContent);
        ASSERT_GE(ground, 0);
        ASSERT_GE(moisture, 0);
    }
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    std::vector<double> Layer(int param, int layer) const {
        std::vector<double> values;
        const GridData& grid = document.Grid();
        for (int r = 0; r < grid.NumRows(); ++r)
            for (int c = 0; c < grid.NumColumns(); ++c) {
                double v = 0;
                grid.GetValue(param, layer, r, c, v);
                values.push_back(v);
            }
        return values;
    }
    // The moisture grid in its three layers.
    std::vector<double> Moisture() const {
        std::vector<double> all;
        for (int k = 0; k < 3; ++k) {
            const std::vector<double> layer = Layer(moisture, k);
            all.insert(all.end(), layer.begin(), layer.end());
        }
        return all;
    }

    QTemporaryDir folder;
    ScriptedPrompter prompts;
    CKORVADoc document;
    int ground = -1;
    int moisture = -1;
};

// The values north row first, as a GIS writes them.
const std::string Grid2x3 = "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 10\n"
                            "NODATA_value -9999\n0.31 0.32 -9999\n0.21 0.22 0.23\n";

TEST_F(ParameterImport, ATextGridIsOneStepThatUndoTakesBack) {
    const std::vector<double> before = Moisture();
    WriteText(Path("moisture.txt").toStdString(), Grid2x3);
    ImportSettings settings;
    settings.layer = 1; // the second layer and the one below it
    const ParameterImportResult result =
        ImportParameterText(document, moisture, Path("moisture.txt"), settings);
    EXPECT_TRUE(result.imported);
    EXPECT_TRUE(result.message.isEmpty()) << result.message.toStdString();
    EXPECT_EQ(Layer(moisture, 0), std::vector<double>(before.begin(), before.begin() + 6));
    for (int k : {1, 2})
        EXPECT_THAT(Layer(moisture, k), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, NoDataValue));
    EXPECT_EQ(document.UndoStack()->count(), 1);
    EXPECT_TRUE(document.IsModified());

    document.UndoStack()->undo();
    EXPECT_EQ(Moisture(), before);
    EXPECT_FALSE(document.IsModified());
    document.UndoStack()->redo();
    EXPECT_THAT(Layer(moisture, 2), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, NoDataValue));
}

TEST_F(ParameterImport, AGeoTiffFillsTheCellsTheTextFormFills) {
    // The same values as the text grid, north row first.
    const double values[2][3] = {{0.31, 0.32, -9999}, {0.21, 0.22, 0.23}};
    ASSERT_TRUE(WriteGeoTiff(Path("moisture.tif").toStdString(), 2, 3,
                             [&](int r, int c) { return values[r][c]; }));
    WriteText(Path("moisture.txt").toStdString(), Grid2x3);

    ASSERT_TRUE(ImportParameterText(document, moisture, Path("moisture.txt"), {}).imported);
    const std::vector<double> fromText = Moisture();
    document.UndoStack()->undo();
    const std::vector<double> before = Moisture();

    const ParameterImportResult result =
        ImportParameterRaster(document, moisture, Path("moisture.tif"), {});
    ASSERT_TRUE(result.imported) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty()) << result.message.toStdString();
    // The raster's nodata cell keeps its value; the text's -9999 becomes
    // "no data": the two differ only there.
    std::vector<double> fromRaster = Moisture();
    for (std::size_t i = 0; i < fromRaster.size(); ++i) {
        if (fromText[i] == NoDataValue)
            EXPECT_EQ(fromRaster[i], before[i]);
        else
            EXPECT_EQ(fromRaster[i], fromText[i]) << i;
    }
    document.UndoStack()->undo();
    EXPECT_EQ(Moisture(), before);
}

TEST_F(ParameterImport, ARasterOfAnotherSizeIsResampledAndTheUserIsTold) {
    // Twice the grid's size: each grid cell averages a 2 x 2 block.
    ASSERT_TRUE(WriteGeoTiff(Path("fine.tif").toStdString(), 4, 6,
                             [](int r, int c) { return 10.0 * r + c; }));
    RasterImportSettings settings;
    settings.resampling = RasterResampling::Average;
    const ParameterImportResult result =
        ImportParameterRaster(document, ground, Path("fine.tif"), settings);
    ASSERT_TRUE(result.imported) << result.message.toStdString();
    EXPECT_FALSE(result.warning);
    EXPECT_THAT(result.message.toStdString(),
                HasSubstr("4 rows x 6 columns were resampled onto the grid's 2 rows x 3 columns "
                          "(average)"));
    // The raster's first two rows (means 5.5, 7.5, 9.5) are the grid's last row.
    EXPECT_THAT(Layer(ground, 0), ElementsAre(25.5, 27.5, 29.5, 5.5, 7.5, 9.5));
}

TEST_F(ParameterImport, BadFilesGiveAMessageAndLeaveTheModelAsItWas) {
    const std::vector<double> before = Moisture();
    struct Case {
        const char* what;
        std::function<ParameterImportResult()> run;
        const char* message;
    };
    WriteText(Path("words.txt").toStdString(), "a\nb\nc\nd\ne\nf\nnot numbers here\n");
    WriteText(Path("fake.tif").toStdString(), "II*\0 this is no TIFF");
    const std::vector<Case> cases = {
        {"missing file",
         [&] { return ImportParameterText(document, moisture, Path("none.txt"), {}); },
         "Unable to open file"},
        {"a folder", [&] { return ImportParameterText(document, moisture, folder.path(), {}); },
         "Unable to open file"},
        {"no numbers",
         [&] { return ImportParameterText(document, moisture, Path("words.txt"), {}); },
         "No number could be read"},
        {"broken raster",
         [&] { return ImportParameterRaster(document, moisture, Path("fake.tif"), {}); },
         "Cannot import"},
        {"missing band",
         [&] {
             RasterImportSettings settings;
             settings.band = 2;
             WriteGeoTiff(Path("one.tif").toStdString(), 2, 3, [](int, int) { return 1.0; });
             return ImportParameterRaster(document, moisture, Path("one.tif"), settings);
         },
         "no band 2"},
        {"all nodata",
         [&] {
             WriteGeoTiff(Path("empty.tif").toStdString(), 2, 3, [](int, int) { return -9999.0; });
             return ImportParameterRaster(document, moisture, Path("empty.tif"), {});
         },
         "without data"},
    };
    for (const Case& c : cases) {
        const ParameterImportResult result = c.run();
        EXPECT_FALSE(result.imported) << c.what;
        EXPECT_TRUE(result.warning) << c.what;
        EXPECT_THAT(result.message.toStdString(), HasSubstr(c.message)) << c.what;
        EXPECT_EQ(Moisture(), before) << c.what;
        EXPECT_EQ(document.UndoStack()->count(), 0) << c.what;
    }
}

TEST_F(ParameterImport, AShortFileFillsWhatItHoldsAndSaysSo) {
    WriteText(Path("short.txt").toStdString(), "0.5 0.6\n0.7\n");
    ImportSettings settings;
    settings.linesToSkip = 0;
    settings.reverseRows = false;
    const ParameterImportResult result =
        ImportParameterText(document, ground, Path("short.txt"), settings);
    EXPECT_TRUE(result.imported);
    EXPECT_TRUE(result.warning);
    EXPECT_THAT(result.message.toStdString(), HasSubstr("Only 3 of the grid's 6 values"));
    const std::vector<double> layer = Layer(ground, 0);
    EXPECT_THAT(std::vector<double>(layer.begin(), layer.begin() + 3), ElementsAre(0.5, 0.6, 0.7));
    EXPECT_EQ(document.UndoStack()->count(), 1);
}

TEST_F(ParameterImport, TheCommandAsksForTheFileAndShowsTheDialogThatFitsIt) {
    // Numbers under six header lines of a spreadsheet's making: a text grid.
    WriteText(Path("moisture.txt").toStdString(),
              "exported\nfrom\na\nspreadsheet\n\n\n0.31 0.32 -9999\n0.21 0.22 0.23\n");
    ASSERT_TRUE(WriteGeoTiff(Path("fine.tif").toStdString(), 4, 6,
                             [](int r, int c) { return 10.0 * r + c; }));

    // A text grid: the "Import Settings" dialog, told the three layers.
    prompts.files = {Path("moisture.txt")};
    WhenDialogOpens<ImportSettingsDlg>([](ImportSettingsDlg& dialog) {
        Screenshot(dialog, "import-settings");
        ImportSettingsFields fields = dialog.Fields();
        EXPECT_EQ(fields.linesToSkip, "6");
        fields.layerIndex = 2;
        dialog.SetFields(fields);
        dialog.accept();
    });
    EXPECT_TRUE(RunParameterImport(document, moisture, nullptr));
    EXPECT_THAT(prompts.filters.back().toStdString(),
                HasSubstr("Space-delimited input files (*.txt)"));
    EXPECT_THAT(Layer(moisture, 2), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, NoDataValue));
    EXPECT_NE(Layer(moisture, 1)[0], 0.21);

    // A raster: its own dialog; the resampling is reported.
    prompts.files = {Path("fine.tif")};
    WhenDialogOpens<RasterImportDlg>([](RasterImportDlg& dialog) {
        Screenshot(dialog, "raster-import-settings");
        EXPECT_TRUE(dialog.ResamplingChoice()->isEnabled());
        dialog.ResamplingChoice()->setCurrentIndex(
            RasterImportForm::ResamplingEntry(RasterResampling::Nearest));
        dialog.accept();
    });
    prompts.messages.clear();
    EXPECT_TRUE(RunParameterImport(document, ground, nullptr));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_THAT(prompts.messages[0].toStdString(), HasSubstr("(nearest)"));
    EXPECT_EQ(document.UndoStack()->count(), 2);

    // An ESRI ASCII grid is a raster GDAL reads: the raster dialog, here
    // without resampling.
    WriteText(Path("moisture.asc").toStdString(), Grid2x3);
    prompts.files = {Path("moisture.asc")};
    WhenDialogOpens<RasterImportDlg>([](RasterImportDlg& dialog) {
        EXPECT_FALSE(dialog.ResamplingChoice()->isEnabled());
        dialog.LayerChoice()->setCurrentIndex(0);
        dialog.accept();
    });
    EXPECT_TRUE(RunParameterImport(document, moisture, nullptr));
    EXPECT_THAT(Layer(moisture, 0),
                ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, Layer(moisture, 1)[5]));
    EXPECT_EQ(document.UndoStack()->count(), 3);

    // Cancelling the dialog or the file chooser changes nothing.
    prompts.files = {Path("moisture.txt")};
    WhenDialogOpens<ImportSettingsDlg>([](ImportSettingsDlg& dialog) { dialog.reject(); });
    EXPECT_FALSE(RunParameterImport(document, moisture, nullptr));
    prompts.files.clear();
    EXPECT_FALSE(RunParameterImport(document, moisture, nullptr));
    EXPECT_EQ(document.UndoStack()->count(), 3);

    // A file that cannot be opened is named before any dialog.
    prompts.files = {Path("gone.txt")};
    prompts.messages.clear();
    EXPECT_FALSE(RunParameterImport(document, moisture, nullptr));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "Unable to open file " + Path("gone.txt") + " for reading.");
}

TEST_F(ParameterImport, TheSettingsDialogKeepsAWrongFieldOpenAndNamesIt) {
    ImportSettingsDlg dialog(ImportSettingsForm(3, true), ImportSettings{});
    ImportSettingsFields fields = dialog.Fields();
    fields.noDataValue = "n/a";
    dialog.SetFields(fields);
    dialog.open();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_THAT(prompts.messages[0].toStdString(), HasSubstr("No Data Value"));
    fields.noDataValue = "-1";
    dialog.SetFields(fields);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Settings().noDataValue, -1.0);
}

} // namespace
} // namespace korva::test
