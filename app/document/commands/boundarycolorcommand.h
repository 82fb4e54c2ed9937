#pragma once
// Gives one boundary a new colour; the views redraw with the boundary colour hint.
#include "app/document/documentcommand.h"

namespace korva {

class BoundaryColorCommand : public DocumentCommand {
public:
    BoundaryColorCommand(CKORVADoc& document, int type, int index, const RgbColor& color);
    void redo() override;
    void undo() override;

private:
    int type_;
    int index_;
    RgbColor oldColor_;
    RgbColor newColor_;
};

} // namespace korva
