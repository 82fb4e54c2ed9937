#include "replacingfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::plot {
namespace {

// The process's file creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
    return 022;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
    mode_t mode = 0666 & ~CurrentUmask();
    struct stat existing {};
    if (::lstat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        mode = existing.st_mode & 07777;
    // Hidden and beside the target, so the rename stays on one file system;
    // the name is cut so that a long target name still leaves room.
    temporary_ = FolderOf(target_) + "." + NameOf(target_).substr(0, 200) + ".XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Failed("cannot make a file beside it");
        temporary_.clear();
        return;
    }
    ::fchmod(fd_, mode);
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool ReplacingFile::Failed(const char* step) {
    error_ = std::string(step) + ": " + std::strerror(errno);
    return false;
}

bool ReplacingFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Failed("cannot write");
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReplacingFile::Commit(bool durable) {
    if (fd_ < 0) return false;
    if (durable && ::fsync(fd_) != 0) return Failed("cannot write");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Failed("cannot write");
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Failed("cannot replace it");
    temporary_.clear();
    return true;
}

} // namespace korva::plot
