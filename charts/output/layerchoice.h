#pragma once
// The layer choice of the output dialogs: layers numbered from 1, the
// current choice kept where it still exists after the grid changed.
class QComboBox;

namespace korva::charts {

// Fills box with "1" .. layerCount without announcing the refill (the
// dialogs react to a choice of the user only).
void FillLayerChoice(QComboBox& box, int layerCount);

} // namespace korva::charts
