#pragma once
// The menu commands of the record editors: "Basin-Crop Data Builder" (the
// crop data dialog), "&Irrigation Schedule" and "&Drain-Collector
// Connectivity" (modeless, one per project), "&Natural Boundary Properties"
// (modal).
#include <functional>

class QDialog;
class QWidget;

namespace korva {

class CommandTable;
class DialogDocument;

void RegisterRecordCommands(CommandTable& table);

// The "Crop Yield Function" editor of the simulation constants panel
// (SimulationConstantsDlg::SetCropYieldEditor takes it).
std::function<QDialog*(QWidget* parent)> CropYieldEditorFactory(DialogDocument& document);

} // namespace korva
