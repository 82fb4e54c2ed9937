#pragma once
// The three editors that choose one method and keep no constants: their
// titles, their lists of names and the setting each one stores.
#include "model/simulationsettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korva {

enum class MethodChoice { KWeighting, EquationType, InitialConditions };

struct MethodChoiceInfo {
    const char* title;              // the dialog's title and its panel button
    std::vector<std::string> names; // combo box entries, index = stored code
    int32_t SimulationSettings::*field;
};

const MethodChoiceInfo& MethodChoiceDescription(MethodChoice choice);

// The code the combo box shows for a stored value; a code outside the list
// (from a hand-edited file) shows the first entry.
int ShownMethodCode(const MethodChoiceInfo& info, int32_t stored);

} // namespace korva
