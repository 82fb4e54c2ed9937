#pragma once
// Adds a named boundary of one kind at the end of its list. Undo removes that
// last entry again (a new boundary holds no cells, so nothing is renumbered).
#include "editcommand.h"

#include <string>

namespace korva {

class AddBoundaryCommand : public EditCommand {
public:
    AddBoundaryCommand(CKORVADoc& document, int type, std::string name, const RgbColor& color);
    int Index() const { return index_; }

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override;

private:
    int type_;
    std::string name_;
    RgbColor color_;
    int index_ = -1;
};

} // namespace korva
