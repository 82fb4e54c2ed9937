#pragma once
// The generic "change one record" command: a field or record of the model
// (a setting, a crop list, one boundary's values...) is given a new value;
// undo puts the old one back. It keeps the old and the new value only.
//
//   document.Execute(new ValueCommand<SimulationSettings>(
//       document, "Simulation Parameters",
//       [](GridData& grid) -> SimulationSettings& { return grid.settings; },
//       edited, {ModelChange::Settings}));
#include "app/document/documentcommand.h"

#include <functional>
#include <utility>

namespace korva {

template <typename T> class ValueCommand : public DocumentCommand {
public:
    using Accessor = std::function<T&(GridData&)>;

    ValueCommand(CKORVADoc& document, const QString& text, Accessor access, T newValue,
                 ModelChange change)
        : DocumentCommand(document, text, change), access_(std::move(access)),
          newValue_(std::move(newValue)), oldValue_(access_(Grid())) {}

    void redo() override {
        access_(Grid()) = newValue_;
        Report();
    }
    void undo() override {
        access_(Grid()) = oldValue_;
        Report();
    }
    std::size_t MemoryCost() const override { return sizeof(*this) + extraBytes_; }
    // For values that own memory (lists), the caller may say how much.
    void SetExtraBytes(std::size_t bytes) { extraBytes_ = bytes; }

private:
    Accessor access_;
    T newValue_;
    T oldValue_;
    std::size_t extraBytes_ = 0;
};

} // namespace korva
