#include "files/text/textimportreader.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace korva {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void TextImportReader::SkipLines(int count) {
    for (int i = 0; i < count && p_ != end_; ++i) {
        const void* newline = std::memchr(p_, '\n', static_cast<std::size_t>(end_ - p_));
        p_ = newline != nullptr ? static_cast<const char*>(newline) + 1 : end_;
    }
}

bool TextImportReader::Next(double& value) {
    if (failed_) return false;
    while (p_ != end_ && IsSpace(*p_))
        ++p_;

    // The characters a stream takes for a double: sign, digits, one point,
    // an exponent. Anything else (a letter, "inf", a second sign) fails.
    const char* s = p_;
    const char* start = s;
    if (s != end_ && (*s == '+' || *s == '-')) ++s;
    const char* mantissa = s;
    std::size_t digits = 0;
    while (s != end_ && IsDigit(*s))
        ++s, ++digits;
    if (s != end_ && *s == '.') {
        ++s;
        while (s != end_ && IsDigit(*s))
            ++s, ++digits;
    }
    if (digits == 0) {
        failed_ = true;
        return false;
    }
    if (s != end_ && (*s == 'e' || *s == 'E')) {
        const char* e = s + 1;
        if (e != end_ && (*e == '+' || *e == '-')) ++e;
        if (e == end_ || !IsDigit(*e)) {
            failed_ = true; // "1e" is no number for a stream either
            return false;
        }
        while (e != end_ && IsDigit(*e))
            ++e;
        s = e;
    }
    double parsed = 0.0;
    auto result = std::from_chars(mantissa, s, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != s) {
        failed_ = true; // out of range: a stream fails there too
        return false;
    }
    value = *start == '-' ? -parsed : parsed;
    p_ = s;
    while (p_ != end_ && *p_ == ',')
        ++p_;
    return true;
}

} // namespace korva
