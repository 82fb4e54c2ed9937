#pragma once
// The handlers of the commands the program frame itself serves: files,
// undo and redo, toolbar and status bar, windows, help, the project's
// properties, the model import and the run.
namespace korva {

class CommandTable;
class CMainFrame;

void RegisterFrameCommands(CommandTable& table, CMainFrame& frame);

} // namespace korva
