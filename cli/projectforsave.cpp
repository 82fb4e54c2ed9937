// Reading a project that a command will save again. A project read with
// errors lacks the items after its damage; saving it over the file it came
// from would lose them for good, so that save is refused and the user is told
// to name another file, where the damaged original stays for repair.
#include "command.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <ostream>

namespace korva::cli {

bool ReadProjectForSave(GridData& grid, const std::string& in, const std::string& out,
                        const Command& command, CommandContext& context) {
    ProjectReadResult result;
    if (!ReadProjectFile(grid, in, result)) return false;
    if (result.readWithErrors && IsSameFile(in, out)) {
        context.err << "korva-batch " << command.name << ": " << in
                    << " was read with errors; the items after the damage were not read, and "
                       "saving over it would lose them for good. Nothing was written; name "
                       "another output file.\n";
        return false;
    }
    if (result.readWithErrors)
        context.err << "korva-batch " << command.name << ": " << in << " was read with errors; "
                    << out
                    << " lacks the items after the damage (crops, crop-basin records, "
                       "natural-boundary values and what else followed), which keep their "
                       "defaults\n";
    return true;
}

} // namespace korva::cli
