#pragma once
// What a record editor needs of the program: the model to read, and the way
// its OK hands over one undoable change (the document's Execute, which pushes
// the command so its redo applies it). Tests use a bare undo stack.
#include "recordeditcommand.h"

#include <QUndoCommand>
#include <functional>

namespace korva {

class GridData;

struct RecordEditContext {
    GridData* grid = nullptr;
    std::function<void(QUndoCommand*)> execute;
    // Passed to the commands: refreshes the views after each redo and undo.
    ModelChangedFn changed;
};

} // namespace korva
