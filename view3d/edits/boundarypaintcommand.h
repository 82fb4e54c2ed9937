#pragma once
// A rectangle painted with the boundary control panel: boundary number goes
// into (or, removing, 0 replaces it in) the membership grid of its kind on the
// editing layer and, when asked, every layer below. The model's undo record
// keeps the old membership of those cells only.
#include "app/document/commands/editcommand.h"

namespace korva {

class BoundaryPaintCommand : public EditCommand {
public:
    BoundaryPaintCommand(CKORVADoc& document, int type, int number, const ModelPoint& a,
                         const ModelPoint& b, int layer, bool add, bool propagateDown);
    // False when the paint would change nothing (basins and 2D no-flow cells
    // are painted on the top layer only): such a command is not pushed.
    bool Changes() const { return changes_; }

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override;

private:
    int type, number;
    ModelPoint a, b;
    int layer;
    bool add, propagateDown;
    bool changes_ = false;
};

} // namespace korva
