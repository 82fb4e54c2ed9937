#include "sessionfile.h"

#include "ownednames.h"
#include "retry.h"
#include "sessionrecords.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::pxserver {
namespace {

bool SetRecordLock(int fd, std::size_t number, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>((number - 1) * kRecordSize);
    lock.l_len = static_cast<off_t>(kRecordSize);
    lock.l_pid = 0;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool WriteAll(int fd, const std::string& bytes, off_t at) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string Describe(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::optional<SessionFile> SessionFile::OpenOwn(const std::string& path, std::string& reason) {
    if (path.empty() || path.front() != '/' || HasParentPart(path) ||
        !IsSessionFileName(FileNamePart(path))) {
        reason = "not a session file name";
        return std::nullopt;
    }
    int fd = -1;
    if (!RetryStep([&] {
            fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
            return fd >= 0;
        })) {
        reason = Describe("cannot open");
        return std::nullopt;
    }
    SessionFile file(path, fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        return std::nullopt;
    }
    file.device_ = info.st_dev;
    file.inode_ = info.st_ino;
    const auto own = file.ReadRecord(1);
    if (!own || *own != path) {
        reason = "record 1 does not hold its own path";
        return std::nullopt;
    }
    return file;
}

bool SessionFile::WriteOwnRecord(const std::string& path, std::string& reason) {
    const auto record = FormatSessionRecord(path);
    if (!record) {
        reason = "path longer than a record";
        return false;
    }
    int fd = -1;
    if (!RetryStep([&] {
            fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
            return fd >= 0;
        })) {
        reason = Describe("cannot open");
        return false;
    }
    const bool ok = RetryStep([&] { return SetRecordLock(fd, 1, F_WRLCK); }) &&
                    RetryStep([&] { return WriteAll(fd, *record, 0); });
    if (!ok) reason = Describe("cannot write record 1");
    SetRecordLock(fd, 1, F_UNLCK);
    ::close(fd);
    return ok;
}

SessionFile::SessionFile(SessionFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), device_(other.device_), inode_(other.inode_) {
    other.fd_ = -1;
}

SessionFile& SessionFile::operator=(SessionFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        path_ = std::move(other.path_);
        fd_ = other.fd_;
        device_ = other.device_;
        inode_ = other.inode_;
        other.fd_ = -1;
    }
    return *this;
}

SessionFile::~SessionFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t SessionFile::RecordCount() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return 0;
    return static_cast<std::size_t>(info.st_size) / kRecordSize;
}

bool SessionFile::LockRecord(std::size_t number) const {
    return RetryStep([&] { return SetRecordLock(fd_, number, F_WRLCK); });
}

void SessionFile::UnlockRecord(std::size_t number) const {
    SetRecordLock(fd_, number, F_UNLCK);
}

std::optional<std::string> SessionFile::ReadRecordLocked(std::size_t number) const {
    std::string bytes(kRecordSize, ' ');
    ssize_t n = -1;
    const bool ok = RetryStep([&] {
        n = ::pread(fd_, bytes.data(), kRecordSize, static_cast<off_t>((number - 1) * kRecordSize));
        return n >= 0;
    });
    if (!ok || static_cast<std::size_t>(n) != kRecordSize) return std::nullopt;
    return TrimRecord(bytes);
}

std::optional<std::string> SessionFile::ReadRecord(std::size_t number) const {
    if (!RetryStep([&] { return SetRecordLock(fd_, number, F_RDLCK); })) return std::nullopt;
    auto record = ReadRecordLocked(number);
    UnlockRecord(number);
    return record;
}

bool SessionFile::StillNamed() const {
    struct stat info {};
    return ::lstat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_dev == device_ &&
           info.st_ino == inode_;
}

bool SessionFile::Append(const std::string& file, std::string& reason) {
    const auto record = FormatSessionRecord(file);
    if (!record) {
        reason = "path longer than a record";
        return false;
    }
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::size_t next = RecordCount() + 1;
        if (!LockRecord(next)) {
            reason = Describe("cannot lock");
            return false;
        }
        // Another request may have appended between the count and the lock:
        // then this record is taken, so count again.
        if (RecordCount() + 1 != next) {
            UnlockRecord(next);
            continue;
        }
        const bool ok = RetryStep(
            [&] { return WriteAll(fd_, *record, static_cast<off_t>((next - 1) * kRecordSize)); });
        if (!ok) reason = Describe("cannot write");
        UnlockRecord(next);
        return ok;
    }
    reason = "session file kept growing";
    return false;
}

} // namespace korva::pxserver
