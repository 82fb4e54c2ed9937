#pragma once
// "&Constants" (also the toolbar's "Constants"): the project's "Simulation
// Constants" panel, made on first use and kept by the document, shown again
// by every later call. Its "Crop Yield Function" opens the record editors'
// crop yield editor on the same project, so that edit too is one step of the
// project's undo history.
class QWidget;

namespace korva {

class CKORVADoc;
class CommandTable;
class SimulationConstantsDlg;

SimulationConstantsDlg* ShowSimulationConstants(CKORVADoc& document, QWidget* parent = nullptr);

void RegisterSimulationConstantsCommand(CommandTable& table);

} // namespace korva
