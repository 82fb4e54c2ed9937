#include <ostream>

#include "command.h"

namespace korva::cli {

static int RunInfo(const Arguments&, CommandContext& context) {
    context.err << "korva-batch info: not built yet\n";
    return ExitFailure;
}

extern const Command InfoCommand;
const Command InfoCommand{"info", "info", "", "", RunInfo};

} // namespace korva::cli
