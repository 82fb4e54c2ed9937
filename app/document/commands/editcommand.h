#pragma once
// The base of the commands made of named edits of the model. The first redo
// runs the edit, which fills an undo record with only what it changes; undo
// and every later redo revert that record, so a redo never runs the edit
// again and never shows a message.
#include "app/document/documentcommand.h"
#include "model/undorecord.h"

#include <functional>
#include <utility>

namespace korva {

class EditCommand : public DocumentCommand {
public:
    using DocumentCommand::DocumentCommand;

    void redo() override {
        if (!ran_) {
            ran_ = true;
            result_ = Run(Grid(), &record_);
            // An edit that changed nothing leaves no step in the history.
            if (!result_.done) {
                setObsolete(true);
                return;
            }
        } else {
            Grid().Revert(record_);
        }
        Report();
    }
    void undo() override {
        Grid().Revert(record_);
        Report();
    }
    std::size_t MemoryCost() const override { return sizeof(*this) + record_.HeldBytes(); }
    // What the edit answered the first time (the messages are the caller's to show).
    const EditResult& Result() const { return result_; }

protected:
    // The edit itself, run once.
    virtual EditResult Run(GridData& grid, UndoRecord* undo) = 0;

private:
    UndoRecord record_;
    EditResult result_;
    bool ran_ = false;
};

// An EditCommand over one edit given as a function:
//
//   document.Execute(new ModelEditCommand(
//       document, "Simulation Parameters",
//       [edited](GridData& grid, UndoRecord* undo) { return grid.SetSettings(edited, undo); },
//       {ModelChange::Settings}));
class ModelEditCommand : public EditCommand {
public:
    using Edit = std::function<EditResult(GridData&, UndoRecord*)>;
    ModelEditCommand(CKORVADoc& document, const QString& text, Edit edit, ModelChange change)
        : EditCommand(document, text, change), edit_(std::move(edit)) {}

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override {
        // The record holds all the command needs from now on.
        Edit edit = std::move(edit_);
        return edit(grid, undo);
    }

private:
    Edit edit_;
};

} // namespace korva
