#pragma once
// A command made of two functions, for changes whose undo is easier written
// than stored: redo applies, undo takes back. What the functions capture is
// all the command keeps, so capture only what changes.
#include "app/document/documentcommand.h"

#include <functional>

namespace korva {

class FunctionCommand : public DocumentCommand {
public:
    using Step = std::function<void(GridData&)>;
    FunctionCommand(CKORVADoc& document, const QString& text, Step redo, Step undo,
                    ModelChange change, std::size_t bytes = 0)
        : DocumentCommand(document, text, change), redo_(std::move(redo)), undo_(std::move(undo)),
          bytes_(bytes) {}

    void redo() override {
        redo_(Grid());
        Report();
    }
    void undo() override {
        undo_(Grid());
        Report();
    }
    std::size_t MemoryCost() const override { return sizeof(*this) + bytes_; }

private:
    Step redo_;
    Step undo_;
    std::size_t bytes_;
};

} // namespace korva
