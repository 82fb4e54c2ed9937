#pragma once
// "&Export Data": what is written. With the "3D Controls & Legend" form in
// focus, what the form has chosen (an output quantity at its time period for
// "Display Output Parameters", else the input parameter); otherwise what the
// view shows (its output quantity at its time period when it shows no input
// parameter, else the input parameter).
#include "view3d/scene/viewsettings.h"

namespace korva {

class GridData;

struct ExportChoice {
    bool output = false;
    int index = -1;  // position in ParameterOrder, or output quantity
    int period = -1; // output time period (outputs only)
    // False when the chosen index or period is not in the project.
    bool valid = false;
};

struct FormChoice {
    int displayKind = 0;
    int parameter = -1;
    int period = -1;
};

ExportChoice ChooseExport(const GridData& grid, const ViewSettings& view, bool formHasFocus,
                          const FormChoice& form);

} // namespace korva
