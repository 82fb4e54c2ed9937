// korva-batch import-raster: fill a cell parameter from a raster that GDAL
// reads (GeoTIFF, ESRI ASCII grid, ...), by the rules of import-param.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/project/projectfile.h"
#include "files/text/textimport.h"
#include "gis/rasterimport.h"
#include "model/griddata.h"

#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ImportRasterCommand;

namespace {

int RunImportRaster(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--no-reverse"}, {"--layer", "--band", "--resample"}, parsed,
                        ImportRasterCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 4)
        return UsageError(ImportRasterCommand, context,
                          "expected a project, a parameter, a raster and an output project");
    // --layer and --no-reverse mean what they mean to import-param.
    ImportSettings settings;
    int layerNumber = 1;
    if (!ReadImportOptions(parsed, ImportRasterCommand, context, settings, layerNumber))
        return ExitUsage;
    int band = 1;
    if (const std::string* text = parsed.Value("--band")) {
        long long b = 0;
        if (!ParseInt(*text, b) || b < 1 || b > 1000000)
            return UsageError(ImportRasterCommand, context,
                              "--band needs a band number from 1, not '" + *text + "'");
        band = static_cast<int>(b);
    }
    RasterResampling method = RasterResampling::Average;
    if (const std::string* text = parsed.Value("--resample")) {
        if (!RasterResamplingFromName(*text, method))
            return UsageError(ImportRasterCommand, context,
                              "--resample is nearest, average or bilinear, not '" + *text + "'");
    }

    GridData grid;
    if (!ReadProjectFile(grid, parsed.positional[0])) return ExitFailure;
    const int param =
        FindParameterArgument(grid, parsed.positional[1], ImportRasterCommand, context);
    if (param < 0) return ExitFailure;
    if (layerNumber > grid.NumLayers()) {
        context.err << "korva-batch import-raster: no layer " << layerNumber << "; the grid has "
                    << grid.NumLayers() << "\n";
        return ExitFailure;
    }
    RasterBand raster;
    std::string error;
    if (!ReadRasterBand(parsed.positional[2], band, grid.NumRows(), grid.NumColumns(), method,
                        raster, error)) {
        context.err << "korva-batch import-raster: " << error << "\n";
        return ExitFailure;
    }
    if (raster.resampled)
        context.out << "Resampled the raster's " << raster.rasterRows << " rows x "
                    << raster.rasterColumns << " columns onto the grid's " << raster.rows
                    << " rows x " << raster.columns << " columns (" << RasterResamplingName(method)
                    << ")\n";
    ImportRasterValues(grid, param, raster, settings.reverseRows, layerNumber - 1);
    return WriteProjectFile(grid, parsed.positional[3]) ? ExitSuccess : ExitFailure;
}

} // namespace

const Command ImportRasterCommand{
    "import-raster",
    "import-raster [--layer N] [--band B] [--resample "
    "nearest|average|bilinear] [--no-reverse] "
    "IN.kvp PARAM RASTER OUT.kvp",
    "fill a cell parameter from a raster (GeoTIFF, ESRI ASCII grid, ...)",
    "Reads the project IN.kvp, fills parameter PARAM (0-based position or "
    "name) from a\n"
    "band of RASTER, any raster file GDAL reads, and saves the project as "
    "OUT.kvp (which\n"
    "may be IN.kvp).\n\n"
    "  --layer N       for a parameter that varies by layer: the 1-based layer "
    "to fill,\n"
    "                  together with every layer below it (default 1, so every "
    "layer)\n"
    "  --band B        the 1-based band to read (default 1)\n"
    "  --resample M    how a raster of another size than the grid's rows x "
    "columns is\n"
    "                  spread over the grid, its whole extent onto the grid's: "
    "nearest,\n"
    "                  average (default: the mean of the raster cells under a "
    "grid cell)\n"
    "                  or bilinear; the tool says when it resampled\n"
    "  --no-reverse    fill the rows from the first; by default the raster's "
    "first row\n"
    "                  is the grid's last (north first, as in GIS files)\n\n"
    "A cell whose raster value is the band's nodata value (or not a number) "
    "keeps the\n"
    "value it had. A raster GDAL cannot read, a band that does not exist or a "
    "raster\n"
    "that cannot cover the grid fails with a message, and OUT.kvp is not "
    "written.\n",
    RunImportRaster};

} // namespace korva::cli
