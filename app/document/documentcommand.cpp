#include "documentcommand.h"

#include "korvadoc.h"

namespace korva {

DocumentCommand::DocumentCommand(CKORVADoc& document, const QString& text, ModelChange change)
    : QUndoCommand(text), document_(document), change_(change) {}

GridData& DocumentCommand::Grid() {
    return document_.GridForEdit();
}

void DocumentCommand::Report() {
    document_.ReportChange(change_);
}

} // namespace korva
