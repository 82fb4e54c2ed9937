#pragma once
// What the mouse does to the view settings, apart from the window: turning
// the 3D display by a right-button drag and stepping the editing slice on the
// right button's release.
#include "viewsettings.h"

namespace korva {

// The pointer moved from (lastX, lastY) to (x, y) with the right button held:
// each pixel turns the camera a degree, in whole degrees.
void RotateByDrag(ViewSettings& settings, int lastX, int lastY, int x, int y);

// The slice the right button's release steps to, or -1 when the mode does
// not step: the next layer (plan) or row (section) of a layered parameter in
// parameter editing, the next layer in boundary and time-series editing,
// back to the first after the last.
int NextSlice(const GridData& grid, const ViewSettings& settings);

} // namespace korva
