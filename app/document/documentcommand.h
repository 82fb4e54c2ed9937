#pragma once
// The base of every undoable change of a project. A command keeps only what it
// changes (old and new values, the cells it touched), never a copy of the
// whole model; redo() applies the change, undo() takes it back exactly, and
// both report it to the document, which redraws the views.
#include "model/griddata.h"
#include "modelchange.h"

#include <QUndoCommand>
#include <cstddef>

namespace korva {

class CKORVADoc;

class DocumentCommand : public QUndoCommand {
public:
    DocumentCommand(CKORVADoc& document, const QString& text, ModelChange change);
    // Bytes this command holds; the document bounds the history by their sum.
    virtual std::size_t MemoryCost() const { return sizeof(*this); }

protected:
    GridData& Grid();
    CKORVADoc& Document() { return document_; }
    // Tells the document what was changed (after redo and after undo).
    void Report();
    const ModelChange& Change() const { return change_; }

private:
    CKORVADoc& document_;
    ModelChange change_;
};

} // namespace korva
