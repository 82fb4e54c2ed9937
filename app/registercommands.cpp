#include "registercommands.h"

#include "app/frame/framecommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    // Other libraries add their line here, for example:
    //   RegisterView3dCommands(table);
    //   RegisterDialogCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
