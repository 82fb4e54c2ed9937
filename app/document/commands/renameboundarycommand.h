#pragma once
// Renames one boundary. A basin carries its entries of the basin-crop table
// along (the table is keyed by basin name); the model's undo record keeps the
// old list and table, so undo gives back exactly the old names.
#include "editcommand.h"

#include <string>

namespace korva {

class RenameBoundaryCommand : public EditCommand {
public:
    RenameBoundaryCommand(CKORVADoc& document, int type, int index, std::string name);

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override;

private:
    int type_;
    int index_;
    std::string newName_;
};

} // namespace korva
