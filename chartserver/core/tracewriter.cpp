#include "tracewriter.h"

#include "retry.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace korva::pxserver {

std::string EscapedTraceLine(std::string_view line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(std::min(line.size(), kMaxTraceLineBytes) + 32);
    std::size_t used = 0;
    for (; used < line.size() && out.size() < kMaxTraceLineBytes; ++used) {
        const auto c = static_cast<unsigned char>(line[used]);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else
            out += static_cast<char>(c);
    }
    if (used < line.size()) out += "... [" + std::to_string(line.size() - used) + " more bytes]";
    return out;
}

bool AppendTraceLine(const std::string& folder, std::string_view line) {
    const std::string path = folder + kTraceFileName;
    std::string bytes = EscapedTraceLine(line);
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
