#include "replacingfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korva {

namespace {

// Small pieces are gathered into writes of this size: a system call per
// value would dominate the time of a large export.
constexpr std::size_t BufferSize = 1 << 20;

} // namespace

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Open(const std::string& path) {
    Discard();
    failed_ = false;
    error_.clear();
    path_ = path;
    if (path.empty()) return Fail(ENOENT);
    std::vector<char> pattern(path.begin(), path.end());
    const char suffix[] = ".tmpXXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) return Fail(errno);
    temporary_ = pattern.data();
    ::fchmod(fd_, 0644); // mkstemp makes it private; an export is an ordinary file
    buffer_.reserve(BufferSize);
    return true;
}

bool ReplacingFile::Write(std::string_view data) {
    if (failed_ || fd_ < 0) return false;
    if (buffer_.size() + data.size() > BufferSize && !Flush()) return false;
    if (data.size() >= BufferSize) {
        while (!data.empty()) {
            const ssize_t n = ::write(fd_, data.data(), data.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return Fail(errno);
            }
            data.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    buffer_.insert(buffer_.end(), data.begin(), data.end());
    return true;
}

bool ReplacingFile::Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool ReplacingFile::Commit() {
    if (failed_ || fd_ < 0) return false;
    if (!Flush()) return false;
    if (::fsync(fd_) != 0) return Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(errno);
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) return Fail(errno);
    temporary_.clear();
    return true;
}

bool ReplacingFile::Fail(int code) {
    failed_ = true;
    error_ = std::strerror(code);
    Discard();
    return false;
}

void ReplacingFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    buffer_.clear();
}

} // namespace korva
