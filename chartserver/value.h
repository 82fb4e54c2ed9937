#pragma once
// Value: what a page passes to and gets from the component's objects through
// late binding: the chart's scalar types, an object, or the page's response.
#include "chartcontrol.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace korva::pxserver {

class Dispatchable;
class Response;

using plot::PropertyType;
using plot::PropertyValue;

using Value = std::variant<std::monostate, bool, int16_t, int32_t, float, double, std::string,
                           std::shared_ptr<Dispatchable>, Response*>;

// The ordinary text of a value as traces show it: numbers in their shortest
// form, Booleans as "True"/"False", empty as "".
std::string ValueText(const Value& v);

// Conversions as a late-bound caller expects them, by the chart engine's
// rules (plot::ConvertToType): between numeric types with rounding half to
// even, numbers from text, True as -1. They throw plot::ChartError: 6
// "Overflow" when the value does not fit, 13 "Type mismatch" otherwise (an
// object or a response is never a number or a text).
double ToDouble(const Value& v);
int16_t ToInteger(const Value& v);
int32_t ToLong(const Value& v);
bool ToBoolean(const Value& v);
std::string ToText(const Value& v);

// A scalar value converted to a chart property type (an object or a response
// is a type mismatch).
PropertyValue ToPropertyType(const Value& v, PropertyType type);
Value FromPropertyValue(const PropertyValue& v);

} // namespace korva::pxserver
