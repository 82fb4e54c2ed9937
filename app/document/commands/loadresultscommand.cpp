#include "loadresultscommand.h"

#include "app/document/korvadoc.h"
#include "app/document/modelsize.h"

#include <algorithm>
#include <utility>

namespace korva {

LoadResultsCommand::LoadResultsCommand(CKORVADoc& document, OutputStore outputs,
                                       std::string outputBaseName)
    : DocumentCommand(document, "Load Model Results", {ModelChange::Outputs, -1, 0}),
      other_(std::move(outputs)), otherBaseName_(std::move(outputBaseName)),
      bytes_(std::max(OutputBytes(other_), OutputBytes(document.Grid().outputs))) {}

void LoadResultsCommand::Swap() {
    std::swap(Grid().outputs, other_);
    std::swap(Grid().OutputBaseName, otherBaseName_);
    Report();
}

void LoadResultsCommand::redo() {
    Swap();
}

void LoadResultsCommand::undo() {
    Swap();
}

std::size_t LoadResultsCommand::MemoryCost() const {
    return sizeof(*this) + bytes_;
}

} // namespace korva
