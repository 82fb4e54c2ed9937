#include "tracewriter.h"

#include "retry.h"

#include <fcntl.h>
#include <unistd.h>

namespace korva::pxserver {

bool AppendTraceLine(const std::string& folder, std::string_view line) {
    const std::string path = folder + kTraceFileName;
    std::string bytes(line);
    bytes += '\n';
    int fd = -1;
    if (!RetryStep([&] {
            fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
            return fd >= 0;
        }))
        return false;
    // One write per line with O_APPEND: lines of parallel requests never mix.
    const bool ok = RetryStep([&] {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        return n == static_cast<ssize_t>(bytes.size());
    });
    ::close(fd);
    return ok;
}

} // namespace korva::pxserver
