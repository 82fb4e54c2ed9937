#include "plainfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::pxserver {

PlainFileRead ReadPlainFile(const std::string& path, std::string& bytes, std::uintmax_t maxSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return PlainFileRead::Missing;
        return errno == ELOOP ? PlainFileRead::NotPlain : PlainFileRead::Unreadable;
    }
    struct stat info {};
    PlainFileRead result = PlainFileRead::Ok;
    if (::fstat(fd, &info) != 0) {
        result = PlainFileRead::Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        result = PlainFileRead::NotPlain;
    } else if (static_cast<std::uintmax_t>(info.st_size) > maxSize) {
        result = PlainFileRead::TooLarge;
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return result;
}

} // namespace korva::pxserver
