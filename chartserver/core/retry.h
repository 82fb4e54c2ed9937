#pragma once
// Retry: the component's answer to sharing conflicts on its shared files (the
// trace file, session files): give way to the other request and try the same
// step again, up to kMaxAttempts times, and then give up quietly.
#include <cerrno>

namespace korva::pxserver {

inline constexpr int kMaxAttempts = 999;

// Lets another request run before the next attempt.
void YieldBeforeRetry();

// True for errors that another request can cause and clear again: a held
// lock, an interrupted call, a full descriptor table. A missing folder or a
// refused permission does not go away by waiting, so those fail at once
// instead of stalling the page for 999 attempts.
bool IsPassingError(int error);

// Runs step until it returns true, at most kMaxAttempts times, yielding after
// each passing failure (the step leaves its cause in errno). Returns false when
// it gave up; errno then holds the last cause.
template <typename Step> bool RetryStep(Step&& step) {
    for (int attempt = 1;; ++attempt) {
        errno = 0;
        if (step()) return true;
        const int cause = errno;
        if (attempt >= kMaxAttempts || !IsPassingError(cause)) {
            errno = cause;
            return false;
        }
        YieldBeforeRetry();
        errno = cause;
    }
}

} // namespace korva::pxserver
