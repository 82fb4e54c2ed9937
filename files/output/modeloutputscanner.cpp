#include "files/output/modeloutputscanner.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>

namespace korva {

namespace {

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// For a number that from_chars found too large or too small: whether it
// overflows (true) or underflows (false). The magnitude's exponent is the
// written exponent plus the position of the first significant digit relative
// to the radix point, in digits of the given base (bits per digit for hex).
bool Overflows(const char* begin, const char* end, bool hex) {
    const int digitWeight = hex ? 4 : 1;
    long long position = 0; // digits before the point, from the first significant one
    bool significant = false;
    bool afterPoint = false;
    const char* s = begin;
    for (; s != end; ++s) {
        const char c = *s;
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (!(hex ? IsHexDigit(c) : IsDecimalDigit(c))) break;
        if (!significant && c != '0') significant = true;
        if (significant && !afterPoint) position += digitWeight;
        if (!significant && afterPoint) position -= digitWeight;
    }
    long long exponent = 0;
    if (s != end && (*s == 'e' || *s == 'E' || *s == 'p' || *s == 'P')) {
        ++s;
        bool negative = false;
        if (s != end && (*s == '+' || *s == '-')) negative = *s++ == '-';
        for (; s != end && IsDecimalDigit(*s); ++s) {
            if (exponent < (1LL << 40)) exponent = exponent * 10 + (*s - '0');
        }
        if (negative) exponent = -exponent;
    }
    return position + exponent > 0;
}

// The common case of a solver's numbers, "-0.123457", "1.5e-005": at most 19
// digits and a small exponent. The digits then fit an integer and the power
// of ten is an exact double, so one multiplication or division rounds the
// value correctly, exactly as the general conversion would. False (nothing
// consumed) for anything else, which takes the general path.
bool ScanShortDecimal(const char*& p, const char* end, double& value) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* s = p;
    bool negative = false;
    if (s != end && (*s == '+' || *s == '-')) negative = *s++ == '-';
    unsigned long long mantissa = 0;
    int digits = 0;
    int exponent = 0;
    while (s != end && IsDecimalDigit(*s)) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*s - '0');
        ++digits;
        ++s;
    }
    if (s != end && (*s == 'x' || *s == 'X')) return false; // hexadecimal
    if (s != end && *s == '.') {
        ++s;
        while (s != end && IsDecimalDigit(*s)) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*s - '0');
            ++digits;
            --exponent;
            ++s;
        }
    }
    if (digits == 0 || digits > 19) return false;
    if (s != end && (*s == 'e' || *s == 'E')) {
        const char* e = s + 1;
        bool negativeExponent = false;
        if (e != end && (*e == '+' || *e == '-')) negativeExponent = *e++ == '-';
        if (e != end && IsDecimalDigit(*e)) {
            int written = 0;
            while (e != end && IsDecimalDigit(*e)) {
                if (written > 1000) return false;
                written = written * 10 + (*e - '0');
                ++e;
            }
            exponent += negativeExponent ? -written : written;
            s = e;
        }
    }
    if (mantissa > (1ULL << 53) || exponent < -22 || exponent > 22) return false;
    double result = static_cast<double>(mantissa);
    result = exponent < 0 ? result / powers[-exponent] : result * powers[exponent];
    value = negative ? -result : result;
    p = s;
    return true;
}

} // namespace

bool ScanCNumber(const char*& p, const char* end, double& value) {
    const char* s = p;
    while (s != end && IsCSpace(*s))
        ++s;
    if (ScanShortDecimal(s, end, value)) {
        p = s;
        return true;
    }
    bool negative = false;
    if (s != end && (*s == '+' || *s == '-')) negative = *s++ == '-';
    if (s == end || *s == '+' || *s == '-') return false;

    double parsed = 0.0;
    const char* stop = nullptr;
    if (end - s >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        const char* digits = s + 2;
        auto result = std::from_chars(digits, end, parsed, std::chars_format::hex);
        if (result.ec == std::errc::invalid_argument) {
            // "0x" without hexadecimal digits: strtod takes the "0".
            parsed = 0.0;
            stop = s + 1;
        } else {
            if (result.ec == std::errc::result_out_of_range) {
                parsed = Overflows(digits, result.ptr, true)
                             ? std::numeric_limits<double>::infinity()
                             : 0.0;
            }
            stop = result.ptr;
        }
    } else {
        auto result = std::from_chars(s, end, parsed, std::chars_format::general);
        if (result.ec == std::errc::invalid_argument) return false;
        if (result.ec == std::errc::result_out_of_range) {
            parsed =
                Overflows(s, result.ptr, false) ? std::numeric_limits<double>::infinity() : 0.0;
        }
        stop = result.ptr;
    }
    value = negative ? -parsed : parsed;
    p = stop;
    return true;
}

double ConvertCDouble(std::string_view text) {
    const char* p = text.data();
    double value = 0.0;
    if (!ScanCNumber(p, text.data() + text.size(), value)) return 0.0;
    return value;
}

bool ScanCInt(const char*& p, const char* end, int& value) {
    const char* s = p;
    while (s != end && IsCSpace(*s))
        ++s;
    bool negative = false;
    if (s != end && (*s == '+' || *s == '-')) negative = *s++ == '-';
    if (s == end || !IsDecimalDigit(*s)) return false;
    long long parsed = 0;
    for (; s != end && IsDecimalDigit(*s); ++s) {
        parsed = parsed * 10 + (*s - '0');
        if (parsed > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) parsed = -parsed;
    if (parsed > INT_MAX || parsed < INT_MIN) return false;
    value = static_cast<int>(parsed);
    p = s;
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    text.clear();
    // One read for a regular file of known size; the loop also serves pipes
    // and files that grow while being read.
    std::size_t expected = 0;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0) expected = static_cast<std::size_t>(size);
        std::rewind(file.get());
    }
    std::size_t used = 0;
    std::size_t want = expected + 1; // one more byte shows the end was reached
    for (;;) {
        text.resize(used + want);
        const std::size_t got = std::fread(text.data() + used, 1, want, file.get());
        used += got;
        if (got < want) break;
        want = std::size_t{1} << 20;
    }
    text.resize(used);
    return std::ferror(file.get()) == 0;
}

bool ModelOutputScanner::NextLine(std::string_view& line) {
    if (p_ == end_) return false;
    const char* begin = p_;
    const char* newline =
        static_cast<const char*>(std::memchr(p_, '\n', static_cast<std::size_t>(end_ - p_)));
    const char* lineEnd = newline != nullptr ? newline : end_;
    p_ = newline != nullptr ? newline + 1 : end_;
    if (lineEnd != begin && lineEnd[-1] == '\r') --lineEnd;
    std::size_t length = static_cast<std::size_t>(lineEnd - begin);
    if (length > MaxOutputLineLength) length = MaxOutputLineLength;
    line = std::string_view(begin, length);
    return true;
}

std::string_view TrimRight(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && IsCSpace(text[n - 1]))
        --n;
    return text.substr(0, n);
}

std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    return text.substr(i);
}

std::string FormatForMessage(double value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

} // namespace korva
