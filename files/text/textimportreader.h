#pragma once
// The number reader of the text grid import: reads numbers the way a C++
// stream extracts doubles (a failed read ends all reading), without the
// locale, and skips the commas of comma-separated files.
#include <cstddef>
#include <string_view>

namespace korva {

class TextImportReader {
public:
    explicit TextImportReader(std::string_view text)
        : p_(text.data()), end_(text.data() + text.size()) {}

    // Skips count whole lines, whatever their length.
    void SkipLines(int count);

    // The next number; false at the end of the text or at text that is not a
    // number, and from then on for every later call.
    bool Next(double& value);

    bool Failed() const { return failed_; }

private:
    const char* p_;
    const char* end_;
    bool failed_ = false;
};

} // namespace korva
