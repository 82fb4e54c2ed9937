#include "hiddenfaces.h"

#include "gridgeometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace korva {

void DropHiddenFaces(std::vector<CellBox>& boxes, std::vector<uint32_t>& cells,
                     const GridShape& shape, bool opaque) {
    if (boxes.empty() || boxes.size() != cells.size()) return;
    const auto columns = static_cast<std::size_t>(shape.columns);
    const std::size_t layerSize = static_cast<std::size_t>(shape.rows) * columns;
    const std::size_t total = layerSize * static_cast<std::size_t>(shape.layers);
    std::vector<bool> drawn(total, false);
    for (uint32_t cell : cells)
        if (cell < total) drawn[cell] = true;
    // The face towards the layer before (above in plan and 3D) and after.
    const uint32_t towardsPreviousLayer = shape.layersDescend ? FaceZ1 : FaceZ0;
    const uint32_t towardsNextLayer = shape.layersDescend ? FaceZ0 : FaceZ1;

    std::size_t kept = 0;
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        const std::size_t cell = cells[n];
        CellBox box = boxes[n];
        if (cell < total) {
            const std::size_t column = cell % columns;
            const std::size_t row = (cell / columns) % static_cast<std::size_t>(shape.rows);
            const std::size_t layer = cell / layerSize;
            if (layer > 0 && drawn[cell - layerSize]) box.faces &= ~towardsPreviousLayer;
            if (row > 0 && drawn[cell - columns]) box.faces &= ~FaceY0;
            if (column > 0 && drawn[cell - 1]) box.faces &= ~FaceX0;
            if (opaque) {
                if (layer + 1 < static_cast<std::size_t>(shape.layers) && drawn[cell + layerSize])
                    box.faces &= ~towardsNextLayer;
                if (row + 1 < static_cast<std::size_t>(shape.rows) && drawn[cell + columns])
                    box.faces &= ~FaceY1;
                if (column + 1 < columns && drawn[cell + 1]) box.faces &= ~FaceX1;
            }
            if (shape.layersDescend && layer > 0 && row > 0 && column > 0 &&
                row + 1 < static_cast<std::size_t>(shape.rows) && column + 1 < columns) {
                bool covered = true;
                for (std::size_t above = cell - layerSize - columns - 1;
                     covered && above <= cell - layerSize + columns - 1; above += columns)
                    covered = drawn[above] && drawn[above + 1] && drawn[above + 2];
                if (covered) box.faces |= CoveredAbove;
            }
        }
        if ((box.faces & AllFaces) != 0) {
            cells[kept] = cells[n];
            boxes[kept++] = box;
        }
    }
    boxes.resize(kept);
    cells.resize(kept);
}

std::array<double, 4> EyeInModel(const Camera& camera) {
    std::array<double, 4> eye{};
    Mat4 inverse;
    if (!Invert(camera.projection * camera.modelView, inverse)) return eye;
    double largest = 0.0;
    for (int r = 0; r < 4; ++r) {
        eye[static_cast<std::size_t>(r)] = -inverse(r, 2);
        largest = std::max(largest, std::abs(eye[static_cast<std::size_t>(r)]));
    }
    if (!(largest > 0.0) || !std::isfinite(largest)) return {};
    for (double& e : eye)
        e /= largest;
    return eye;
}

std::array<double, 2> NarrowestCell(const GridGeometry& geometry) {
    const auto narrowest = [](const std::vector<double>& edges) {
        if (edges.size() < 2) return 0.0;
        double width = edges[1] - edges[0];
        for (std::size_t n = 1; n + 1 < edges.size(); ++n)
            width = std::min(width, edges[n + 1] - edges[n]);
        return std::max(width, 0.0);
    };
    return {narrowest(geometry.xEdges), narrowest(geometry.yEdges)};
}

bool SeenOnlyThroughLayerAbove(const CellBox& box, const std::array<double, 4>& eye,
                               const std::array<double, 2>& narrowest) {
    if ((box.faces & CoveredAbove) == 0) return false;
    const double w = eye[3];
    // The eye's height above the box top (scaled by w), clearly positive.
    const double above = eye[2] - box.z1 * w;
    if (!(above > 1e-5 * (std::abs(eye[2]) + std::abs(box.z1 * w)))) return false;
    // How far the sight lines to the bottom corners stray sideways between
    // the bottom and the top of the box; within the narrowest cell they
    // cross the top inside the ring of nine cells above.
    const double rise = (box.z1 - box.z0) / above;
    const double strayX =
        std::max(std::abs(eye[0] - box.x0 * w), std::abs(eye[0] - box.x1 * w)) * rise;
    const double strayY =
        std::max(std::abs(eye[1] - box.y0 * w), std::abs(eye[1] - box.y1 * w)) * rise;
    return strayX < 0.99 * narrowest[0] && strayY < 0.99 * narrowest[1];
}

void FacesInSight(const std::vector<CellBox>& boxes, const std::array<double, 4>& eye,
                  const std::array<double, 2>& narrowest, bool opaque,
                  std::vector<FaceRef>& faces) {
    faces.clear();
    const std::size_t count = std::min(boxes.size(), MaxFaceRefBoxes);
    const double w = eye[3];
    // True when the eye lies clearly on the inner side of the plane at
    // `plane` along an axis whose outer side is `outward`: the face is
    // behind its box. The slack keeps a face seen edge-on in front.
    const auto behind = [w](double e, float plane, double outward) {
        const double towards = outward * (e - static_cast<double>(plane) * w);
        const double slack =
            1e-5 * (std::abs(e) + std::abs(static_cast<double>(plane) * w)) + 1e-30;
        return towards < -slack;
    };
    for (std::size_t n = 0; n < count; ++n) {
        const CellBox& box = boxes[n];
        const uint32_t drawn = box.faces & AllFaces;
        if (drawn == 0 || SeenOnlyThroughLayerAbove(box, eye, narrowest)) continue;
        uint32_t back = 0;
        if (behind(eye[2], box.z1, 1.0)) back |= FaceZ1;
        if (behind(eye[1], box.y1, 1.0)) back |= FaceY1;
        if (behind(eye[2], box.z0, -1.0)) back |= FaceZ0;
        if (behind(eye[1], box.y0, -1.0)) back |= FaceY0;
        if (behind(eye[0], box.x0, -1.0)) back |= FaceX0;
        if (behind(eye[0], box.x1, 1.0)) back |= FaceX1;
        const uint32_t front = ~back & AllFaces;
        for (uint32_t place = 0; place < 6; ++place) {
            const uint32_t face = 1u << place;
            if ((drawn & face) == 0) continue;
            if ((back & face) != 0 && front != 0) {
                // A face behind its box passes the depth test only where it
                // comes before a face in front of it, which then blends over it.
                const uint32_t later = ~(face | (face - 1u)) & AllFaces;
                if (opaque || (front & drawn & later) == 0) continue;
            }
            faces.push_back(static_cast<FaceRef>(n * 8 + place));
        }
    }
}

} // namespace korva
