#include <ostream>

#include "command.h"

namespace korva::cli {

static int RunNew(const Arguments&, CommandContext& context) {
    context.err << "korva-batch new: not built yet\n";
    return ExitFailure;
}

extern const Command NewCommand;
const Command NewCommand{"new", "new", "", "", RunNew};

} // namespace korva::cli
