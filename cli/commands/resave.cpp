#include "cli/commands/shared.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <ostream>

namespace korva::cli {

extern const Command ResaveCommand;

static int RunResave(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, ResaveCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 2) {
        return UsageError(ResaveCommand, context, "expected an input and an output file");
    }
    GridData grid;
    if (!ReadProjectForSave(grid, parsed.positional[0], parsed.positional[1], ResaveCommand,
                            context))
        return ExitFailure;
    return WriteProjectFile(grid, parsed.positional[1]) ? ExitSuccess : ExitFailure;
}

const Command ResaveCommand{
    "resave", "resave IN.kvp OUT.kvp", "read a project and write it in the current format",
    "Reads IN.kvp, of any file version, and writes it to OUT.kvp as the program saves it\n"
    "today (file version 2.5). Sections that an old version lacks get their defaults:\n"
    "dispersions of 10 before 1.9, an ET period of the simulation period before 1.3,\n"
    "no data for parameters the version did not have.\n\n"
    "Every number is written with 6 significant digits. OUT.kvp may be IN.kvp; it is\n"
    "replaced only once the new file is completely written. A project whose time-series\n"
    "selections are missing (\"Input error: ...\") is still written, with the remaining\n"
    "settings at their defaults. A project damaged before its end is read up to the\n"
    "damage; it is written only to another file than IN.kvp, with a warning, since the\n"
    "items after the damage would otherwise be lost.\n",
    RunResave};

} // namespace korva::cli
