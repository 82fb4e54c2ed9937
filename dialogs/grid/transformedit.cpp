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

bool TransformUsesLayerRange(const GridData& grid, int paramIndex) {
    return paramIndex >= 0 && paramIndex < grid.ParameterCount() &&
           !grid.Parameter(paramIndex).IsSurface();
}

} // namespace korva
