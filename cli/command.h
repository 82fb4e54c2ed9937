#pragma once
// The commands of korva-batch. Each command lives in its own file under
// commands/ and is listed in the table of commands.cpp; the tool's main only
// dispatches.
#include "model/messages.h"

#include <ostream>
#include <string>
#include <vector>

namespace korva {
class GridData;
}

namespace korva::cli {

using Arguments = std::vector<std::string>;

// Where a command writes: out for its results, err for messages. Messages of
// the model (the texts the program shows in a box) go to err, one per line.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    std::string programFolder; // folder of the running tool, ending in "/"
};

struct Command {
    const char* name;
    const char* usage;   // "new [--2d] OUT.kvp"
    const char* summary; // one line for the tool's help
    const char* help;    // the command's own help text, after its usage line
    int (*run)(const Arguments& args, CommandContext& context);
};

// The table of commands, in the order the tool's help lists them.
const std::vector<Command>& Commands();

// Runs the tool with args (without the program name); returns the exit status.
int RunTool(const Arguments& args, CommandContext& context);

// Exit statuses of the tool.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Splits args into options and positional arguments. flags lists the options
// that take no value, valued those that take one ("--layer"). False, with a
// message on context.err, for an unknown option or a missing value.
struct ParsedArguments {
    std::vector<std::string> positional;
    std::vector<std::string> flags;
    std::vector<std::pair<std::string, std::string>> values;
    bool Has(const std::string& flag) const;
    const std::string* Value(const std::string& option) const;
};
bool ParseArguments(const Arguments& args, const std::vector<std::string>& flags,
                    const std::vector<std::string>& valued, ParsedArguments& parsed,
                    const Command& command, CommandContext& context);

// Writes "usage: korva-batch <usage>" to err and returns ExitUsage.
int UsageError(const Command& command, CommandContext& context, const std::string& problem);

// Sends the model's messages to a command's error stream, one per line, while
// it is installed (with ScopedMessageSink), so tests see them on context.err.
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text) override { err_ << text << "\n"; }

private:
    std::ostream& err_;
};

// Reads the project in for a command that saves it as out. False, after the
// reader's messages or one of its own on context.err, when the read failed, or
// when it was read with errors and out is the file that was read: that save
// would lose what followed the damage. A read with errors into another file
// goes on, with a warning.
bool ReadProjectForSave(GridData& grid, const std::string& in, const std::string& out,
                        const Command& command, CommandContext& context);

// "field.kvi" names the same input set as "field": the main file stands for all eight.
std::string InputSetBase(const std::string& path);

// The command named name; throws std::out_of_range when there is none.
const Command& FindCommand(const std::string& name);

} // namespace korva::cli
