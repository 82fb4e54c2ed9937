#include "replacefile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korva {

namespace {

bool Fail(std::string* error, int code, const std::string& temporary) {
    if (error != nullptr) *error = std::strerror(code);
    if (!temporary.empty()) ::unlink(temporary.c_str());
    return false;
}

} // namespace

bool ReplaceFileContents(const std::string& path, std::string_view data, std::string* error) {
    if (path.empty()) return Fail(error, ENOENT, {});
    std::vector<char> pattern(path.begin(), path.end());
    const char suffix[] = ".tmpXXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return Fail(error, errno, {});
    const std::string temporary(pattern.data());
    ::fchmod(fd, 0644); // mkstemp makes it private; an export is an ordinary file
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            return Fail(error, code, temporary);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const int code = errno;
        ::close(fd);
        return Fail(error, code, temporary);
    }
    if (::close(fd) != 0) return Fail(error, errno, temporary);
    if (::rename(temporary.c_str(), path.c_str()) != 0) return Fail(error, errno, temporary);
    return true;
}

} // namespace korva
