#include "logprogress.h"

#include <fstream>
#include <iterator>

namespace korva {

namespace {

// The leading integer of word, like the C library's atoi: 0 for no digits.
int LeadingInteger(std::string_view word) {
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    long value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        value = value * 10 + (word[i] - '0');
        if (value > 1000) value = 1000; // far beyond 100; keeps the sum small
    }
    return static_cast<int>(negative ? -value : value);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

bool ParseLogProgress(std::string_view text, int& percent) {
    std::string_view status;
    bool found = false;
    size_t start = 0;
    for (;;) {
        const size_t feed = text.find('\n', start);
        if (feed == std::string_view::npos) break; // a partial last line is still being written
        std::string_view line = text.substr(start, feed - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;
        status = line;
        found = true;
        start = feed + 1;
    }
    if (!found) return false;
    int word = 0;
    size_t i = 0;
    std::string_view third;
    while (i < status.size() && word < 3) {
        while (i < status.size() && IsSpace(status[i]))
            ++i;
        const size_t begin = i;
        while (i < status.size() && !IsSpace(status[i]))
            ++i;
        if (i > begin && ++word == 3) third = status.substr(begin, i - begin);
    }
    int value = LeadingInteger(third);
    percent = value < 0 ? 0 : (value > 100 ? 100 : value);
    return true;
}

bool ReadLogProgress(const std::string& path, int& percent) {
    // The solver keeps the log open for writing; reading it meanwhile is fine.
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseLogProgress(text, percent);
}

} // namespace korva
