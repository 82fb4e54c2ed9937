#include "transformedit.h"

#include <algorithm>

namespace korva {

TransformEdit::TransformEdit(int paramIndex, int firstLayer, int lastLayer,
                             GridData::TransformKind kind, double amount)
    : paramIndex_(paramIndex), firstLayer_(std::min(firstLayer, lastLayer)),
      lastLayer_(std::max(firstLayer, lastLayer)), kind_(kind), amount_(amount) {}

void TransformEdit::Apply(GridData& grid) {
    const ParameterData& data = grid.Parameter(paramIndex_);
    keptFrom_ = data.IsSurface() ? 0 : firstLayer_;
    const int keptTo = data.IsSurface() ? 0 : lastLayer_;
    kept_.assign(data.layers.begin() + keptFrom_, data.layers.begin() + keptTo + 1);
    minValue_ = data.minValue;
    maxValue_ = data.maxValue;
    Redo(grid);
}

void TransformEdit::Undo(GridData& grid) const {
    ParameterData& data = grid.Parameter(paramIndex_);
    std::copy(kept_.begin(), kept_.end(), data.layers.begin() + keptFrom_);
    data.minValue = minValue_;
    data.maxValue = maxValue_;
}

void TransformEdit::Redo(GridData& grid) const {
    grid.TransformParameter(paramIndex_, firstLayer_, lastLayer_, kind_, amount_);
}

std::size_t TransformEdit::Bytes() const {
    std::size_t cells = 0;
    for (const ParamLayerData& layer : kept_)
        for (const ParamRowData& row : layer)
            cells += row.size();
    return sizeof(*this) + cells * sizeof(double);
}

std::size_t TransformEdit::EstimateBytes(const GridData& grid) const {
    const bool surface = grid.Parameter(paramIndex_).IsSurface();
    const auto layers = static_cast<std::size_t>(surface ? 1 : lastLayer_ - firstLayer_ + 1);
    return sizeof(*this) + layers * static_cast<std::size_t>(grid.NumRows()) *
                               static_cast<std::size_t>(grid.NumColumns()) * sizeof(double);
}

bool TransformUsesLayerRange(const GridData& grid, int paramIndex) {
    return paramIndex >= 0 && paramIndex < grid.ParameterCount() &&
           !grid.Parameter(paramIndex).IsSurface();
}

} // namespace korva
