#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "charts/chartcommands.h"
#include "dialogs/records/recordcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    RegisterRecordCommands(table);
    charts::RegisterChartCommands(table);
    // Other libraries add their line here, for example:
    //   RegisterView3dCommands(table);
    //   RegisterDialogCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
