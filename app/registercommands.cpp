#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "dialogs/dialogcommands.h"
#include "dialogs/records/recordcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    RegisterDialogCommands(table);
    RegisterRecordCommands(table);
    // Other libraries add their line here, for example:
    //   RegisterView3dCommands(table);
    //   RegisterChartCommands(table);
}

} // namespace korva
