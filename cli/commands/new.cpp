#include "cli/commands/shared.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <ostream>

namespace korva::cli {

extern const Command NewCommand;

static int RunNew(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--2d"}, {}, parsed, NewCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 1) {
        return UsageError(NewCommand, context, "expected one output file");
    }
    // Exactly what a new document saves: a fresh model reset to its kind.
    GridData grid;
    grid.ResetModel(parsed.Has("--2d") ? 0 : 1);
    return WriteProjectFile(grid, parsed.positional[0]) ? ExitSuccess : ExitFailure;
}

const Command NewCommand{
    "new", "new [--2d] OUT.kvp", "write a new, empty project",
    "Writes the project a new document would save: one cell of 100 m x 100 m x 100 cm,\n"
    "every parameter without data, no boundaries, crops or selections, default settings.\n\n"
    "  --2d   make the project of the original 2D model (21 surface parameters);\n"
    "         without it the project is of the modified 3D model (17 parameters).\n\n"
    "An existing OUT.kvp is replaced only once the new file is completely written.\n",
    RunNew};

} // namespace korva::cli
