#pragma once
// The buffer under the project file writer. Lines are assembled in one large
// buffer with the one number formatter and handed to a sink in big blocks, so
// a large project writes at disk speed. Every line ends in CR LF: project
// files travel between systems.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace korva {

class ProjectTextWriter {
public:
    // Receives each full block; returns false when it could not store it.
    using Sink = std::function<bool(const char* data, size_t size)>;
    static constexpr size_t BufferSize = size_t{1} << 20;

    explicit ProjectTextWriter(Sink sink);
    ProjectTextWriter(const ProjectTextWriter&) = delete;
    ProjectTextWriter& operator=(const ProjectTextWriter&) = delete;

    void Text(std::string_view text);
    // A double in the file's number format (6 significant digits).
    void Number(double value);
    void Integer(int64_t value);
    void Space() { Char(' '); }
    void EndLine() { Text("\r\n"); }
    // Values each followed by a space: "1 2 3 ".
    void NumbersEachFollowedBySpace(const double* values, size_t count);
    // Values joined by a space: "1 2 3".
    void NumbersJoined(const double* values, size_t count);

    // Hands the rest of the buffer to the sink; false when any block failed.
    bool Finish();
    bool Failed() const { return failed_; }

private:
    void Char(char c) {
        if (cur_ == limit_) Flush();
        *cur_++ = c;
    }
    // Room for at least n more characters.
    void Reserve(size_t n) {
        if (static_cast<size_t>(limit_ - cur_) < n) Flush();
    }
    void Flush();

    Sink sink_;
    std::vector<char> buffer_;
    char* cur_;
    char* limit_;
    bool failed_ = false;
};

} // namespace korva
