#include "registercommands.h"

#include "app/frame/framecommands.h"
#include "charts/chartcommands.h"
#include "dialogs/dialogcommands.h"
#include "dialogs/records/recordcommands.h"
#include "exchange/exchangecommands.h"
#include "view3d/view3dcommands.h"

namespace korva {

void RegisterAllCommands(CommandTable& table, CMainFrame& frame) {
    RegisterFrameCommands(table, frame);
    RegisterDialogCommands(table);
    RegisterRecordCommands(table);
    RegisterView3dCommands(table);
    RegisterExchangeCommands(table);
    charts::RegisterChartCommands(table);
}

} // namespace korva
