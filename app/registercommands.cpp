#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "charts/chartcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    charts::RegisterChartCommands(table);
    // Other libraries add their line here, for example:
    //   RegisterView3dCommands(table);
    //   RegisterDialogCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
