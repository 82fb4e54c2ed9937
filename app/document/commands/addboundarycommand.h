#pragma once
// Adds a named boundary of one kind at the end of its list. Undo removes that
// last entry again (a new boundary holds no cells, so nothing is renumbered).
#include "app/document/documentcommand.h"

#include <string>

namespace korva {

class AddBoundaryCommand : public DocumentCommand {
public:
    AddBoundaryCommand(CKORVADoc& document, int type, std::string name, const RgbColor& color);
    void redo() override;
    void undo() override;
    int Index() const { return index_; }

private:
    int type_;
    std::string name_;
    RgbColor color_;
    int index_ = -1;
};

} // namespace korva
