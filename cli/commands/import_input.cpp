#include "cli/commands/shared.h"
#include "files/inputset/inputset.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <ostream>
#include <string>
#include <utility>

namespace korva::cli {

extern const Command ImportInputCommand;

static int RunImportInput(const Arguments& args, CommandContext& context) {
    StreamMessageSink sink(context.err);
    ScopedMessageSink scope(sink);
    ParsedArguments parsed;
    if (!ParseArguments(args, {"--2d"}, {}, parsed, ImportInputCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 2)
        return UsageError(ImportInputCommand, context, "expected a base path and a project file");
    GridData grid;
    grid.ResetModel(parsed.Has("--2d") ? 0 : 1);
    InputSetExtras extras;
    if (!ReadModelInputFiles(grid, InputSetBase(parsed.positional[0]), &extras)) return ExitFailure;
    // A new project has no ET list to take the daily values back; give it one
    // over the simulated days, so that the ET of the set is kept.
    if (grid.Settings().DailyETUsage.empty() && !extras.runDailyET.empty()) {
        SimulationSettings settings = grid.Settings();
        settings.ETPeriod = {settings.simulationStart, settings.simulationEnd - 1};
        settings.DailyETUsage = std::move(extras.runDailyET);
        grid.SetSettings(std::move(settings));
    }
    return WriteProjectFile(grid, parsed.positional[1]) ? ExitSuccess : ExitFailure;
}

const Command ImportInputCommand{
    "import-input", "import-input [--2d] BASE OUT.kvp",
    "make a project from a solver input file set",
    "Reads the eight input files BASE.kvi, BASE.irr, BASE.tsi, BASE.psn, BASE.drn,\n"
    "BASE.ets, BASE.yld and BASE.prn into a new model and saves it as the project\n"
    "OUT.kvp. BASE may end in \".kvi\".\n\n"
    "  --2d   the set is of the original 2D model; without it, of the modified 3D\n"
    "         model (the set itself does not say which).\n\n"
    "The set does not carry everything a project holds: boundaries get new colours,\n"
    "natural boundaries are named \"Natural Boundary 1\", ... and rebuilt from the\n"
    "cells' flux and water quality, No Flow cells hold the value 99, and there are no\n"
    "crops. The daily ET values become an ET period over the simulated days.\n"
    "A damaged or incomplete set is reported on standard error and nothing is written.\n",
    RunImportInput};

} // namespace korva::cli
