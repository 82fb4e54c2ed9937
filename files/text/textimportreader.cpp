#include "files/text/textimportreader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <istream>
#include <system_error>

namespace korva {

namespace {

// Bytes taken from the stream at a time.
constexpr std::size_t ChunkSize = std::size_t{1} << 16;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

TextImportReader::TextImportReader(std::istream& in, std::uint64_t byteLimit)
    : in_(&in), left_(byteLimit) {
    p_ = end_ = window_.data();
}

TextImportReader::TextImportReader(std::string_view text)
    : p_(text.data()), end_(text.data() + text.size()) {}

std::size_t TextImportReader::Ensure(std::size_t want) {
    std::size_t available = static_cast<std::size_t>(end_ - p_);
    if (in_ == nullptr) return available;
    while (available < want) {
        if (left_ == 0) {
            // A stream that still has bytes at the limit is longer than any
            // grid of this size can use.
            if (in_->peek() != std::char_traits<char>::eof()) limitReached_ = true;
            break;
        }
        if (!*in_) break;
        // Keep the unread tail, then append a chunk behind it.
        std::string kept(p_, available);
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(ChunkSize, left_));
        kept.resize(available + chunk);
        in_->read(kept.data() + available, static_cast<std::streamsize>(chunk));
        const std::size_t got = static_cast<std::size_t>(in_->gcount());
        kept.resize(available + got);
        left_ -= got;
        window_.swap(kept);
        p_ = window_.data();
        end_ = window_.data() + window_.size();
        if (got == 0) break;
        available += got;
    }
    return available;
}

bool TextImportReader::SkipLines(int count) {
    for (int i = 0; i < count; ++i) {
        for (;;) {
            if (Ensure(1) == 0) return !limitReached_;
            const void* newline = std::memchr(p_, '\n', static_cast<std::size_t>(end_ - p_));
            if (newline != nullptr) {
                p_ = static_cast<const char*>(newline) + 1;
                break;
            }
            p_ = end_; // the line goes on past the window
        }
    }
    return true;
}

bool TextImportReader::Next(double& value) {
    if (failed_) return false;
    for (;;) {
        while (p_ != end_ && IsSpace(*p_))
            ++p_;
        if (p_ != end_ || Ensure(1) == 0) break;
    }
    // A number, with its exponent, lies within the window once this much is in it.
    Ensure(MaxNumberLength + 1);

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
    if (static_cast<std::size_t>(s - start) > MaxNumberLength) {
        failed_ = true; // endless digits are no value of a cell
        return false;
    }
    double parsed = 0.0;
    auto result = std::from_chars(mantissa, s, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != s) {
        failed_ = true; // out of range: a stream fails there too
        return false;
    }
    value = *start == '-' ? -parsed : parsed;
    p_ = s;
    for (;;) {
        while (p_ != end_ && *p_ == ',')
            ++p_;
        if (p_ != end_ || Ensure(1) == 0) break;
    }
    return true;
}

} // namespace korva
