#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "charts/chartcommands.h"
#include "dialogs/records/recordcommands.h"
#include "dialogs/settings/simulationconstantscommand.h"
#include "view3d/view3dcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    RegisterRecordCommands(table);
    RegisterSimulationConstantsCommand(table);
    RegisterView3dCommands(table);
    charts::RegisterChartCommands(table);
    // Other libraries add their line here, for example:
    //   RegisterDialogCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
