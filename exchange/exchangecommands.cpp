#include "exchangecommands.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "paraview/paraviewexport.h"

namespace korva {

void RegisterExchangeCommands(CommandTable& table) {
    table.Register(QString::fromLatin1(cmd::FileExportParaView), [](const CommandContext& context) {
        if (context.document == nullptr) return;
        RunParaViewExport(*context.document,
                          context.mainWindow != nullptr ? context.mainWindow : context.frame);
    });
}

} // namespace korva
