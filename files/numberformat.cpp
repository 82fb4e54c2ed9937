#include "files/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace korva {

char* FormatNumber(char* buffer, double value) {
    // Whole numbers below a million (-9999, day numbers, counts held as
    // doubles) are most of what a project holds; %g prints them as integers.
    // Negative zero keeps its sign, as %g gives it.
    if (value > -1e6 && value < 1e6) {
        const auto whole = static_cast<int32_t>(value);
        if (static_cast<double>(whole) == value && (whole != 0 || !std::signbit(value))) {
            return std::to_chars(buffer, buffer + MaxNumberTextLength, whole).ptr;
        }
    }
    // to_chars in general form with a precision is %g without the locale.
    auto result =
        std::to_chars(buffer, buffer + MaxNumberTextLength, value, std::chars_format::general, 6);
    char* end = result.ptr;
    // Widen a two-digit exponent ("e-05") to three digits ("e-005").
    char* e = static_cast<char*>(std::memchr(buffer, 'e', static_cast<size_t>(end - buffer)));
    if (e != nullptr) {
        char* digits = e + 2; // past 'e' and the sign
        const long count = end - digits;
        if (count < 3) {
            const long pad = 3 - count;
            std::memmove(digits + pad, digits, static_cast<size_t>(count));
            std::memset(digits, '0', static_cast<size_t>(pad));
            end += pad;
        }
    }
    return end;
}

void AppendNumber(std::string& out, double value) {
    char buffer[MaxNumberTextLength];
    char* end = FormatNumber(buffer, value);
    out.append(buffer, end);
}

std::string FormatNumber(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

bool ParseDouble(std::string_view text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    // from_chars takes no leading '+'; the stream readers this replaces did.
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-') return false;
    }
    double parsed = 0.0;
    auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || begin == end) return false;
    value = parsed;
    return true;
}

bool ParseInt(std::string_view text, long long& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-') return false;
    }
    long long parsed = 0;
    auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr != end || begin == end) return false;
    value = parsed;
    return true;
}

} // namespace korva
