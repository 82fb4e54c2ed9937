#pragma once
// Reads one file of the input set from memory: white-space separated values
// as the solver reads them, plus whole lines where names are read. Every
// problem raises InputError with the file's path, the line and what was
// expected, so a damaged set gets a message that says where it is damaged.
#include <cstddef>
#include <string>
#include <string_view>

namespace korva {

class InputSetScanner {
public:
    InputSetScanner(std::string path, std::string text);

    const std::string& Path() const { return path_; }
    std::string_view Text() const { return text_; }

    // Values. what names the expected value in a message ("the number of rows").
    std::string_view NextToken(const char* what);
    double ReadDouble(const char* what);
    long long ReadInteger(const char* what);
    // An integer in [low, high].
    long long ReadBounded(const char* what, long long low, long long high);
    // A count of items that each take at least bytesPerItem bytes of what is
    // left of the file, so that a damaged count fails here instead of asking
    // for a huge allocation.
    size_t ReadCount(const char* what, size_t bytesPerItem);

    // True when only white space is left.
    bool AtEnd();
    size_t Position() const { return pos_; }
    void SetPosition(size_t position) { pos_ = position; }
    size_t Remaining() const { return text_.size() - pos_; }
    // Moves past the next line end (or to the end of the text).
    void SkipRestOfLine();
    // The text up to the next line end (a CR before it dropped), moving past it.
    std::string_view ReadLine();

    [[noreturn]] void Fail(const std::string& problem) const;
    [[noreturn]] void FailAt(size_t position, const std::string& problem) const;

private:
    void SkipSpace();

    std::string path_;
    std::string text_;
    size_t pos_ = 0;
};

// Reads a whole file into text; false when it cannot be opened or read.
bool LoadTextFile(const std::string& path, std::string& text);

} // namespace korva
