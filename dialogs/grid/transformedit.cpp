#include "transformedit.h"

#include <algorithm>

namespace korva {

TransformEdit::TransformEdit(int paramIndex, int firstLayer, int lastLayer,
                             GridData::TransformKind kind, double amount)
    : paramIndex_(paramIndex), firstLayer_(std::min(firstLayer, lastLayer)),
      lastLayer_(std::max(firstLayer, lastLayer)), kind_(kind), amount_(amount) {}

void TransformEdit::Apply(GridData& grid) {
    record_ = UndoRecord{};
    grid.TransformParameter(paramIndex_, firstLayer_, lastLayer_, kind_, amount_, &record_);
}

void TransformEdit::Undo(GridData& grid) {
    if (!record_.Undone()) grid.Revert(record_);
}

void TransformEdit::Redo(GridData& grid) {
    if (record_.Undone()) grid.Revert(record_);
}

std::size_t TransformEdit::Bytes() const {
    return sizeof(*this) + record_.HeldBytes();
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
