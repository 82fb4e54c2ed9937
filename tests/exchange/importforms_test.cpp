// The logic of the import dialogs without a window: the fields of the text
// grid settings and what they accept, and the raster choices.
#include "exchange/import/importsettingsform.h"
#include "exchange/import/rasterimportform.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vector>

namespace korva::test {
namespace {

using ::testing::HasSubstr;

TEST(ImportSettingsForm, ShowsTheDefaultsForAnEsriGrid) {
    const ImportSettingsForm form(3, true);
    EXPECT_EQ(form.LayerEntries(), (QStringList{"1", "2", "3"}));
    const ImportSettingsFields fields = form.FieldsOf(ImportSettings{});
    EXPECT_EQ(fields.linesToSkip, "6");
    EXPECT_EQ(fields.format, RowColumnFormat);
    EXPECT_TRUE(fields.reverseRows);
    EXPECT_EQ(fields.noDataValue, "-9999");
    EXPECT_EQ(fields.layerIndex, 0);
}

TEST(ImportSettingsForm, ReadsBackWhatItShows) {
    const ImportSettingsForm form(4, true);
    ImportSettings chosen;
    chosen.linesToSkip = 0;
    chosen.format = ColumnRowFormat;
    chosen.reverseRows = false;
    chosen.noDataValue = -1.5e30;
    chosen.layer = 3;
    ImportSettings read;
    QString message;
    ASSERT_TRUE(form.Read(form.FieldsOf(chosen), read, message)) << message.toStdString();
    EXPECT_EQ(read.linesToSkip, 0);
    EXPECT_EQ(read.format, ColumnRowFormat);
    EXPECT_FALSE(read.reverseRows);
    EXPECT_EQ(read.noDataValue, -1.5e30);
    EXPECT_EQ(read.layer, 3);
}

TEST(ImportSettingsForm, RefusesFieldsTheImportCannotUseAndNamesThem) {
    const ImportSettingsForm form(2, true);
    const ImportSettingsFields good = form.FieldsOf(ImportSettings{});
    struct Case {
        const char* what;
        std::function<void(ImportSettingsFields&)> spoil;
        const char* named;
    };
    const std::vector<Case> cases = {
        {"text", [](auto& f) { f.linesToSkip = "six"; }, "lines to skip"},
        {"negative", [](auto& f) { f.linesToSkip = "-1"; }, "lines to skip"},
        {"fraction", [](auto& f) { f.linesToSkip = "2.5"; }, "lines to skip"},
        {"huge", [](auto& f) { f.linesToSkip = "99999999999"; }, "lines to skip"},
        {"empty no-data", [](auto& f) { f.noDataValue = ""; }, "No Data Value"},
        {"word no-data", [](auto& f) { f.noDataValue = "none"; }, "No Data Value"},
        {"infinite no-data", [](auto& f) { f.noDataValue = "inf"; }, "No Data Value"},
        {"layer past the grid", [](auto& f) { f.layerIndex = 2; }, "layer from 1 to 2"},
        {"no format", [](auto& f) { f.format = -1; }, "order"},
    };
    for (const Case& c : cases) {
        ImportSettingsFields fields = good;
        c.spoil(fields);
        ImportSettings settings;
        settings.linesToSkip = 77; // must stay untouched by a refused read
        QString message;
        EXPECT_FALSE(form.Read(fields, settings, message)) << c.what;
        EXPECT_THAT(message.toStdString(), HasSubstr(c.named)) << c.what;
        EXPECT_EQ(settings.linesToSkip, 77) << c.what;
    }
}

TEST(ImportSettingsForm, WithoutALayerChoiceFillsTheOneLayer) {
    // A surface parameter: whatever layer the last import used, layer 0.
    const ImportSettingsForm form(5, false);
    ImportSettings last;
    last.layer = 4;
    ImportSettingsFields fields = form.FieldsOf(last);
    EXPECT_EQ(fields.layerIndex, 0);
    fields.layerIndex = 3;
    ImportSettings read;
    QString message;
    ASSERT_TRUE(form.Read(fields, read, message));
    EXPECT_EQ(read.layer, 0);
    // A layer the last grid had but this one has not shows the first.
    EXPECT_EQ(ImportSettingsForm(2, true).FieldsOf(last).layerIndex, 0);
}

RasterProbe Probe(int rows, int columns, int bands) {
    RasterProbe probe;
    probe.driver = "GTiff";
    probe.formatName = "GeoTIFF";
    probe.rows = rows;
    probe.columns = columns;
    probe.bands = bands;
    return probe;
}

TEST(RasterImportForm, SaysWhetherTheRasterIsResampledOntoTheGrid) {
    const RasterImportForm same(Probe(3, 4, 1), 3, 4, 2, true);
    EXPECT_FALSE(same.Resamples());
    EXPECT_THAT(same.Description().toStdString(), HasSubstr("GeoTIFF, 3 rows x 4 columns, 1 band"));
    EXPECT_THAT(same.Description().toStdString(), HasSubstr("one raster cell per grid cell"));

    const RasterImportForm finer(Probe(6, 8, 2), 3, 4, 2, true);
    EXPECT_TRUE(finer.Resamples());
    EXPECT_THAT(finer.Description().toStdString(), HasSubstr("2 bands"));
    EXPECT_THAT(finer.Description().toStdString(), HasSubstr("3 rows x 4 columns: the raster is "
                                                             "resampled"));
    // Only the column count differing is a resampling too.
    EXPECT_TRUE(RasterImportForm(Probe(3, 5, 1), 3, 4, 1, true).Resamples());
}

TEST(RasterImportForm, ReadsTheChosenEntries) {
    const RasterImportForm form(Probe(6, 8, 3), 3, 4, 5, true);
    EXPECT_EQ(form.BandEntries(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(form.LayerEntries().size(), 5);
    for (RasterResampling method :
         {RasterResampling::Nearest, RasterResampling::Average, RasterResampling::Bilinear})
        EXPECT_EQ(RasterImportForm::ResamplingAt(RasterImportForm::ResamplingEntry(method)),
                  method);
    EXPECT_EQ(RasterImportForm::ResamplingEntries().first(), "Average"); // the default first

    RasterImportSettings settings;
    QString message;
    ASSERT_TRUE(form.Read(2, RasterImportForm::ResamplingEntry(RasterResampling::Bilinear), false,
                          4, settings, message));
    EXPECT_EQ(settings.band, 3);
    EXPECT_EQ(settings.resampling, RasterResampling::Bilinear);
    EXPECT_FALSE(settings.reverseRows);
    EXPECT_EQ(settings.layer, 4);

    EXPECT_FALSE(form.Read(3, 0, true, 0, settings, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("band from 1 to 3"));
    EXPECT_FALSE(form.Read(0, 0, true, 5, settings, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("layer from 1 to 5"));
    // A surface parameter fills its one layer.
    ASSERT_TRUE(
        RasterImportForm(Probe(3, 4, 1), 3, 4, 5, false).Read(0, 0, true, 3, settings, message));
    EXPECT_EQ(settings.layer, 0);
}

} // namespace
} // namespace korva::test
