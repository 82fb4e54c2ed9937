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
#include "camera.h"
#include "sceneprimitives.h"

#include <array>
#include <cstddef>
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
// row, column ascending). Boxes left with no face go, with their cells.
void DropHiddenFaces(std::vector<CellBox>& boxes, std::vector<uint32_t>& cells,
                     const GridShape& shape, bool opaque);

// The camera's centre in model coordinates, homogeneous: the point the
// projection sends to clip coordinates (0, 0, -1, 0). For a perspective
// camera it is the eye with a positive weight, for an orthographic one the
// direction towards the viewer with weight 0. Scaled so its largest
// component is 1; all zero when the camera is singular.
std::array<double, 4> EyeInModel(const Camera& camera);

// The narrowest column and the narrowest row of the grid (0 when a width
// is 0 or the grid is empty).
std::array<double, 2> NarrowestCell(const GridGeometry& geometry);

// True when a box marked CoveredAbove shows nothing to a camera at eye: the
// eye is above the box and every sight line to it passes through the bottom
// face of one of the nine cells above it, which is nearer and was drawn
// earlier, so the depth test turns the whole box away.
bool SeenOnlyThroughLayerAbove(const CellBox& box, const std::array<double, 4>& eye,
                               const std::array<double, 2>& narrowest);

// A face to draw: box index * 8 + the face's place in drawing order (0 for
// z1 ... 5 for x1). Lists hold fewer than 2^29 boxes.
using FaceRef = uint32_t;
constexpr std::size_t MaxFaceRefBoxes = std::size_t{1} << 29;

// The faces a camera at eye can see, in drawing order (box after box, each
// box's faces in BoxFace order), into faces. Left out: faces dropped when the
// list was built, boxes SeenOnlyThroughLayerAbove, and faces behind their box
// that the depth test would turn away: in an opaque list all of them, in a
// translucent one those drawn after every face of the box in front of the eye.
// A face exactly edge-on counts as in front.
void FacesInSight(const std::vector<CellBox>& boxes, const std::array<double, 4>& eye,
                  const std::array<double, 2>& narrowest, bool opaque, std::vector<FaceRef>& faces);

} // namespace korva
