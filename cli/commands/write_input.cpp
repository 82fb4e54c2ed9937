#include "cli/commands/shared.h"
#include "files/inputset/inputset.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <ostream>
#include <string>

namespace korva::cli {

extern const Command WriteInputCommand;

static int RunWriteInput(const Arguments& args, CommandContext& context) {
    StreamMessageSink sink(context.err);
    ScopedMessageSink scope(sink);
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, WriteInputCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 2)
        return UsageError(WriteInputCommand, context, "expected a project file and a base path");
    GridData grid;
    ProjectReadResult read;
    if (!ReadProjectFile(grid, parsed.positional[0], read)) return ExitFailure;
    if (read.readWithErrors)
        context.err << "korva-batch write-input: " << parsed.positional[0]
                    << " was read with errors; the input set lacks the crops and the other "
                       "items after the damage\n";
    return WriteModelInputFiles(grid, InputSetBase(parsed.positional[1])) ? ExitSuccess
                                                                          : ExitFailure;
}

const Command WriteInputCommand{
    "write-input", "write-input IN.kvp BASE", "write the solver's input file set of a project",
    "Reads the project IN.kvp and writes the eight input files of its solver, as the\n"
    "program does before a run: BASE.kvi (grid, settings, parameters, boundaries),\n"
    "BASE.irr (irrigation), BASE.tsi (time-series cells), BASE.psn (method choices),\n"
    "BASE.drn (drain connectivity), BASE.ets (daily ET), BASE.yld (yield data) and\n"
    "BASE.prn (print dates). The project's model kind chooses the 2D or 3D layout.\n"
    "BASE may end in \".kvi\"; existing files are replaced.\n\n"
    "The warnings \"Warning: no ET defined for beginning of model run.\" and \"... end\n"
    "of model run.\" go to standard error and do not stop the writing; a file that\n"
    "cannot be written does, with a failure exit status.\n",
    RunWriteInput};

} // namespace korva::cli
