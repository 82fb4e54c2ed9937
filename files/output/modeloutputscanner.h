#pragma once
// Pointer scanning over the text of a solver output file held in memory, and
// the number rules of those files. The solver's files are read the way its
// runtime wrote them: a value token is converted with the C library's
// text-to-double rule (the longest numeric prefix, 0 when there is none), but
// without consulting the C locale, so a decimal-comma desktop reads the same.
#include <cstddef>
#include <string>
#include <string_view>

namespace korva {

// The longest line a header of an output file may have; the rest of a longer
// physical line is skipped.
constexpr std::size_t MaxOutputLineLength = 511;

inline bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Converts the numeric prefix of [p, end) like strtod: optional white space,
// sign, decimal or hexadecimal digits with exponent, "inf", "infinity", "nan".
// On success p moves past the number; false (p unchanged) when there is none.
// Overflow gives an infinity, underflow zero, as strtod does.
bool ScanCNumber(const char*& p, const char* end, double& value);

// atof without the locale: the numeric prefix of text, or 0.
double ConvertCDouble(std::string_view text);

// Converts an int like scanf's "%d": optional white space, sign, digits.
// False (p unchanged) when there are no digits or the number does not fit.
bool ScanCInt(const char*& p, const char* end, int& value);

// Reads a whole file into text; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& text);

class ModelOutputScanner {
public:
    explicit ModelOutputScanner(std::string_view text)
        : p_(text.data()), end_(text.data() + text.size()) {}

    bool AtEnd() const { return p_ == end_; }
    const char* Position() const { return p_; }
    const char* End() const { return end_; }
    void SetPosition(const char* p) { p_ = p; }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

    // The next line without its line end (LF or CR LF), at most
    // MaxOutputLineLength characters. False at the end of the text.
    bool NextLine(std::string_view& line);

    // Skips white space, line ends included.
    void SkipSpace() {
        while (p_ != end_ && IsCSpace(*p_))
            ++p_;
    }

    // The next white-space-separated token; false at the end of the text.
    bool NextToken(std::string_view& token) {
        SkipSpace();
        if (p_ == end_) return false;
        const char* begin = p_;
        while (p_ != end_ && !IsCSpace(*p_))
            ++p_;
        token = std::string_view(begin, static_cast<std::size_t>(p_ - begin));
        return true;
    }

private:
    const char* p_;
    const char* end_;
};

// Removes trailing white space (a name line's CR and blanks).
std::string_view TrimRight(std::string_view text);
// Removes leading white space.
std::string_view TrimLeft(std::string_view text);

// "%g" as the user sees numbers, without the locale.
std::string FormatForMessage(double value);

} // namespace korva
