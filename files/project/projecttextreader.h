#pragma once
// The scanner under the project file reader. It walks a project text through a
// fixed window (a file is never held whole in memory, so a large project reads
// in little more than the memory its values need) and offers the few reads the
// format uses: labels matched by key, rest-of-line strings, whole lines, and
// numbers separated by white space. Numbers are parsed with from_chars, never
// through a locale.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ProjectTextReader {
public:
    // Longest label text read before its delimiter.
    static constexpr size_t MaxLabelLength = 511;
    // Size of the window over a file.
    static constexpr size_t WindowSize = size_t{1} << 20;

    // Reads the text in memory; text must outlive the reader.
    explicit ProjectTextReader(std::string_view text);
    // Reads an open file descriptor (not closed by the reader) whose size is
    // fileSize bytes, through the window.
    ProjectTextReader(int fd, uint64_t fileSize);

    ProjectTextReader(const ProjectTextReader&) = delete;
    ProjectTextReader& operator=(const ProjectTextReader&) = delete;

    // Skips white space, line ends included.
    void SkipWhitespace();
    // True when nothing but white space is left.
    bool AtEnd();
    // Bytes of the input not yet consumed (an upper bound on what any count
    // read from the input can still describe).
    uint64_t RemainingBytes() const;

    // Skips white space, reads up to delimiter (at most MaxLabelLength
    // characters, line ends kept) and consumes the delimiter. True when the
    // delimiter was found and the text contains key. The text is kept in
    // LastLabel().
    bool MatchLabel(std::string_view key, char delimiter = '=');
    const std::string& LastLabel() const { return label_; }

    // The rest of the current line, without its line end (CR LF or LF).
    std::string RestOfLine();
    // Skips white space, then reads one line; true when it contains key.
    bool LineContains(std::string_view key);

    // Formatted extraction: skips white space and reads a number. False when
    // no number starts there (the input position is then undefined).
    bool ReadDouble(double& value);
    bool ReadFloat(float& value);
    bool ReadInt(int32_t& value);
    bool ReadInt64(int64_t& value);

private:
    // Makes at least want bytes available after pos_ when the input has them;
    // returns the number available.
    size_t Ensure(size_t want);
    void Refill();
    size_t Available() const { return static_cast<size_t>(end_ - pos_); }
    // Parses a number token at pos_ with parse(begin, end) -> end of the
    // number or nullptr; grows the window when the token reaches its end.
    template <typename Parse> bool ReadToken(Parse parse);

    int fd_ = -1;
    uint64_t fileSize_ = 0;
    uint64_t consumedBefore_ = 0; // input bytes before window_[0]
    bool sourceEnded_ = false;    // nothing more to refill from
    std::vector<char> window_;
    const char* begin_ = nullptr; // start of the valid bytes
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    std::string label_;
};

} // namespace korva
