// korva-batch import-raster on GeoTIFFs and ESRI ASCII grids written by the
// tests: the same cells as import-param of the text form, resampling, nodata,
// the layer rule, and refused input that leaves the output unwritten.
#include "cli/command.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gdal.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace korva::test {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr double Missing = -9999.0;

// Writes a one-band Float64 GeoTIFF of height x width values, value(row,
// column) with row 0 the first (northern) row.
void WriteGeoTiff(const std::string& path, int height, int width,
                  const std::function<double(int, int)>& value, int bands = 1) {
    GDALAllRegister();
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    ASSERT_NE(driver, nullptr);
    GDALDatasetH data =
        GDALCreate(driver, path.c_str(), width, height, bands, GDT_Float64, nullptr);
    ASSERT_NE(data, nullptr);
    std::vector<double> values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            values[static_cast<std::size_t>(r * width + c)] = value(r, c);
    for (int b = 1; b <= bands; ++b) {
        GDALRasterBandH band = GDALGetRasterBand(data, b);
        GDALSetRasterNoDataValue(band, Missing);
        EXPECT_EQ(GDALRasterIO(band, GF_Write, 0, 0, width, height, values.data(), width, height,
                               GDT_Float64, 0, 0),
                  CE_None);
    }
    GDALClose(data);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The same values as an ESRI ASCII grid, as a GIS writes it.
std::string AsciiGrid(int height, int width, const std::function<double(int, int)>& value) {
    std::ostringstream text;
    text.precision(17);
    text << "ncols " << width << "\nnrows " << height
         << "\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n";
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c)
            text << value(r, c) << (c + 1 < width ? " " : "\n");
    }
    return text.str();
}

