// korva-batch export-param: a cell parameter as the tab-separated grid the
// program's export writes.
#include "cli/commands/shared.h"
#include "files/numberformat.h"
#include "files/project/projectfile.h"
#include "files/text/textexport.h"
#include "model/griddata.h"

#include <cctype>
#include <ostream>
#include <string>

namespace korva::cli {

extern const Command ExportParamCommand;

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

int FindParameterArgument(const GridData& grid, const std::string& text, const Command& command,
                          CommandContext& context) {
    long long position = -1;
    if (ParseInt(text, position)) {
        if (position >= 0 && position < grid.ParameterCount()) return static_cast<int>(position);
    } else {
        for (int i = 0; i < grid.ParameterCount(); ++i) {
            if (SameNameIgnoringCase(grid.Parameter(i).name, text) ||
                SameNameIgnoringCase(GridData::ParameterDisplayName(grid.ParameterOrder()[i]),
                                     text))
                return i;
        }
    }
    context.err << "korva-batch " << command.name << ": no parameter '" << text
                << "'; the project has:\n";
    for (int i = 0; i < grid.ParameterCount(); ++i)
        context.err << "  " << i << " " << grid.Parameter(i).name << "\n";
    return -1;
}

namespace {

int RunExportParam(const Arguments& args, CommandContext& context) {
    ParsedArguments parsed;
    if (!ParseArguments(args, {}, {}, parsed, ExportParamCommand, context)) return ExitUsage;
    if (parsed.positional.size() != 3)
        return UsageError(ExportParamCommand, context,
                          "expected a project, a parameter and an output file");
    GridData grid;
    if (!ReadProjectFile(grid, parsed.positional[0])) return ExitFailure;
    const int param =
        FindParameterArgument(grid, parsed.positional[1], ExportParamCommand, context);
    if (param < 0) return ExitFailure;
    return ExportParameter(grid, param, parsed.positional[2]) ? ExitSuccess : ExitFailure;
}

} // namespace

const Command ExportParamCommand{
    "export-param", "export-param IN.kvp PARAM OUT.txt",
    "write a cell parameter as a tab-separated text grid",
    "Writes parameter PARAM of the project IN.kvp to OUT.txt as the program's export\n"
    "does. PARAM is the parameter's 0-based position in the project's parameter list\n"
    "or its name (\"Ground Elevation\", in any case).\n\n"
    "The file starts with \"Parameter NAME, L,R,C = L, R, C\", then one line per row\n"
    "with the row's values in column order, each followed by a tab. A parameter that\n"
    "varies by layer writes one such block per layer from the top, each followed by an\n"
    "empty line; a surface parameter writes one block. Numbers have 6 significant\n"
    "digits; -9999 marks a cell without a value.\n",
    RunExportParam};

} // namespace korva::cli
