#pragma once
// The 3D view's part of the program: the two panes of a project window (the
// view and its control panel) and the handlers of the view's commands
// (zoom, camera control, parameter and boundary panels, background image,
// "Export View Image...").
namespace korva {

class CommandTable;

void RegisterView3dCommands(CommandTable& table);

} // namespace korva
