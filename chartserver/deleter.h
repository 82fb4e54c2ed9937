#pragma once
// Deleter: deletes one file for the component. Pages can create it too, so it
// deletes only files the component named itself (placeholders, images, map
// files); any other file is refused with a trace line and left alone.
#include "dispatchable.h"

#include <string>

namespace korva::pxserver {

class Deleter : public Dispatchable {
public:
    Deleter();

    // Deletes file; true when it no longer exists afterwards, false when it was
    // refused. A file that does not exist raises 53 "File not found".
    bool Killer(const std::string& file);

    void SetTraceFlag(bool on) { traceFlag_ = on; }

    std::optional<MemberKind> Describe(std::string_view name) const override;
    Value Get(std::string_view name, std::optional<int16_t> index) override;
    void Put(std::string_view name, std::optional<int16_t> index, const Value& value) override;
    Value Call(std::string_view name, std::span<const Value> args) override;

private:
    bool traceFlag_ = false;
};

} // namespace korva::pxserver
