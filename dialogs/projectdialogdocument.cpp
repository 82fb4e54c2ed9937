#include "projectdialogdocument.h"

#include "app/document/documentcommand.h"
#include "app/document/korvadoc.h"

namespace korva {

namespace {

// A dialog's change as a document command: the first redo that changes
// nothing makes the command obsolete, and the undo stack drops it.
class DialogChangeCommand : public DocumentCommand {
public:
    DialogChangeCommand(CKORVADoc& document, const QString& text, DialogDocument::Apply apply,
                        DialogDocument::TakeBack takeBack, ModelChange change,
                        DialogDocument::Cost cost)
        : DocumentCommand(document, text, change), apply_(std::move(apply)),
          takeBack_(std::move(takeBack)), cost_(std::move(cost)) {}
    void redo() override {
        if (!apply_(Grid())) {
            setObsolete(true);
            return;
        }
        Report();
    }
    void undo() override {
        takeBack_(Grid());
        Report();
    }
    std::size_t MemoryCost() const override { return sizeof(*this) + (cost_ ? cost_() : 0); }

private:
    DialogDocument::Apply apply_;
    DialogDocument::TakeBack takeBack_;
    DialogDocument::Cost cost_;
};

} // namespace

ProjectDialogDocument::ProjectDialogDocument(CKORVADoc& document)
    : DialogDocument(&document), document_(document) {
    connect(&document_, &CKORVADoc::ModelEdited, this,
            [this](const ModelChange& change) { emit ModelChanged(change.parts); });
}

ProjectDialogDocument& ProjectDialogDocument::Of(CKORVADoc& document) {
    if (auto* existing =
            document.findChild<ProjectDialogDocument*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new ProjectDialogDocument(document);
}

const GridData& ProjectDialogDocument::Grid() const {
    return document_.Grid();
}

void ProjectDialogDocument::Change(const QString& text, Apply apply, TakeBack takeBack,
                                   unsigned parts, Cost cost) {
    ModelChange change;
    change.parts = parts;
    document_.Execute(new DialogChangeCommand(document_, text, std::move(apply),
                                              std::move(takeBack), change, std::move(cost)));
}

} // namespace korva
