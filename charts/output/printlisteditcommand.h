#pragma once
// One undo step of the print control: the print list before and after OK.
#include "model/griddata.h"

#include <QUndoCommand>
#include <functional>
#include <vector>

namespace korva::charts {

class PrintListEditCommand : public QUndoCommand {
public:
    // changed runs after every redo and undo (marks the project modified and
    // refreshes the views).
    PrintListEditCommand(GridData& grid, std::vector<PrintDataItem> newList,
                         std::function<void()> changed = {});
    void redo() override;
    void undo() override;

private:
    void Apply(const std::vector<PrintDataItem>& list);
    GridData& grid_;
    std::vector<PrintDataItem> old_;
    std::vector<PrintDataItem> new_;
    std::function<void()> changed_;
};

} // namespace korva::charts
