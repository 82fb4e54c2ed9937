#pragma once
// The menu commands the settings and grid dialogs answer: "Simulation
// Constants" (the panel of settings editors), "Edit Grid Dimensions" and
// "Transform Parameter".
namespace korva {

class CommandTable;

void RegisterDialogCommands(CommandTable& table);

} // namespace korva
