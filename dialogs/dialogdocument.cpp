#include "dialogdocument.h"

#include "model/griddata.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace korva {

namespace {

class StepCommand : public QUndoCommand {
public:
    StepCommand(UndoStackDocument& document, GridData& grid, const QString& text,
                DialogDocument::Apply apply, DialogDocument::TakeBack takeBack, unsigned parts)
        : QUndoCommand(text), document_(document), grid_(grid), apply_(std::move(apply)),
          takeBack_(std::move(takeBack)), parts_(parts) {}
    void redo() override {
        // QUndoStack deletes a command that is obsolete after its first redo.
        if (!apply_(grid_)) {
            setObsolete(true);
            return;
        }
        emit document_.ModelChanged(parts_);
    }
    void undo() override {
        takeBack_(grid_);
        emit document_.ModelChanged(parts_);
    }

private:
    UndoStackDocument& document_;
    GridData& grid_;
    DialogDocument::Apply apply_;
    DialogDocument::TakeBack takeBack_;
    unsigned parts_;
};

} // namespace

UndoStackDocument::UndoStackDocument(GridData& grid, QUndoStack& stack, QObject* parent)
    : DialogDocument(parent), grid_(grid), stack_(stack) {}

void UndoStackDocument::Change(const QString& text, Apply apply, TakeBack takeBack, unsigned parts,
                               std::size_t /*bytes*/) {
    stack_.push(new StepCommand(*this, grid_, text, std::move(apply), std::move(takeBack), parts));
}

} // namespace korva
