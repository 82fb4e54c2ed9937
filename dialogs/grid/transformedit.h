#pragma once
// "Transform Parameter": one parameter multiplied or offset over a range of
// layers; the model's undo record keeps the layers it changes and nothing
// else. A surface
// parameter has one layer for the whole column, so it is changed once
// whatever the range.
#include "model/griddata.h"

#include <cstddef>
#include <vector>

namespace korva {

class TransformEdit {
public:
    TransformEdit(int paramIndex, int firstLayer, int lastLayer, GridData::TransformKind kind,
                  double amount);

    // The first run: transforms, keeping the changed layers.
    void Apply(GridData& grid);
    void Undo(GridData& grid);
    void Redo(GridData& grid);
    std::size_t Bytes() const;
    // What Apply will keep, before it runs.
    std::size_t EstimateBytes(const GridData& grid) const;

private:
    int paramIndex_;
    int firstLayer_;
    int lastLayer_;
    GridData::TransformKind kind_;
    double amount_;
    UndoRecord record_;
};

// Whether the "Layer" and "to" choices mean anything for the parameter at
// paramIndex (false for a surface parameter).
bool TransformUsesLayerRange(const GridData& grid, int paramIndex);

} // namespace korva
