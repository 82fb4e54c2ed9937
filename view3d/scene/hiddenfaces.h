#pragma once
// Faces of a list's cell boxes that can never show, whatever the camera.
// Boxes are drawn in list order with the depth test passing only nearer
// fragments, so a face that coincides with a face of a box drawn before it
// (the same corners, the same depth) never passes: it is dropped. In a list
// of opaque boxes the nearest face wins whatever the order, so a face between
// two drawn boxes never shows from either side, and a box enclosed on all
// six sides is not kept at all. A box whose nine neighbours in the layer
// above are drawn is marked CoveredAbove (plan and 3D only): the renderer
// leaves it out when the camera sees it through them alone.
#include "sceneprimitives.h"

#include <cstdint>
#include <vector>

namespace korva {

struct GridShape {
    int layers = 0, rows = 0, columns = 0;
    // Layer k + 1 lies below layer k (plan and 3D); false in a mirrored
    // section, where it lies above.
    bool layersDescend = true;
};

// cells[n] is the cell of boxes[n] as layer * rows * columns + row * columns +
// column, each cell at most once, in the order the boxes are drawn (layer,
// row, column ascending).
void DropHiddenFaces(std::vector<CellBox>& boxes, const std::vector<uint32_t>& cells,
                     const GridShape& shape, bool opaque);

} // namespace korva
