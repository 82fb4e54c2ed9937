#pragma once
// "Transform Parameter": one parameter multiplied or offset over a range of
// layers, keeping for undo the layers it changes and nothing else. A surface
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

    // The first run: keeps the layers, then transforms.
    void Apply(GridData& grid);
    void Undo(GridData& grid) const;
    void Redo(GridData& grid) const;
    std::size_t Bytes() const;
    // What Apply will keep, before it runs.
    std::size_t EstimateBytes(const GridData& grid) const;

private:
    int paramIndex_;
    int firstLayer_;
    int lastLayer_;
    GridData::TransformKind kind_;
    double amount_;
    int keptFrom_ = 0;
    std::vector<ParamLayerData> kept_;
    double minValue_ = 0.0;
    double maxValue_ = 0.0;
};

// Whether the "Layer" and "to" choices mean anything for the parameter at
// paramIndex (false for a surface parameter).
bool TransformUsesLayerRange(const GridData& grid, int paramIndex);

} // namespace korva
