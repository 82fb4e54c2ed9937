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
      bytes_(std::max(OutputBytes(other_), OutputBytes(document.Grid().Outputs()))) {}

void LoadResultsCommand::Swap() {
    // The stores change places, nothing is copied.
    Grid().SwapOutputs(other_);
    std::string current = Grid().OutputBaseName();
    Grid().SetOutputBaseName(otherBaseName_);
    otherBaseName_ = std::move(current);
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
