// korva-batch import-param: fill a cell parameter from a text grid of
// numbers (a spreadsheet export, an ESRI ASCII grid), with the choices of the
// program's "Import Settings" dialog as options.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/project/projectfile.h"
#include "files/text/textimport.h"
#include "model/griddata.h"

#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ImportParamCommand;

bool ReadImportOptions(const ParsedArguments& parsed, const Command& command,
                       CommandContext& context, ImportSettings& settings, int& layerNumber) {
    settings = ImportSettings{};
    layerNumber = 1;
    if (const std::string* skip = parsed.Value("--skip")) {
        long long n = 0;
        if (!ParseInt(*skip, n) || n < 0 || n > 1000000000) {
            UsageError(command, context, "--skip needs a count of lines, not '" + *skip + "'");
            return false;
        }
        settings.linesToSkip = static_cast<int>(n);
    }
    if (const std::string* format = parsed.Value("--format")) {
        if (*format == "row-column") {
            settings.format = RowColumnFormat;
        } else if (*format == "column-row") {
            settings.format = ColumnRowFormat;
        } else {
            UsageError(command, context,
                       "--format is row-column or column-row, not '" + *format + "'");
            return false;
        }
    }
    settings.reverseRows = !parsed.Has("--no-reverse");
    if (const std::string* nodata = parsed.Value("--nodata")) {
        if (!ParseDouble(*nodata, settings.noDataValue)) {
            UsageError(command, context, "--nodata needs a number, not '" + *nodata + "'");
            return false;
        }
    }
    if (const std::string* layer = parsed.Value("--layer")) {
        long long k = 0;
        if (!ParseInt(*layer, k) || k < 1 || k > 1000000000) {
            UsageError(command, context,
                       "--layer needs a layer number from 1, not '" + *layer + "'");
            return false;
        }
        layerNumber = static_cast<int>(k);
    }
    return true;
}

void ReportShortImport(std::size_t read, const GridData& grid, const Command& command,
                       CommandContext& context) {
    const std::size_t cells =
        static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
    if (read < cells)
        context.err << "korva-batch " << command.name << ": read " << read << " of " << cells
                    << " values; the other cells keep their values\n";
}

namespace {

int RunImportParam(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--no-reverse"}, {"--skip", "--format", "--nodata", "--layer"},
                        parsed, ImportParamCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 4)
        return UsageError(ImportParamCommand, context,
                          "expected a project, a parameter, a text grid and an output project");
    ImportSettings settings;
    int layerNumber = 1;
    if (!ReadImportOptions(parsed, ImportParamCommand, context, settings, layerNumber))
        return ExitUsage;

    GridData grid;
    if (!ReadProjectForSave(grid, parsed.positional[0], parsed.positional[3], ImportParamCommand,
                            context))
        return ExitFailure;
    const int param =
        FindParameterArgument(grid, parsed.positional[1], ImportParamCommand, context);
    if (param < 0) return ExitFailure;
    if (layerNumber > grid.NumLayers()) {
        context.err << "korva-batch import-param: no layer " << layerNumber << "; the grid has "
                    << grid.NumLayers() << "\n";
        return ExitFailure;
    }
    settings.layer = layerNumber - 1;
    std::size_t read = 0;
    if (!ImportParameterFile(grid, param, parsed.positional[2], settings, &read))
        return ExitFailure;
    ReportShortImport(read, grid, ImportParamCommand, context);
    return WriteProjectFile(grid, parsed.positional[3]) ? ExitSuccess : ExitFailure;
}

} // namespace

const Command ImportParamCommand{
    "import-param", "import-param [OPTIONS] IN.kvp PARAM GRID.txt OUT.kvp",
    "fill a cell parameter from a text grid of numbers",
    "Reads the project IN.kvp, fills parameter PARAM (0-based position or name) from\n"
    "the numbers in GRID.txt and saves the project as OUT.kvp (which may be IN.kvp).\n"
    "Numbers are separated by white space or commas; after the skipped header lines\n"
    "rows x columns of them are read, line structure does not matter. The defaults read\n"
    "an ESRI ASCII grid (.asc) as GIS programs write it.\n\n"
    "  --skip N        header lines to skip (default 6)\n"
    "  --format F      row-column (default): row by row, each row column by column;\n"
    "                  column-row: column by column\n"
    "  --no-reverse    fill the rows from the first; by default the file's first row\n"
    "                  is the grid's last (north first, as in GIS files)\n"
    "  --nodata V      a value equal to V becomes a cell without data (default -9999)\n"
    "  --layer K       for a parameter that varies by layer: the 1-based layer to fill,\n"
    "                  together with every layer below it (default 1, so every layer)\n\n"
    "A file with fewer numbers than cells, or with text where a number is expected,\n"
    "fills the cells up to there; the rest keep their values (said on standard error).\n",
    RunImportParam};

} // namespace korva::cli
