// korva-batch export-output: one solver output at one output time as the
// tab-separated grid the program's output export writes.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/text/textexport.h"
#include "model/griddata.h"

#include <cctype>
#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ExportOutputCommand;

namespace {

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// A 0-based position, the quantity's name or its leading code ("US" for
// "US SALT CONCENTRATION"), in any case; -1 after a message.
int FindQuantity(const OutputStore& store, const std::string& text, CommandContext& context) {
    const auto& outputs = store.gridOutputs;
    long long position = -1;
    if (ParseInt(text, position)) {
        if (position >= 0 && static_cast<std::size_t>(position) < outputs.size())
            return static_cast<int>(position);
    } else {
        const std::string wanted = Upper(text);
        for (std::size_t q = 0; q < outputs.size(); ++q) {
            const std::string name = Upper(outputs[q].name);
            if (name == wanted || name.substr(0, name.find(' ')) == wanted)
                return static_cast<int>(q);
        }
    }
    context.err << "korva-batch export-output: no output quantity '" << text << "'; ";
    if (outputs.empty()) {
        context.err << "the run left no grid outputs\n";
    } else {
        context.err << "the outputs hold:\n";
        for (std::size_t q = 0; q < outputs.size(); ++q)
            context.err << "  " << q << " " << outputs[q].name << "\n";
    }
    return -1;
}

int RunExportOutput(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, ExportOutputCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 4)
        return UsageError(ExportOutputCommand, context,
                          "expected a project, a quantity, a time and an output file");
    long long time = -1;
    if (!ParseInt(parsed.positional[2], time) || time < 0)
        return UsageError(ExportOutputCommand, context,
                          "TIME must be a 0-based output time, not '" + parsed.positional[2] + "'");
    GridData grid;
    if (!LoadProjectOutputs(grid, parsed.positional[0], ExportOutputCommand, context, nullptr))
        return ExitFailure;
    const int quantity = FindQuantity(grid.Outputs(), parsed.positional[1], context);
    if (quantity < 0) return ExitFailure;
    const auto& times = grid.Outputs().gridOutputs[static_cast<std::size_t>(quantity)].times;
    if (static_cast<std::size_t>(time) >= times.size()) {
        context.err << "korva-batch export-output: no output time " << time << "; there are "
                    << times.size() << " (0 to " << static_cast<long long>(times.size()) - 1
                    << ")\n";
        return ExitFailure;
    }
    return ExportOutputParameter(grid, quantity, static_cast<int>(time), parsed.positional[3])
               ? ExitSuccess
               : ExitFailure;
}

} // namespace

const Command ExportOutputCommand{
    "export-output", "export-output IN.kvp QUANTITY TIME OUT.txt",
    "write a solver output at one output time as a tab-separated text grid",
    "Reads the project IN.kvp and the outputs of its last run (see 'outputs') and writes\n"
    "quantity QUANTITY at output time TIME to OUT.txt as the program's output export\n"
    "does. QUANTITY is a 0-based position in the list 'outputs' prints, the quantity's\n"
    "name or its code (\"US\"); TIME is the 0-based output time.\n\n"
    "The file starts with \"Parameter NAME, date M/D/Y, L,R,C = L, R, C\", then one line\n"
    "per row, each value followed by a tab; a per-layer quantity writes one block per\n"
    "layer, each followed by an empty line, a surface quantity one block.\n",
    RunExportOutput};

} // namespace korva::cli
