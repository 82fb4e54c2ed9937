// korva-batch: the model and file code of KORVA on the command line.
#include "cli/command.h"
#include "cli/programfolder.h"
#include "model/messages.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Messages the program would show in a box go to standard error, one line each.
    korva::SetMessageSink(nullptr);
    korva::cli::CommandContext context{std::cout, std::cerr, korva::cli::ProgramFolder(argv[0])};
    std::vector<std::string> args(argv + 1, argv + argc);
    return korva::cli::RunTool(args, context);
}
