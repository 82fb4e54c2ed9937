// The exact text of a new project, written out line by line: any change of a
// label, a space, a line end or the order of sections breaks files that other
// programs and older versions of this one read.
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korva {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string NewParameterBlock(const std::string& name) {
    return Lines({"parameter name = " + name, "min, max color = 1 0 0 0 1 0",
                  "layer data = ", "-9999 ", ""});
}

std::string NewProjectText(int kind, const std::vector<std::string>& parameterNames) {
    std::string text = Lines({
        "file version = 2.5",
        "model (0 -> original(2d), 1 -> modified (3d)) =" + std::to_string(kind),
        "nrows = 1 ncolumns = 1 nlayers = 1",
        "spacings for row = 100 ",
        "spacings for column = 100 ",
        "spacings for layer = 100 ",
        "",
    });
    for (const auto& name : parameterNames)
        text += NewParameterBlock(name);
    for (const char* type :
         {"Natural Boundary", "Drain", "Collector", "Basin", "No Flow", "Inactive"}) {
        text += Lines({std::string("current boundary type = ") + type,
                       "number of boundaries for this type =0"});
    }
    text += Lines({
        "simulation parameters:",
        "free diffusion = 0",
        "irrigation time step = 0",
        "simulation time step = 0",
        "porosity = 0",
        "simulation year = 1990",
        "simulation start = 0",
        "simulation end = 0",
        "tolerance level 1 = 0",
        "tolerance level 2 = 0",
        "tortuosity = 0",
        "kv_kh_rat = 1",
        "water compressibility = 0",
        "longitudinal, horizontal, vertical dispersion = 0 0 0",
        "use salt solver = 1",
        "pressure saturation method (0->BROOKS_COREY, 1->VAN_GENUCHTEN,",
        "  2->HAVERKAMP) = 0",
        "pore size = 0 0 0",
        "residual moisture = 0 0 0",
        "scale length = 0 0 0",
        "root growth method (0->RASMUSSEN_HANKS, 1->FERERES,",
        "   2->HANKS_HILL, 3->BORG_GRIMES, 4->SCHOUWENAARS) = 0",
        "empirical constant 1 (1 for each of the five types) = 0 0 0 0 0",
        "empirical constant 2 (1 for each of the five types) = 0 0 0 0 0",
        "root extraction method (0->VAN_GENUCHTEN, 1->MOLZ_REMSON,",
        "  2->HILLEL, 3->VS2DT, 4->FEDDES, 5->GARDNER, ",
        "  6->WHISLER, 7->HERKELRATH, 8->VAN_GENUCHTEN_HOFFMAN) = 0",
    });
    for (int m = 0; m < 9; ++m) {
        text +=
            Lines({"root extraction parameters for method " + std::to_string(m) + " = 0 0 0 0 0"});
    }
    text += Lines({
        "crop yield method (0->YIELD_MODEL_1) = 0",
        "ET period=0 0",
        "daily ET usage:",
        "",
        "K-weighting method (0->UPSTREAM_WEIGHTING, 1->ARITHMETIC_MEAN,",
        "  2->HARMONIC_MEAN, 3->GEOMETRIC_MEAN) = 0",
        "equation type (0->MASS_BALANCE, 1->TAYLOR_SERIES) = 0",
        "initial conditions type (0->USER_DEFINED, 1->STATIC_EQUILIBRIUM) = 0",
        "number of print control items = 0",
        // grid output list
        "number of timeseries parameters for this cell = 0",
        "",
        // the time-series grid of one cell: row header, cell list, the empty
        // lines after the cell, the row and the layer, then the grid's own
        "layer data = ",
        "number of timeseries parameters for this cell = 0",
        "",
        "",
        "",
        "",
        "",
        "time series cell color = 0 1 0",
        "time series display = 1",
        "output project base name = ",
        "number of crop parameters = 0",
        "crop param header = cropName \tinitialRootDepth \tmaxRootDepth \tcropC1 \tcropC2 "
        "\tcropC3 \tdatePlanting \tstage1 \tstage2 \tstage3 \tdateHarvest",
        "number of crop-basin parameters = 0",
        "fluxes:",
        "",
        "water quality:",
        "",
        "Z exaggerration = 1",
    });
    return text;
}

std::string Saved(const GridData& grid) {
    std::ostringstream out;
    EXPECT_TRUE(WriteProjectFile(grid, out));
    return out.str();
}

TEST(NewProjectFile, ThreeDimensionalProjectIsWrittenExactly) {
    GridData grid;
    grid.ResetModel(1);
    const std::string expected = NewProjectText(
        1, {"Ground Elevation", "Horizontal Hydraulic Conductivity", "Initial Root Depth",
            "Maximum Root Depth", "Crop Coefficients 1", "Crop Coefficients 2",
            "Crop Coefficients 3", "Date of Planting", "End of Stage 1", "End of Stage 2",
            "End of Stage 3", "Date of Harvest", "Initial Salt Concentration of Aquifer",
            "Initial Water Table Elevation", "Initial Moisture Content", "Irrigation Weight",
            "Soil Leaching Efficiency"});
    EXPECT_EQ(Saved(grid), expected);
}

TEST(NewProjectFile, TwoDimensionalProjectIsWrittenExactly) {
    GridData grid;
    grid.ResetModel(0);
    const std::string expected = NewProjectText(0, {"Bedrock Elevation",
                                                    "Ground Elevation",
                                                    "Vertical Hydraulic Conductivity",
                                                    "Horizontal Hydraulic Conductivity",
                                                    "Specific Yield",
                                                    "Initial Root Depth",
                                                    "Maximum Root Depth",
                                                    "Crop Coefficients 1",
                                                    "Crop Coefficients 2",
                                                    "Crop Coefficients 3",
                                                    "Date of Planting",
                                                    "End of Stage 1",
                                                    "End of Stage 2",
                                                    "End of Stage 3",
                                                    "Date of Harvest",
                                                    "Initial Salt Concentration of Aquifer",
                                                    "Initial Water Table Elevation",
                                                    "Initial Moisture Content",
                                                    "Initial Unsaturated Salt Concentration",
                                                    "Vertical Dispersivity",
                                                    "Horizontal Dispersivity"});
    EXPECT_EQ(Saved(grid), expected);
}

TEST(NewProjectFile, ReadsBackAsANewProjectWithoutMessages) {
    GridData original;
    original.ResetModel(1);
    const std::string text = Saved(original);
    GridData grid;
    CollectingMessageSink sink;
    ScopedMessageSink scoped(sink);
    ASSERT_TRUE(ReadProjectText(grid, text, "new.kvp"));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(grid.ParameterCount(), 17);
    for (int i = 0; i < grid.ParameterCount(); ++i) {
        EXPECT_EQ(grid.Parameter(i).minValue, NoDataValue);
        EXPECT_EQ(grid.Parameter(i).maxValue, NoDataValue);
    }
    // No daily values follow a last ET day of 0.
    EXPECT_TRUE(grid.Settings().DailyETUsage.empty());
    EXPECT_EQ(Saved(grid), text);
}

} // namespace
} // namespace korva
