#include "printlisteditcommand.h"

namespace korva::charts {

PrintListEditCommand::PrintListEditCommand(GridData& grid, std::vector<PrintDataItem> newList,
                                           std::function<void()> changed)
    : QUndoCommand("Print Control"), grid_(grid), old_(grid.printList), new_(std::move(newList)),
      changed_(std::move(changed)) {}

void PrintListEditCommand::redo() {
    Apply(new_);
}

void PrintListEditCommand::undo() {
    Apply(old_);
}

void PrintListEditCommand::Apply(const std::vector<PrintDataItem>& list) {
    grid_.printList = list;
    if (changed_) changed_();
}

} // namespace korva::charts
