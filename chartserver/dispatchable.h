#pragma once
// Dispatchable: an object of the component as pages reach it, by member name
// (compared without regard to case) with an optional 16-bit index.
#include "value.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korva::pxserver {

enum class MemberKind { Property, IndexedProperty, Method };

class Dispatchable {
public:
    virtual ~Dispatchable() = default;
    // The kind of member name, or nullopt when the object has no such member.
    virtual std::optional<MemberKind> Describe(std::string_view name) const = 0;
    // Each throws PxError (or the chart's ChartError) on failure.
    virtual Value Get(std::string_view name, std::optional<int16_t> index) = 0;
    virtual void Put(std::string_view name, std::optional<int16_t> index, const Value& value) = 0;
    virtual Value Call(std::string_view name, std::span<const Value> args) = 0;
};

// True when a and b are the same member name.
bool SameName(std::string_view a, std::string_view b);

} // namespace korva::pxserver
