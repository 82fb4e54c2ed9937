#pragma once
// The dialogs' view of an open project: reads the document's model and hands
// every change to its undo stack as one command, which reports the change so
// the views redraw. One per document, owned by it.
#include "dialogdocument.h"

namespace korva {

class CKORVADoc;

class ProjectDialogDocument : public DialogDocument {
    Q_OBJECT
public:
    explicit ProjectDialogDocument(CKORVADoc& document);
    // The one of document, made on first use.
    static ProjectDialogDocument& Of(CKORVADoc& document);

    const GridData& Grid() const override;
    void Change(const QString& text, Apply apply, TakeBack takeBack, unsigned parts,
                Cost cost) override;
    CKORVADoc& Document() const { return document_; }

private:
    CKORVADoc& document_;
};

} // namespace korva
