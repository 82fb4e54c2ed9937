#include "sessioncleanup.h"

#include "ownednames.h"
#include "retry.h"
#include "sessionfile.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::pxserver {
namespace {

// Unlinks path unless it is already gone; a missing file is as good as
// deleted here.
bool Unlink(const std::string& path) {
    return RetryStep([&] { return ::unlink(path.c_str()) == 0 || errno == ENOENT; });
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool UnlinkSessionFile(SessionFile&& session) {
    const std::string path = session.Path();
    // Only the very file that was checked when it was opened is deleted, not
    // one swapped in under its name since.
    const bool same = session.StillNamed();
    { SessionFile closing = std::move(session); }
    if (!same) return !Exists(path);
    return Unlink(path);
}

} // namespace

bool DeleteSessionFiles(SessionFile&& session, const TraceLine& trace) {
    const std::size_t count = session.RecordCount();
    for (std::size_t number = 2; number <= count; ++number) {
        if (!session.LockRecord(number)) continue;
        const auto name = session.ReadRecordLocked(number);
        if (name && !name->empty()) {
            if (!Exists(*name)) {
                trace("Kill(" + *name + ")");
            } else if (MayDeleteChartFile(*name)) {
                Unlink(*name);
                trace("Kill(" + *name + ")");
            } else {
                trace("Kill(" + *name + ") refused: not a file made by this component");
            }
        }
        session.UnlockRecord(number);
    }
    trace("Kill(" + session.Path() + ")");
    return UnlinkSessionFile(std::move(session));
}

bool DeleteSessionFileOnly(SessionFile&& session) {
    return UnlinkSessionFile(std::move(session));
}

} // namespace korva::pxserver
