#pragma once
// A rectangle painted with the boundary control panel: boundary number goes
// into (or, removing, 0 replaces it in) the membership grid of its kind on the
// editing layer and, when asked, every layer below. The command keeps the old
// membership of those cells only.
#include "app/document/documentcommand.h"
#include "cellregion.h"

#include <cstdint>
#include <vector>

namespace korva {

class BoundaryPaintCommand : public DocumentCommand {
public:
    BoundaryPaintCommand(CKORVADoc& document, int type, int number, const ModelPoint& a,
                         const ModelPoint& b, int layer, bool add, bool propagateDown);
    // False when the paint would change nothing (basins and 2D no-flow cells
    // are painted on the top layer only): such a command is not pushed.
    bool Changes() const { return !oldValues.empty(); }
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    int type, number;
    ModelPoint a, b;
    int layer;
    bool add, propagateDown;
    CellRegion region;
    int firstLayer = 0, lastLayer = -1;
    std::vector<int32_t> oldValues;
};

} // namespace korva
