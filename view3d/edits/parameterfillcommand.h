#pragma once
// "Assign new value" clicked on the grid: the value goes into every cell of
// the rectangle on the editing layer (and the layers below it when asked).
// The model's undo record keeps the old values of those cells and the
// parameter's old range, nothing else.
#include "app/document/commands/editcommand.h"

namespace korva {

class ParameterFillCommand : public EditCommand {
public:
    ParameterFillCommand(CKORVADoc& document, int paramIndex, const ModelPoint& a,
                         const ModelPoint& b, int layer, double value, bool propagateDown);

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override;

private:
    int paramIndex;
    ModelPoint a, b;
    int layer;
    double value;
    bool propagateDown;
};

} // namespace korva
