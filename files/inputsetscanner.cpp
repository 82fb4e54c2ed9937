#include "inputsetscanner.h"

#include "files/textformat.h"
#include "model/errors.h"

#include <algorithm>
#include <cmath>
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
    const std::string_view token = NextToken(what);
    double value = 0.0;
    if (!ParseDouble(token, value))
        FailAt(pos_ - token.size(),
               std::string("expected ") + what + " (a number), found " + Quoted(token));
    return value;
}

long long InputSetScanner::ReadInteger(const char* what) {
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
    // Size the buffer once for a regular file; read on in chunks for anything else.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0) text.reserve(static_cast<size_t>(size) + 1);
        std::rewind(file);
    }
    char chunk[1 << 16];
    bool ok = true;
    for (;;) {
        const size_t n = std::fread(chunk, 1, sizeof chunk, file);
        text.append(chunk, n);
        if (n < sizeof chunk) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    return ok;
}

} // namespace korva
