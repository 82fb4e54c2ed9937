// Conversions between property values, following the rules a late-bound
// caller (a web page, a script) expects: numbers convert between numeric
// types with rounding half to even, True is -1, text converts to a number
// when it holds one, and a value that does not fit is an overflow.
#include "chartcontrol.h"
#include "charterrors.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace korva::plot {

namespace {

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameText(const std::string& a, const char* b) {
    std::string_view bv = b;
    if (a.size() != bv.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(bv[i])))
            return false;
    return true;
}

// A text as an error message quotes it: a page's text may be very long.
std::string Quoted(const std::string& text) {
    constexpr std::size_t kQuoted = 64;
    if (text.size() <= kQuoted) return text;
    std::size_t keep = kQuoted;
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
        --keep; // cut between characters
    return text.substr(0, keep) + "...";
}

// The number a text holds; "True"/"False" count as -1 and 0.
double TextToNumber(const std::string& text) {
    std::string t = Trimmed(text);
    if (SameText(t, "true")) return -1;
    if (SameText(t, "false")) return 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (first == last || ptr != last || ec == std::errc::invalid_argument)
        throw ChartError(kErrTypeMismatch,
                         "Type mismatch: \"" + Quoted(text) + "\" is not a number");
    if (ec == std::errc::result_out_of_range) throw ChartError(kErrOverflow, "Overflow");
    return v;
}

double ToNumber(const PropertyValue& v) {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(bool b) const { return b ? -1 : 0; }
        double operator()(int16_t i) const { return i; }
        double operator()(int32_t i) const { return i; }
        double operator()(float f) const { return f; }
        double operator()(double d) const { return d; }
        double operator()(const std::string& s) const { return TextToNumber(s); }
    };
    return std::visit(Visitor{}, v);
}

template <typename Int> Int ToInteger(double d) {
    if (!std::isfinite(d)) throw ChartError(kErrOverflow, "Overflow");
    double r = std::nearbyint(d); // the default rounding mode rounds half to even
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        throw ChartError(kErrOverflow, "Overflow");
    return static_cast<Int>(r);
}

template <typename Number> std::string NumberText(Number n) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, n);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

} // namespace

PropertyValue ConvertToType(const PropertyValue& v, PropertyType type) {
    switch (type) {
    case PropertyType::Text:
        if (const auto* s = std::get_if<std::string>(&v)) return *s;
        return ValueText(v);
    case PropertyType::Boolean:
        if (const auto* b = std::get_if<bool>(&v)) return *b;
        return ToNumber(v) != 0;
    case PropertyType::Integer:
        return ToInteger<int16_t>(ToNumber(v));
    case PropertyType::Long:
        return ToInteger<int32_t>(ToNumber(v));
    case PropertyType::Single: {
        double d = ToNumber(v);
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
            throw ChartError(kErrOverflow, "Overflow");
        return static_cast<float>(d);
    }
    case PropertyType::Double:
        return ToNumber(v);
    }
    throw ChartError(kErrTypeMismatch, "Type mismatch");
}

std::string ValueText(const PropertyValue& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(int16_t i) const { return NumberText(i); }
        std::string operator()(int32_t i) const { return NumberText(i); }
        std::string operator()(float f) const { return NumberText(f); }
        std::string operator()(double d) const { return NumberText(d); }
        std::string operator()(const std::string& s) const { return s; }
    };
    return std::visit(Visitor{}, v);
}

} // namespace korva::plot
