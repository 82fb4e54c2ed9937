#include "cli/commands/shared.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/modelcheck.h"

#include <ostream>

namespace korva::cli {

extern const Command CheckCommand;

// "Irrigation Time Step: current value 0, default value 1"; a problem without
// a value to edit shows "---" for both, as the check dialog does.
void WriteProblems(const ProblemList& problems, std::ostream& out) {
    for (std::size_t i = 0; i < problems.Count(); ++i) {
        out << problems.messages[i] << ": current value ";
        if (problems.Editable(i)) {
            out << problems.currentValues[i] << ", default value " << problems.defaultValues[i];
        } else {
            out << "---, default value ---";
        }
        out << "\n";
    }
}

static int RunCheck(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, CheckCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 1) {
        return UsageError(CheckCommand, context, "expected one project file");
    }
    GridData grid;
    if (!ReadProjectFile(grid, parsed.positional[0])) return ExitFailure;
    ProblemList problems;
    grid.CheckModel(problems);
    WriteProblems(problems, context.out);
    return problems.Empty() ? ExitSuccess : ExitFailure;
}

const Command CheckCommand{
    "check", "check IN.kvp", "list the problems that stop a run",
    "Reads IN.kvp and lists the critical problems the model check finds before a run,\n"
    "one a line with the current and the proposed default value: a zero irrigation or\n"
    "simulation time step (default 1), and an irrigation schedule that starts on the\n"
    "first simulated day (no value to edit, shown as ---).\n\n"
    "Exit status 0 when there are none, 1 when there are any or the file cannot be read.\n"
    "'korva-batch run --fix' applies the default values.\n",
    RunCheck};

} // namespace korva::cli
