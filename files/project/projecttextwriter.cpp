#include "files/project/projecttextwriter.h"

#include "files/numberformat.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace korva {

ProjectTextWriter::ProjectTextWriter(Sink sink) : sink_(std::move(sink)), buffer_(BufferSize) {
    cur_ = buffer_.data();
    limit_ = buffer_.data() + buffer_.size();
}

void ProjectTextWriter::Flush() {
    const size_t size = static_cast<size_t>(cur_ - buffer_.data());
    // After a failure nothing more reaches the sink: the file is abandoned.
    if (size > 0 && !failed_ && !sink_(buffer_.data(), size)) failed_ = true;
    cur_ = buffer_.data();
}

void ProjectTextWriter::Text(std::string_view text) {
    while (!text.empty()) {
        if (cur_ == limit_) Flush();
        const size_t n = std::min(text.size(), static_cast<size_t>(limit_ - cur_));
        std::memcpy(cur_, text.data(), n);
        cur_ += n;
        text.remove_prefix(n);
    }
}

void ProjectTextWriter::Number(double value) {
    Reserve(MaxNumberTextLength);
    cur_ = FormatNumber(cur_, value);
}

void ProjectTextWriter::Integer(int64_t value) {
    Reserve(24);
    cur_ = std::to_chars(cur_, limit_, value).ptr;
}

void ProjectTextWriter::NumbersEachFollowedBySpace(const double* values, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        Reserve(MaxNumberTextLength + 1);
        cur_ = FormatNumber(cur_, values[i]);
        *cur_++ = ' ';
    }
}

void ProjectTextWriter::NumbersJoined(const double* values, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        Reserve(MaxNumberTextLength + 1);
        if (i > 0) *cur_++ = ' ';
        cur_ = FormatNumber(cur_, values[i]);
    }
}

bool ProjectTextWriter::Finish() {
    Flush();
    return !failed_;
}

} // namespace korva
