#include "value.h"

#include "pxerror.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace korva::pxserver {
namespace {

template <typename T> std::string Shortest(T number) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

bool SameTextNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(b[i])) return false;
    return i == a.size() && b[i] == '\0';
}

double ParseNumber(const std::string& text) {
    std::size_t start = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (start == std::string::npos) throw PxError::TypeMismatch();
    const char* first = text.data() + start;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    double number = 0;
    const auto result = std::from_chars(first, last, number);
    if (result.ec == std::errc::result_out_of_range) throw PxError::Overflow();
    if (result.ec != std::errc() || result.ptr != last) {
        if (SameTextNoCase(text.substr(start, end - start + 1), "true")) return -1;
        if (SameTextNoCase(text.substr(start, end - start + 1), "false")) return 0;
        throw PxError::TypeMismatch();
    }
    return number;
}

template <typename Int> Int RoundToInteger(double number) {
    if (std::isnan(number)) throw PxError::Overflow();
    const double rounded = std::nearbyint(number); // half to even in the default mode
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw PxError::Overflow();
    return static_cast<Int>(rounded);
}

} // namespace

std::string ValueText(const Value& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(int16_t n) const { return std::to_string(n); }
        std::string operator()(int32_t n) const { return std::to_string(n); }
        std::string operator()(float f) const { return Shortest(f); }
        std::string operator()(double d) const { return Shortest(d); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const std::shared_ptr<Dispatchable>&) const { return "[Object]"; }
        std::string operator()(Response*) const { return "[Response]"; }
    };
    return std::visit(Visitor{}, v);
}

double ToDouble(const Value& v) {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(bool b) const { return b ? -1 : 0; }
        double operator()(int16_t n) const { return n; }
        double operator()(int32_t n) const { return n; }
        double operator()(float f) const { return f; }
        double operator()(double d) const { return d; }
        double operator()(const std::string& s) const { return ParseNumber(s); }
        double operator()(const std::shared_ptr<Dispatchable>&) const {
            throw PxError::TypeMismatch();
        }
        double operator()(Response*) const { throw PxError::TypeMismatch(); }
    };
    return std::visit(Visitor{}, v);
}

int16_t ToInteger(const Value& v) {
    if (const auto* n = std::get_if<int16_t>(&v)) return *n;
    return RoundToInteger<int16_t>(ToDouble(v));
}

int32_t ToLong(const Value& v) {
    if (const auto* n = std::get_if<int32_t>(&v)) return *n;
    return RoundToInteger<int32_t>(ToDouble(v));
}

bool ToBoolean(const Value& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    return ToDouble(v) != 0;
}

std::string ToText(const Value& v) {
    if (std::holds_alternative<std::shared_ptr<Dispatchable>>(v) ||
        std::holds_alternative<Response*>(v))
        throw PxError::TypeMismatch();
    return ValueText(v);
}

PropertyValue ToPropertyType(const Value& v, PropertyType type) {
    switch (type) {
    case PropertyType::Integer:
        return ToInteger(v);
    case PropertyType::Long:
        return ToLong(v);
    case PropertyType::Single: {
        const double d = ToDouble(v);
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
            throw PxError::Overflow();
        return static_cast<float>(d);
    }
    case PropertyType::Double:
        return ToDouble(v);
    case PropertyType::Text:
        return ToText(v);
    case PropertyType::Boolean:
        return ToBoolean(v);
    }
    throw PxError::TypeMismatch();
}

Value FromPropertyValue(const PropertyValue& v) {
    return std::visit([](const auto& x) -> Value { return x; }, v);
}

} // namespace korva::pxserver
