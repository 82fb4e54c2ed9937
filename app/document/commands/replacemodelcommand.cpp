#include "replacemodelcommand.h"

#include "app/document/korvadoc.h"
#include "app/document/modelsize.h"

#include <algorithm>
#include <utility>

namespace korva {

ReplaceModelCommand::ReplaceModelCommand(CKORVADoc& document, const QString& text,
                                         std::unique_ptr<GridData> replacement)
    : DocumentCommand(document, text, {}), other_(std::move(replacement)),
      bytes_(std::max(ModelBytes(*other_), ModelBytes(document.Grid()))) {}

void ReplaceModelCommand::Swap() {
    std::swap(Grid(), *other_);
    Report();
}

void ReplaceModelCommand::redo() {
    Swap();
}

void ReplaceModelCommand::undo() {
    Swap();
}

std::size_t ReplaceModelCommand::MemoryCost() const {
    return sizeof(*this) + bytes_;
}

} // namespace korva
