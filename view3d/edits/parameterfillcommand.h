#pragma once
// "Assign new value" clicked on the grid: the value goes into every cell of
// the rectangle on the editing layer (and the layers below it when asked).
// The command keeps the old values of those cells and the parameter's old
// range, nothing else.
#include "app/document/documentcommand.h"
#include "cellregion.h"

#include <vector>

namespace korva {

class ParameterFillCommand : public DocumentCommand {
public:
    ParameterFillCommand(CKORVADoc& document, int paramIndex, const ModelPoint& a,
                         const ModelPoint& b, int layer, double value, bool propagateDown);
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    int paramIndex;
    ModelPoint a, b;
    int layer;
    double value;
    bool propagateDown;
    CellRegion region;
    int firstLayer = 0, lastLayer = 0; // stored layers the fill touches
    std::vector<double> oldValues;     // layer by layer, row by row
    double oldMin = 0.0, oldMax = 0.0;
};

} // namespace korva
