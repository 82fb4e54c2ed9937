// korva-batch import-boundary: populate a boundary from a text grid of
// elevations, as the program's boundary import does.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/project/projectfile.h"
#include "files/text/textimport.h"
#include "model/griddata.h"

#include <cctype>
#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ImportBoundaryCommand;

namespace {

// Lower case with '-' and '_' as spaces, so "no-flow" names "No Flow".
std::string Folded(const std::string& text) {
    std::string folded;
    for (char c : text)
        folded += c == '-' || c == '_'
                      ? ' '
                      : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// A boundary kind by number (0 to 5) or display name; -1 when neither.
int FindKind(const std::string& text) {
    long long number = -1;
    if (ParseInt(text, number))
        return number >= 0 && number < BoundaryTypeCount ? static_cast<int>(number) : -1;
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (Folded(BoundaryTypeName(type)) == Folded(text)) return type;
    return -1;
}

int RunImportBoundary(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--no-reverse"}, {"--skip", "--format", "--nodata"}, parsed,
                        ImportBoundaryCommand, context))
        return ExitUsage;
    if (parsed.positional.size() != 5)
        return UsageError(ImportBoundaryCommand, context,
                          "expected a project, a kind, a boundary number, a text grid and an "
                          "output project");
    ImportSettings settings;
    int unusedLayer = 1;
    if (!ReadImportOptions(parsed, ImportBoundaryCommand, context, settings, unusedLayer))
        return ExitUsage;
    const int kind = FindKind(parsed.positional[1]);
    if (kind < 0)
        return UsageError(ImportBoundaryCommand, context,
                          "KIND is 0 to 5 or a kind's name (\"No Flow\"), not '" +
                              parsed.positional[1] + "'");

    GridData grid;
    if (!ReadProjectForSave(grid, parsed.positional[0], parsed.positional[4], ImportBoundaryCommand,
                            context))
        return ExitFailure;
    long long number = 0;
    const int count = grid.BoundaryCount(kind);
    if (!ParseInt(parsed.positional[2], number) || number < 1 || number > count) {
        context.err << "Please select the boundary to populate.\n"
                    << "korva-batch import-boundary: " << BoundaryTypeName(kind) << " has " << count
                    << " boundaries; NUMBER is 1 to " << count << ", not '" << parsed.positional[2]
                    << "'\n";
        return ExitFailure;
    }
    if (kind != NoFlowType)
        context.err << "korva-batch import-boundary: only No Flow boundaries are populated from "
                       "elevations; "
                    << BoundaryTypeName(kind) << " is left as it was\n";
    std::size_t read = 0;
    if (!ImportBoundaryFile(grid, kind, static_cast<int>(number), parsed.positional[3], settings,
                            &read))
        return ExitFailure;
    ReportShortImport(read, grid, ImportBoundaryCommand, context);
    return WriteProjectFile(grid, parsed.positional[4]) ? ExitSuccess : ExitFailure;
}

} // namespace

const Command ImportBoundaryCommand{
    "import-boundary", "import-boundary [OPTIONS] IN.kvp KIND NUMBER GRID.txt OUT.kvp",
    "populate a No Flow boundary from a text grid of elevations",
    "Reads the project IN.kvp, reads elevations in metres from GRID.txt and saves the\n"
    "project as OUT.kvp (which may be IN.kvp). KIND is a boundary kind, 0 to 5 or its\n"
    "name (\"No Flow\", \"no-flow\"); NUMBER is the 1-based number of the boundary in that\n"
    "kind's list, written into the cells it gets. For No Flow, each cell is marked from\n"
    "the layer that holds the elevation (counting layer thicknesses up from the bottom)\n"
    "down to the bottom layer; an elevation above the grid marks every layer. Cells\n"
    "whose value equals the no-data value are left as they were. Other kinds read the\n"
    "file and change nothing.\n\n"
    "  --skip N        header lines to skip (default 6)\n"
    "  --format F      row-column (default) or column-row\n"
    "  --no-reverse    fill the rows from the first (default: the file's first row is\n"
    "                  the grid's last)\n"
    "  --nodata V      the no-data value (default -9999)\n",
    RunImportBoundary};

} // namespace korva::cli
