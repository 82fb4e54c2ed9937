#include "uniquefile.h"

#include "createdfiles.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace korva::pxserver {
namespace {

// Where the search for a free number starts: a clock value like the host's
// service, mixed with the process id so that two processes started together
// begin apart, and stepped per call so threads of one process do too.
unsigned StartNumber() {
    static std::atomic<unsigned> calls{0};
    const auto ticks =
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count() / 1000);
    const unsigned mixed =
        ticks ^ (static_cast<unsigned>(::getpid()) * 2654435761u) ^ (calls++ * 40503u);
    return mixed;
}

} // namespace

bool CreateExclusiveFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::close(fd);
    NoteCreatedFile(path);
    return true;
}

std::string CreateUniqueFile(const std::string& folder, const std::string& prefix) {
    // The host service uses at most three prefix characters.
    const std::string shortPrefix = prefix.substr(0, 3);
    unsigned number = StartNumber();
    for (unsigned tried = 0; tried < 0xFFFFu; ++tried, ++number) {
        const unsigned unique = number % 0xFFFFu + 1; // 1 .. FFFF, never 0
        char digits[8];
        std::snprintf(digits, sizeof digits, "%X", unique);
        std::string path = folder + shortPrefix + digits + ".TMP";
        if (CreateExclusiveFile(path)) return path;
        if (errno != EEXIST) return {};
    }
    errno = EEXIST;
    return {};
}

} // namespace korva::pxserver
