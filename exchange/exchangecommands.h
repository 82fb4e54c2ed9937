#pragma once
// The commands of the exchange with other programs: "Export to ParaView..."
// in the "&File" menu.
namespace korva {

class CommandTable;

void RegisterExchangeCommands(CommandTable& table);

} // namespace korva
