#pragma once
// Gives the commands of every desktop library their handlers. Each library
// has one registration function of its own; this is the one place that calls
// them (one line each), so no library edits the main frame.
namespace korva {

class CommandTable;
class CMainFrame;

void RegisterAllCommands(CommandTable& table, CMainFrame& frame);

} // namespace korva