class RasterImport : public ::testing::Test {
protected:
    // 2 layers x 3 rows x 4 columns.
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("korva-raster-" + std::string(info->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        GridData grid;
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(3, 10.0);
        ReaderContents(grid).columnSpacing.assign(4, 10.0);
        ReaderContents(grid).layerSpacing.assign(2, 100.0);
        grid.Resize(2, 3, 4);
        project = path("field.kvp");
        target = path("out.kvp");
        ASSERT_TRUE(WriteProjectFile(grid, project));
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    int Run(const cli::Arguments& args) {
        std::ostringstream outStream, errStream;
        cli::CommandContext context{outStream, errStream, ""};
        const int status = cli::RunTool(args, context);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
    // Every value of parameter name in the project at file, layer by layer.
    std::vector<double> Values(const std::string& file, const std::string& name) {
        GridData grid;
        EXPECT_TRUE(ReadProjectFile(grid, file));
        std::vector<double> values;
        int param = -1;
        for (int p = 0; p < grid.ParameterCount(); ++p)
            if (grid.Parameter(p).name == name ||
                GridData::ParameterDisplayName(
                    grid.ParameterOrder()[static_cast<std::size_t>(p)]) == name)
                param = p;
        EXPECT_GE(param, 0) << name;
        for (int l = 0; l < grid.NumLayers(); ++l)
            for (int r = 0; r < grid.NumRows(); ++r)
                for (int c = 0; c < grid.NumColumns(); ++c) {
                    double v = 0;
                    grid.GetValue(param, l, r, c, v);
                    values.push_back(v);
                }
        return values;
    }

    fs::path folder;
    std::string project;
    std::string target;
    std::string out;
    std::string err;
};

double Field(int r, int c) {
    if (r == 1 && c == 2) return Missing;
    return 1.25 + 10.0 * r + c + 1e-7 * (r * 4 + c); // digits a short print would lose
}

TEST_F(RasterImport, GeoTiffAndAsciiGridGiveWhatTheTextImportGives) {
    WriteGeoTiff(path("field.tif"), 3, 4, Field);
    WriteText(path("field.asc"), AsciiGrid(3, 4, Field));
    const std::string k = "Horizontal Hydraulic Conductivity";

    ASSERT_EQ(Run({"import-param", project, k, path("field.asc"), path("text.kvp")}), 0) << err;
    const std::vector<double> expected = Values(path("text.kvp"), k);
    // The raster's first row is the grid's last.
    EXPECT_EQ(expected[2 * 4 + 0], Field(0, 0));
    EXPECT_EQ(expected[1 * 4 + 2], Missing);

    ASSERT_EQ(Run({"import-raster", project, k, path("field.tif"), target}), 0) << err;
    EXPECT_EQ(out, ""); // same size: nothing resampled
    EXPECT_EQ(Values(target, k), expected);
    ASSERT_EQ(Run({"import-raster", project, k, path("field.asc"), target}), 0) << err;
    EXPECT_EQ(Values(target, k), expected);

    ASSERT_EQ(
        Run({"import-param", "--no-reverse", project, k, path("field.asc"), path("text.kvp")}), 0);
    ASSERT_EQ(Run({"import-raster", "--no-reverse", project, k, path("field.tif"), target}), 0);
    EXPECT_EQ(Values(target, k), Values(path("text.kvp"), k));
}

TEST_F(RasterImport, NoDataKeepsTheCellAndALayerFillsThoseBelow) {
    const std::string k = "Horizontal Hydraulic Conductivity";
    WriteGeoTiff(path("ones.tif"), 3, 4, [](int, int) { return 1.0; });
    ASSERT_EQ(Run({"import-raster", project, k, path("ones.tif"), path("ones.kvp")}), 0) << err;
    WriteGeoTiff(path("field.tif"), 3, 4, Field);
    ASSERT_EQ(
        Run({"import-raster", "--layer", "2", path("ones.kvp"), k, path("field.tif"), target}), 0)
        << err;
    const std::vector<double> values = Values(target, k);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(values[static_cast<std::size_t>(i)], 1.0) << "layer 1 untouched, cell " << i;
    EXPECT_EQ(values[12 + 2 * 4 + 0], Field(0, 0));
    EXPECT_EQ(values[12 + 1 * 4 + 2], 1.0); // nodata: kept

    EXPECT_EQ(Run({"import-raster", "--layer", "3", project, k, path("field.tif"), target}), 1);
    EXPECT_THAT(err, HasSubstr("no layer 3; the grid has 2"));
}

TEST_F(RasterImport, LargerRasterIsAveragedOverItsBlocks) {
    // 6 x 8 cells onto 3 x 4: each grid cell is the mean of a 2 x 2 block.
    auto fine = [](int r, int c) { return static_cast<double>(r * 8 + c) * 4.0; };
    WriteGeoTiff(path("fine.tif"), 6, 8, fine);
    const std::string k = "Initial Moisture Content";
    ASSERT_EQ(Run({"import-raster", project, k, path("fine.tif"), target}), 0) << err;
    EXPECT_EQ(out, "Resampled the raster's 6 rows x 8 columns onto the grid's 3 rows x 4 "
                   "columns (average)\n");
    const std::vector<double> values = Values(target, k);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            const double mean = (fine(2 * r, 2 * c) + fine(2 * r, 2 * c + 1) +
                                 fine(2 * r + 1, 2 * c) + fine(2 * r + 1, 2 * c + 1)) /
                                4.0;
            EXPECT_DOUBLE_EQ(values[static_cast<std::size_t>((2 - r) * 4 + c)], mean)
                << r << "," << c;
        }
    ASSERT_EQ(Run({"import-raster", "--resample", "nearest", project, k, path("fine.tif"), target}),
              0);
    EXPECT_THAT(out, HasSubstr("(nearest)"));
}

TEST_F(RasterImport, RefusedInputWritesNothing) {
    const std::string k = "Initial Moisture Content";
    WriteText(path("notes.txt"), "no raster here\n");
    EXPECT_EQ(Run({"import-raster", project, k, path("notes.txt"), target}), 1);
    EXPECT_THAT(err, HasSubstr("cannot read " + path("notes.txt") + " as a raster"));
    EXPECT_EQ(Run({"import-raster", project, k, path("missing.tif"), target}), 1);
    EXPECT_THAT(err, HasSubstr("cannot read " + path("missing.tif")));

    WriteGeoTiff(path("field.tif"), 3, 4, Field);
    EXPECT_EQ(Run({"import-raster", "--band", "2", project, k, path("field.tif"), target}), 1);
    EXPECT_THAT(err, HasSubstr("has 1 band; there is no band 2"));

    WriteGeoTiff(path("strip.tif"), 1, 4, Field);
    EXPECT_EQ(Run({"import-raster", project, k, path("strip.tif"), target}), 1);
    EXPECT_THAT(err, HasSubstr("has 1 row and 4 columns; it cannot cover the grid's 3 rows"));

    // A header that claims a grid far beyond any disk.
    WriteText(path("huge.asc"),
              "ncols 2000000000\nnrows 2000000000\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n");
    EXPECT_EQ(Run({"import-raster", project, k, path("huge.asc"), target}), 1);
    EXPECT_THAT(err, HasSubstr("huge.asc"));

    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(Run({"import-raster", "--resample", "cubic", project, k, path("field.tif"), target}),
              2);
    EXPECT_EQ(Run({"import-raster", "--band", "0", project, k, path("field.tif"), target}), 2);
    EXPECT_FALSE(fs::exists(target));
}

} // namespace
} // namespace korva::test
