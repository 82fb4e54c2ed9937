#pragma once
// One undo step of a record editor: the old and the new value of one record
// family (records.h). The first redo applies the new value; undo writes the
// old one back.
#include "records.h"

#include <QUndoCommand>
#include <functional>
#include <utility>

namespace korva {

class GridData;

// Called after every redo and undo, so the program can refresh its views.
using ModelChangedFn = std::function<void()>;

template <typename Records> class RecordEditCommand : public QUndoCommand {
public:
    RecordEditCommand(GridData& grid, Records newRecords, const QString& text,
                      ModelChangedFn changed = {})
        : QUndoCommand(text), grid_(grid), old_(Records::Read(grid)), new_(std::move(newRecords)),
          changed_(std::move(changed)) {}

    void redo() override { Apply(new_); }
    void undo() override { Apply(old_); }

private:
    void Apply(const Records& records) {
        records.Write(grid_);
        if (changed_) changed_();
    }

    GridData& grid_;
    Records old_;
    Records new_;
    ModelChangedFn changed_;
};

} // namespace korva
