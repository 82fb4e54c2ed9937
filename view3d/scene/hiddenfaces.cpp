#include "hiddenfaces.h"

#include <cstddef>

namespace korva {

void DropHiddenFaces(std::vector<CellBox>& boxes, const std::vector<uint32_t>& cells,
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
        if ((box.faces & AllFaces) != 0) boxes[kept++] = box;
    }
    boxes.resize(kept);
}

} // namespace korva
