#pragma once
// The number reader of the text grid import: reads numbers the way a C++
// stream extracts doubles (a failed read ends all reading), without the
// locale, and skips the commas of comma-separated files. A file is read as a
// stream through a small window, never whole, and never past a byte limit
// the caller sets from what the grid can use: a device that never ends
// (/dev/zero, /dev/urandom) or a file of gigabytes costs neither memory nor
// more time than a grid's worth of text.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace korva {

class TextImportReader {
public:
    // The longest number read; a longer run of digits is no number.
    static constexpr std::size_t MaxNumberLength = 512;

    // Reads in, taking at most byteLimit bytes from it.
    TextImportReader(std::istream& in, std::uint64_t byteLimit);
    // Reads text held in memory (no limit beyond its size).
    explicit TextImportReader(std::string_view text);

    TextImportReader(const TextImportReader&) = delete;
    TextImportReader& operator=(const TextImportReader&) = delete;

    // Skips count whole lines, whatever their length. False when the byte
    // limit came before the last of them ended (the input is then no text
    // grid of this size); the end of the input is no failure.
    bool SkipLines(int count);

    // The next number; false at the end of the text, at text that is not a
    // number or at the byte limit, and from then on for every later call.
    bool Next(double& value);

    bool Failed() const { return failed_; }
    // Whether reading stopped at the byte limit.
    bool LimitReached() const { return limitReached_; }

private:
    // Keeps at least want bytes ahead of p_ when the input still has them;
    // returns how many there are.
    std::size_t Ensure(std::size_t want);

    std::istream* in_ = nullptr;
    std::uint64_t left_ = 0; // bytes still allowed from in_
    std::string window_;
    const char* p_ = nullptr;
    const char* end_ = nullptr;
    bool failed_ = false;
    bool limitReached_ = false;
};

} // namespace korva
