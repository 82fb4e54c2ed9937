#pragma once
// The project document as the dialogs see it: its model to read, and each
// dialog change pushed on its undo stack as one command that reports what it
// touched. One per project, owned by the document.
#include "dialogs/dialogdocument.h"

namespace korva {

class CKORVADoc;
struct ModelChange;

class ProjectDialogDocument : public DialogDocument {
    Q_OBJECT
public:
    // The document's own, made on first use.
    static ProjectDialogDocument& For(CKORVADoc& document);

    const GridData& Grid() const override;
    void Change(const QString& text, Apply apply, TakeBack takeBack, unsigned parts,
                std::size_t bytes) override;

private:
    explicit ProjectDialogDocument(CKORVADoc& document);
    void OnModelEdited(const ModelChange& change);

    CKORVADoc& document_;
};

} // namespace korva
