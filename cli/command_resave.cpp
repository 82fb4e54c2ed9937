#include <ostream>

#include "command.h"

namespace korva::cli {

static int RunResave(const Arguments&, CommandContext& context) {
    context.err << "korva-batch resave: not built yet\n";
    return ExitFailure;
}

extern const Command ResaveCommand;
const Command ResaveCommand{"resave", "resave", "", "", RunResave};

} // namespace korva::cli
