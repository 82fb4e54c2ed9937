#pragma once
// The menu commands of the record editors: "Basin-Crop Data Builder" (the
// crop data dialog), "&Irrigation Schedule" and "&Drain-Collector
// Connectivity" (modeless, one per project), "&Natural Boundary Properties"
// (modal).
class QWidget;

namespace korva {

class CommandTable;
class DialogDocument;

void RegisterRecordCommands(CommandTable& table);

// The crop yield editor, opened from the simulation constants (modal).
void EditCropYield(DialogDocument& document, QWidget* parent);

} // namespace korva
