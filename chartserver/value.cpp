// A page's values are converted by the chart engine's own rules (one set of
// rules for the engine, the component and the program's graph window); only
// the component's objects and the page's response are added here.
#include "value.h"

#include "pxerror.h"

namespace korva::pxserver {
namespace {

// The scalar a value holds; an object or a response converts to nothing.
struct ScalarOf {
    PropertyValue operator()(const std::shared_ptr<Dispatchable>&) const {
        throw PxError::TypeMismatch();
    }
    PropertyValue operator()(Response*) const { throw PxError::TypeMismatch(); }
    template <typename T> PropertyValue operator()(const T& scalar) const { return scalar; }
};

PropertyValue Scalar(const Value& v) {
    return std::visit(ScalarOf{}, v);
}

template <typename T> T Converted(const Value& v, PropertyType type) {
    if (const auto* same = std::get_if<T>(&v)) return *same;
    return std::get<T>(plot::ConvertToType(Scalar(v), type));
}

} // namespace

std::string ValueText(const Value& v) {
    if (std::holds_alternative<std::shared_ptr<Dispatchable>>(v)) return "[Object]";
    if (std::holds_alternative<Response*>(v)) return "[Response]";
    if (const auto* text = std::get_if<std::string>(&v)) return *text;
    return plot::ValueText(Scalar(v));
}

double ToDouble(const Value& v) {
    return Converted<double>(v, PropertyType::Double);
}

int16_t ToInteger(const Value& v) {
    return Converted<int16_t>(v, PropertyType::Integer);
}

int32_t ToLong(const Value& v) {
    return Converted<int32_t>(v, PropertyType::Long);
}

bool ToBoolean(const Value& v) {
    return Converted<bool>(v, PropertyType::Boolean);
}

std::string ToText(const Value& v) {
    return Converted<std::string>(v, PropertyType::Text);
}

PropertyValue ToPropertyType(const Value& v, PropertyType type) {
    return plot::ConvertToType(Scalar(v), type);
}

Value FromPropertyValue(const PropertyValue& v) {
    return std::visit([](const auto& x) -> Value { return x; }, v);
}

} // namespace korva::pxserver
