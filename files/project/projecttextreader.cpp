#include "files/project/projecttextreader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <system_error>
#include <unistd.h>

namespace korva {

namespace {

// White space as formatted extraction in the "C" locale sees it.
inline bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f';
}

// A leading '+' is taken as the stream readers took it; from_chars takes
// none. "inf" and "nan" are accepted because the writer writes them: a value
// the program can save must load again.
inline const char* NumberStart(const char* p, const char* end) {
    if (p < end && *p == '+') {
        ++p;
        if (p < end && (*p == '-' || *p == '+')) return nullptr;
    }
    return p;
}

// "+-1" is no number.
inline bool SignsValid(const char* begin, const char* end) {
    return !(begin + 1 < end && begin[0] == '+' && (begin[1] == '-' || begin[1] == '+'));
}

template <typename T> const char* ParseFloating(const char* begin, const char* end, T& value) {
    const char* start = NumberStart(begin, end);
    if (start == nullptr) return nullptr;
    T parsed{};
    auto result = std::from_chars(start, end, parsed, std::chars_format::general);
    if (result.ec != std::errc()) return nullptr;
    value = parsed;
    return result.ptr;
}

template <typename T> const char* ParseInteger(const char* begin, const char* end, T& value) {
    if (!SignsValid(begin, end)) return nullptr;
    const char* start = begin;
    if (start < end && *start == '+') ++start;
    T parsed{};
    auto result = std::from_chars(start, end, parsed);
    if (result.ec != std::errc()) return nullptr;
    value = parsed;
    return result.ptr;
}

} // namespace

ProjectTextReader::ProjectTextReader(std::string_view text)
    : fileSize_(text.size()), sourceEnded_(true), begin_(text.data()), pos_(text.data()),
      end_(text.data() + text.size()) {}

ProjectTextReader::ProjectTextReader(int fd, uint64_t fileSize)
    : fd_(fd), fileSize_(fileSize), window_(WindowSize) {
    begin_ = pos_ = end_ = window_.data();
    Refill();
}

void ProjectTextReader::Refill() {
    if (sourceEnded_ || fd_ < 0) return;
    char* base = window_.data();
    const size_t keep = Available();
    consumedBefore_ += static_cast<uint64_t>(pos_ - begin_);
    if (keep > 0 && pos_ != base) std::memmove(base, pos_, keep);
    size_t filled = keep;
    // Fill the whole window; a short read is not the end of the file.
    while (filled < window_.size()) {
        const ssize_t n = ::read(fd_, base + filled, window_.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A read error ends the input like the end of the file: the item
            // being read then fails with its parse error.
            sourceEnded_ = true;
            break;
        }
        filled += static_cast<size_t>(n);
    }
    begin_ = pos_ = base;
    end_ = base + filled;
}

size_t ProjectTextReader::Ensure(size_t want) {
    if (Available() < want && !sourceEnded_) Refill();
    return Available();
}

uint64_t ProjectTextReader::RemainingBytes() const {
    const uint64_t consumed = consumedBefore_ + static_cast<uint64_t>(pos_ - begin_);
    const uint64_t byFile = fileSize_ > consumed ? fileSize_ - consumed : 0;
    return std::max<uint64_t>(byFile, Available());
}

void ProjectTextReader::SkipWhitespace() {
    for (;;) {
        while (pos_ < end_ && IsSpace(*pos_))
            ++pos_;
        if (pos_ < end_ || sourceEnded_) return;
        Refill();
    }
}

bool ProjectTextReader::AtEnd() {
    SkipWhitespace();
    return pos_ == end_;
}

bool ProjectTextReader::MatchLabel(std::string_view key, char delimiter) {
    SkipWhitespace();
    Ensure(MaxLabelLength + 1);
    const size_t span = std::min(Available(), MaxLabelLength + 1);
    const char* found = static_cast<const char*>(std::memchr(pos_, delimiter, span));
    if (found == nullptr) {
        const size_t taken = std::min(span, MaxLabelLength);
        label_.assign(pos_, taken);
        pos_ += taken;
        return false;
    }
    label_.assign(pos_, found);
    pos_ = found + 1;
    return label_.find(key) != std::string::npos;
}

std::string ProjectTextReader::RestOfLine() {
    std::string line;
    for (;;) {
        const char* newline = static_cast<const char*>(std::memchr(pos_, '\n', Available()));
        if (newline != nullptr) {
            line.append(pos_, newline);
            pos_ = newline + 1;
            break;
        }
        line.append(pos_, end_);
        pos_ = end_;
        if (sourceEnded_) break;
        Refill();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool ProjectTextReader::LineContains(std::string_view key) {
    SkipWhitespace();
    // The header lines are short: look in the window without copying.
    Ensure(MaxLabelLength + 1);
    const char* newline = static_cast<const char*>(std::memchr(pos_, '\n', Available()));
    if (newline != nullptr) {
        const std::string_view line(pos_, static_cast<size_t>(newline - pos_));
        pos_ = newline + 1;
        return line.find(key) != std::string_view::npos;
    }
    return RestOfLine().find(key) != std::string::npos;
}

template <typename Parse> bool ProjectTextReader::ReadToken(Parse parse) {
    SkipWhitespace();
    // Numbers are short; keep enough of the input in view for any of them.
    if (Available() < 128) Ensure(128);
    const char* stop = parse(pos_, end_);
    if (stop == end_ && !sourceEnded_) {
        // The token reaches the end of the window: look again with more input.
        Refill();
        stop = parse(pos_, end_);
        if (stop == end_ && !sourceEnded_) return false;
    }
    if (stop == nullptr) return false;
    pos_ = stop;
    return true;
}

bool ProjectTextReader::ReadDouble(double& value) {
    return ReadToken([&value](const char* b, const char* e) { return ParseFloating(b, e, value); });
}

bool ProjectTextReader::ReadFloat(float& value) {
    return ReadToken([&value](const char* b, const char* e) { return ParseFloating(b, e, value); });
}

bool ProjectTextReader::ReadInt(int32_t& value) {
    return ReadToken([&value](const char* b, const char* e) { return ParseInteger(b, e, value); });
}

bool ProjectTextReader::ReadInt64(int64_t& value) {
    return ReadToken([&value](const char* b, const char* e) { return ParseInteger(b, e, value); });
}

} // namespace korva
