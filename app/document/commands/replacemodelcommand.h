#pragma once
// Replaces the whole model by another one (an imported solver input set).
// The command holds the model that is not in use: the new one until redo,
// the old one after it. That is what such a change changes.
#include "app/document/documentcommand.h"

#include <memory>

namespace korva {

class ReplaceModelCommand : public DocumentCommand {
public:
    ReplaceModelCommand(CKORVADoc& document, const QString& text,
                        std::unique_ptr<GridData> replacement);
    void redo() override;
    void undo() override;
    std::size_t MemoryCost() const override;

private:
    void Swap();
    std::unique_ptr<GridData> other_;
    std::size_t bytes_;
};

} // namespace korva
