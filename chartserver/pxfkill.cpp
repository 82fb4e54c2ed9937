// pxfkill: the delayed-delete program. Started by a session's end in mode 0 as
//   pxfkill -<session file> <seconds>
// it returns at once, and a detached child of it waits that many seconds,
// deletes the files recorded in records 2 ... n of the session file and then
// the session file itself.
#include "componentpaths.h"
#include "profilefile.h"
#include "sessioncleanup.h"
#include "sessionfile.h"
#include "tracewriter.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace korva::pxserver;

// A day is far longer than any page keeps an image; a larger wait is a typo.
constexpr long kMaxWaitSeconds = 24L * 60 * 60;

struct Arguments {
    std::string session;
    long seconds = 0;
};

bool ParseArguments(int argc, char** argv, Arguments& parsed) {
    std::string sessionArgument;
    std::string secondsText;
    if (argc == 3) {
        sessionArgument = argv[1];
        secondsText = argv[2];
    } else if (argc == 2) {
        // One command-line string "-<session> <seconds>", as a shell passes it.
        const std::string whole = argv[1];
        const auto blank = whole.find_last_of(' ');
        if (blank == std::string::npos) return false;
        sessionArgument = whole.substr(0, blank);
        secondsText = whole.substr(blank + 1);
    } else {
        return false;
    }
    if (sessionArgument.size() < 2 || sessionArgument.front() != '-') return false;
    parsed.session = sessionArgument.substr(1);
    const char* first = secondsText.data();
    const char* last = first + secondsText.size();
    const auto result = std::from_chars(first, last, parsed.seconds);
    if (result.ec != std::errc() || result.ptr != last) return false;
    if (parsed.seconds < 0) parsed.seconds = 0;
    if (parsed.seconds > kMaxWaitSeconds) parsed.seconds = kMaxWaitSeconds;
    return true;
}

// The component's own folder, as the starter named the program there (a link
// to pxfkill keeps the folder of the link).
std::string ProgramFolder(const char* argv0) {
    const std::string started(argv0 == nullptr ? "" : argv0);
    if (!started.empty() && started.front() == '/')
        return WithTrailingSlash(std::filesystem::path(started).parent_path().string());
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("./") : WithTrailingSlash(exe.parent_path().string());
}

int DeleteLater(const Arguments& arguments, const std::string& folder) {
    std::this_thread::sleep_for(std::chrono::seconds(arguments.seconds));
    const bool trace =
        !ProfileFile::ReadString(SystemConfigFolder() + "PXPropVB.ini", "System", "TraceClass")
             .empty();
    auto traceLine = [&](const std::string& line) {
        if (trace) AppendTraceLine(folder, "PXFKill: " + line);
    };
    std::string reason;
    auto session = SessionFile::OpenOwn(arguments.session, reason);
    if (!session) {
        traceLine("Kill(" + arguments.session + ") refused: " + reason);
        return 1;
    }
    return DeleteSessionFiles(std::move(*session), traceLine) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: pxfkill -<session file> <seconds>\n");
        return 2;
    }
    // The starter waits only for this process; the waiting is done by a
    // child that nobody waits for, so the page host keeps no zombie.
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("pxfkill: fork");
        return 1;
    }
    if (child > 0) return 0;
    ::setsid();
    for (int fd = 3; fd < 1024; ++fd)
        ::close(fd);
    ::_exit(DeleteLater(arguments, ProgramFolder(argv[0])));
}
