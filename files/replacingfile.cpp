#include "files/replacingfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace korva {

namespace {

// Writers hand over small pieces; they go to the system in blocks of this size.
constexpr std::size_t BlockSize = std::size_t{1} << 16;

void SyncFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // the rename is durable only once the folder is
    ::close(fd);
}

} // namespace

ReplacingFile::ReplacingFile(std::string path) {
    Open(path);
}

bool ReplacingFile::Open(const std::string& path) {
    if (fd_ >= 0 || !temporary_.empty()) return false; // opened once only
    path_ = path;
    error_ = 0;
    if (path_.empty()) {
        error_ = ENOENT;
        return false;
    }
    // A file that is replaced keeps its permissions; a link under the name
    // is not looked through, so the new file gets those of any new file.
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat existing {};
    if (::lstat(path_.c_str(), &existing) == 0) {
        struct stat target {};
        if (S_ISREG(existing.st_mode)) {
            mode = existing.st_mode & 07777;
            keepMode = true;
        } else if (!S_ISLNK(existing.st_mode) ||
                   (::stat(path_.c_str(), &target) == 0 && !S_ISREG(target.st_mode))) {
            // Not a file but a device, a pipe or a folder, by itself or behind
            // a link (/dev/stdout): it is written in place, as it always was;
            // replacing it would put a plain file where the device was.
            direct_ = true;
            fd_ = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd_ < 0) error_ = errno;
            return fd_ >= 0;
        }
    }
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ =
            path_ + ".writing-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd_ =
            ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd_ >= 0) {
            if (keepMode) ::fchmod(fd_, mode);
            return true;
        }
        if (errno != EEXIST) break;
    }
    error_ = errno;
    temporary_.clear();
    return false;
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

bool ReplacingFile::Write(std::string_view data) {
    if (fd_ < 0 || error_ != 0) return false;
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return false;
    stream_.flush();
    if (stream_.fail() && error_ == 0) error_ = EIO;
    // A device or a pipe cannot be synced, and there is nothing to rename.
    if (!direct_ && error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (direct_) return error_ == 0;
    if (error_ == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) error_ = errno;
    if (error_ != 0) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    committed_ = true;
    SyncFolderOf(path_);
    return true;
}

std::string ReplacingFile::ErrorText() const {
    return std::strerror(error_ != 0 ? error_ : EIO);
}

ReplacingFile::Buffer::int_type ReplacingFile::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (pending_.size() >= BlockSize && !Drain()) return traits_type::eof();
    return c;
}

std::streamsize ReplacingFile::Buffer::xsputn(const char* data, std::streamsize size) {
    pending_.append(data, static_cast<std::size_t>(size));
    if (pending_.size() >= BlockSize && !Drain()) return 0;
    return size;
}

int ReplacingFile::Buffer::sync() {
    return Drain() ? 0 : -1;
}

bool ReplacingFile::Buffer::Drain() {
    const bool ok = file_.Write(pending_);
    pending_.clear();
    return ok;
}

} // namespace korva
