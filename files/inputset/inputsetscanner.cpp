#include "files/inputset/inputsetscanner.h"

#include "files/numberformat.h"
#include "model/errors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace korva {
namespace {

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\n' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
}

std::string Quoted(std::string_view token) {
    constexpr size_t shown = 24;
    std::string text = "\"";
    text.append(token.substr(0, shown));
    if (token.size() > shown) text += "...";
    return text + "\"";
}

// The numbers of an input set are short decimals ("13.472", "-9999",
// "1e-005"). When the digits fit a double's 53-bit mantissa exactly and the
// power of ten is one that a double holds exactly (up to 1e22), one multiply
// or divide gives the correctly rounded value, the same as a full parse. False
// for anything else, which then takes the full parse.
// Reads from p up to the first white space; returns where it stopped, or
// nullptr when the text there is not such a number.
const char* ParseShortDecimal(const char* p, const char* end, double& value) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    bool anyDigit = false;
    for (; p != end && *p >= '0' && *p <= '9'; ++p, anyDigit = true) {
        if (mantissa != 0 || *p != '0') ++digits;
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
        if (digits > 15) return nullptr;
    }
    if (p != end && *p == '.') {
        for (++p; p != end && *p >= '0' && *p <= '9'; ++p, anyDigit = true) {
            if (mantissa != 0 || *p != '0') ++digits;
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            --exponent;
            if (digits > 15) return nullptr;
        }
    }
    if (!anyDigit) return nullptr;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negativeExponent = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) ++p;
        if (p == end || *p < '0' || *p > '9') return nullptr;
        int e = 0;
        for (; p != end && *p >= '0' && *p <= '9'; ++p) {
            e = e * 10 + (*p - '0');
            if (e > 1000) return nullptr;
        }
        exponent += negativeExponent ? -e : e;
    }
    if ((p != end && !IsSpace(*p)) || exponent < -22 || exponent > 22) return nullptr;
    // At most 15 significant digits: the mantissa is exact as a double.
    double result = static_cast<double>(mantissa);
    result = exponent < 0 ? result / powers[-exponent] : result * powers[exponent];
    value = negative ? -result : result;
    return p;
}

} // namespace

InputSetScanner::InputSetScanner(std::string path, std::string text)
    : path_(std::move(path)), text_(std::move(text)) {}

void InputSetScanner::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_]))
        ++pos_;
}

bool InputSetScanner::AtEnd() {
    SkipSpace();
    return pos_ >= text_.size();
}

std::string_view InputSetScanner::NextToken(const char* what) {
    SkipSpace();
    if (pos_ >= text_.size()) Fail(std::string("the file ends where ") + what + " was expected");
    const size_t begin = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_]))
        ++pos_;
    return std::string_view(text_).substr(begin, pos_ - begin);
}

double InputSetScanner::ReadDouble(const char* what) {
    SkipSpace();
    double value = 0.0;
    const char* begin = text_.data() + pos_;
    if (const char* stop = ParseShortDecimal(begin, text_.data() + text_.size(), value)) {
        pos_ += static_cast<size_t>(stop - begin);
        return value;
    }
    const std::string_view token = NextToken(what);
    if (!ParseDouble(token, value))
        FailAt(pos_ - token.size(),
               std::string("expected ") + what + " (a number), found " + Quoted(token));
    return value;
}

long long InputSetScanner::ReadInteger(const char* what) {
    // Memberships and codes are short integers: read them in place; anything
    // longer or stranger takes the full parse below.
    SkipSpace();
    const char* p = text_.data() + pos_;
    const char* end = text_.data() + text_.size();
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    const char* digits = p;
    long long fast = 0;
    while (p != end && *p >= '0' && *p <= '9' && p - digits < 18)
        fast = fast * 10 + (*p++ - '0');
    if (p != digits && (p == end || IsSpace(*p))) {
        pos_ = static_cast<size_t>(p - text_.data());
        return negative ? -fast : fast;
    }
    const std::string_view token = NextToken(what);
    long long value = 0;
    if (!ParseInt(token, value))
        FailAt(pos_ - token.size(),
               std::string("expected ") + what + " (a whole number), found " + Quoted(token));
    return value;
}

long long InputSetScanner::ReadBounded(const char* what, long long low, long long high) {
    const long long value = ReadInteger(what);
    if (value < low || value > high) {
        // Point at the token just read.
        size_t at = pos_;
        while (at > 0 && !IsSpace(text_[at - 1]))
            --at;
        FailAt(at, std::string(what) + " " + std::to_string(value) + " is outside " +
                       std::to_string(low) + " to " + std::to_string(high));
    }
    return value;
}

size_t InputSetScanner::ReadCount(const char* what, size_t bytesPerItem) {
    const long long limit = static_cast<long long>(Remaining() / std::max<size_t>(bytesPerItem, 1));
    return static_cast<size_t>(ReadBounded(what, 0, limit));
}

void InputSetScanner::SkipRestOfLine() {
    const size_t end = text_.find('\n', pos_);
    pos_ = end == std::string::npos ? text_.size() : end + 1;
}

std::string_view InputSetScanner::ReadLine() {
    const size_t begin = pos_;
    SkipRestOfLine();
    size_t end = pos_;
    if (end > begin && text_[end - 1] == '\n') --end;
    if (end > begin && text_[end - 1] == '\r') --end;
    return std::string_view(text_).substr(begin, end - begin);
}

void InputSetScanner::Fail(const std::string& problem) const {
    FailAt(pos_, problem);
}

void InputSetScanner::FailAt(size_t position, const std::string& problem) const {
    position = std::min(position, text_.size());
    const auto line =
        1 + std::count(text_.begin(), text_.begin() + static_cast<long>(position), '\n');
    throw InputError("Error reading " + path_ + ", line " + std::to_string(line) + ": " + problem +
                     ".");
}

bool LoadTextFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    text.clear();
    // Size the text once for a regular file and read it in one call; read on
    // in chunks for anything that reports no size or grows meanwhile.
    size_t size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        if (end > 0) size = static_cast<size_t>(end);
        std::rewind(file);
    }
    text.resize(size);
    size_t got = size == 0 ? 0 : std::fread(text.data(), 1, size, file);
    text.resize(got);
    bool ok = std::ferror(file) == 0;
    if (ok && got == size) {
        char chunk[1 << 16];
        size_t n = 0;
        while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            text.append(chunk, n);
        ok = std::ferror(file) == 0;
    }
    std::fclose(file);
    return ok;
}

} // namespace korva
