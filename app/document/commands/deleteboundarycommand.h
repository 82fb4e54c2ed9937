#pragma once
// Deletes one boundary: its entry in every per-boundary list, its cells (they
// become 0, higher numbers move down by one), and for a basin its irrigation
// schedule and yield and salinity values, for a collector the drains'
// connections to it. The model's undo record keeps exactly these, so undo
// puts the boundary back at its place with the same cells and connections.
#include "editcommand.h"

namespace korva {

class DeleteBoundaryCommand : public EditCommand {
public:
    DeleteBoundaryCommand(CKORVADoc& document, int type, int index);

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override;

private:
    int type_;
    int index_;
};

} // namespace korva
