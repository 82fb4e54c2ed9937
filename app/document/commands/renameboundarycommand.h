#pragma once
// Renames one boundary. A basin carries its entries of the basin-crop table
// along (the table is keyed by basin name); the command remembers which
// entries it renamed, so undo gives back exactly the old table.
#include "app/document/documentcommand.h"

#include <string>
#include <vector>

namespace korva {

class RenameBoundaryCommand : public DocumentCommand {
public:
    RenameBoundaryCommand(CKORVADoc& document, int type, int index, std::string name);
    void redo() override;
    void undo() override;

private:
    int type_;
    int index_;
    std::string oldName_;
    std::string newName_;
    std::vector<std::size_t> renamedCropEntries_;
};

} // namespace korva
