#include "command.h"

#include <ostream>
#include <stdexcept>

namespace korva::cli {

// Each command file defines its entry.
extern const Command NewCommand;
extern const Command ResaveCommand;
extern const Command InfoCommand;
extern const Command WriteInputCommand;
extern const Command ImportInputCommand;
extern const Command OutputsCommand;
extern const Command ExportParamCommand;
extern const Command ExportOutputCommand;
extern const Command ExportSeriesCommand;
extern const Command ExportVtkCommand;
extern const Command PlotSeriesCommand;
extern const Command ImportParamCommand;
extern const Command ImportRasterCommand;
extern const Command ImportBoundaryCommand;
extern const Command CheckCommand;
extern const Command RunCommand;

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        NewCommand,          ResaveCommand,         InfoCommand,        WriteInputCommand,
        ImportInputCommand,  OutputsCommand,        ExportParamCommand, ExportOutputCommand,
        ExportSeriesCommand, ExportVtkCommand,      PlotSeriesCommand,  ImportParamCommand,
        ImportRasterCommand, ImportBoundaryCommand, CheckCommand,       RunCommand,
    };
    return table;
}

const Command& FindCommand(const std::string& name) {
    for (const Command& command : Commands()) {
        if (name == command.name) return command;
    }
    throw std::out_of_range("no command " + name);
}

bool ParsedArguments::Has(const std::string& flag) const {
    for (const auto& f : flags) {
        if (f == flag) return true;
    }
    return false;
}

const std::string* ParsedArguments::Value(const std::string& option) const {
    const std::string* found = nullptr;
    for (const auto& [name, value] : values) {
        if (name == option) found = &value; // the last one given wins
    }
    return found;
}

int UsageError(const Command& command, CommandContext& context, const std::string& problem) {
    if (!problem.empty()) context.err << "korva-batch " << command.name << ": " << problem << "\n";
    context.err << "usage: korva-batch " << command.usage << "\n";
    return ExitUsage;
}

bool ParseArguments(const Arguments& args, const std::vector<std::string>& flags,
                    const std::vector<std::string>& valued, ParsedArguments& parsed,
                    const Command& command, CommandContext& context) {
    auto contains = [](const std::vector<std::string>& list, const std::string& s) {
        for (const auto& item : list) {
            if (item == s) return true;
        }
        return false;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (contains(flags, arg)) {
            parsed.flags.push_back(arg);
        } else if (contains(valued, arg)) {
            if (i + 1 >= args.size()) {
                UsageError(command, context, "option " + arg + " needs a value");
                return false;
            }
            parsed.values.emplace_back(arg, args[++i]);
        } else {
            UsageError(command, context, "unknown option " + arg);
            return false;
        }
    }
    return true;
}

static void PrintToolHelp(std::ostream& out) {
    out << "usage: korva-batch COMMAND [ARGUMENTS]\n\n"
           "Checks, converts, runs, imports and exports KORVA projects without a window.\n\n"
           "Commands:\n";
    for (const Command& command : Commands()) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\n'korva-batch COMMAND --help' describes one command.\n"
           "Exit status: 0 on success, 1 on failure, 2 for a wrong command line.\n";
}

int RunTool(const Arguments& args, CommandContext& context) {
    if (args.empty()) {
        PrintToolHelp(context.err);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() > 1) {
            try {
                const Command& command = FindCommand(args[1]);
                context.out << "usage: korva-batch " << command.usage << "\n\n" << command.help;
                return ExitSuccess;
            } catch (const std::out_of_range&) {
            }
        }
        PrintToolHelp(context.out);
        return ExitSuccess;
    }
    const Command* command = nullptr;
    for (const Command& c : Commands()) {
        if (args[0] == c.name) command = &c;
    }
    if (command == nullptr) {
        context.err << "korva-batch: unknown command '" << args[0] << "'\n";
        PrintToolHelp(context.err);
        return ExitUsage;
    }
    Arguments rest(args.begin() + 1, args.end());
    for (const auto& arg : rest) {
        if (arg == "--help" || arg == "-h") {
            context.out << "usage: korva-batch " << command->usage << "\n\n" << command->help;
            return ExitSuccess;
        }
    }
    return command->run(rest, context);
}

} // namespace korva::cli
