#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "view3d/view3dcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    RegisterView3dCommands(table);
    // Other libraries add their line here, for example:
    //   RegisterView3dCommands(table);
    //   RegisterDialogCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
