#include "dialogs/records/projectdialogdocument.h"

#include "app/document/documentcommand.h"
#include "app/document/korvadoc.h"

namespace korva {

namespace {

class DialogChangeCommand : public DocumentCommand {
public:
    DialogChangeCommand(CKORVADoc& document, const QString& text, DialogDocument::Apply apply,
                        DialogDocument::TakeBack takeBack, unsigned parts, std::size_t bytes)
        : DocumentCommand(document, text, ModelChange{parts, -1, 0}), apply_(std::move(apply)),
          takeBack_(std::move(takeBack)), bytes_(bytes) {}

    void redo() override {
        // A change that changed nothing is dropped by the stack, not kept.
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
    std::size_t MemoryCost() const override { return sizeof(*this) + bytes_; }

private:
    DialogDocument::Apply apply_;
    DialogDocument::TakeBack takeBack_;
    std::size_t bytes_;
};

} // namespace

ProjectDialogDocument& ProjectDialogDocument::For(CKORVADoc& document) {
    if (auto* existing =
            document.findChild<ProjectDialogDocument*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new ProjectDialogDocument(document);
}

ProjectDialogDocument::ProjectDialogDocument(CKORVADoc& document)
    : DialogDocument(&document), document_(document) {
    connect(&document_, &CKORVADoc::ModelEdited, this, &ProjectDialogDocument::OnModelEdited);
}

const GridData& ProjectDialogDocument::Grid() const {
    return document_.Grid();
}

void ProjectDialogDocument::Change(const QString& text, Apply apply, TakeBack takeBack,
                                   unsigned parts, std::size_t bytes) {
    document_.Execute(new DialogChangeCommand(document_, text, std::move(apply),
                                              std::move(takeBack), parts, bytes));
}

// Every change of the project, whoever made it, reaches the open dialogs.
void ProjectDialogDocument::OnModelEdited(const ModelChange& change) {
    emit ModelChanged(change.parts);
}

} // namespace korva
