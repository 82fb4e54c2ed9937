#include "retry.h"

#include <chrono>
#include <thread>

namespace korva::pxserver {

void YieldBeforeRetry() {
    // A record lock is held for the few microseconds of one write; a short
    // sleep lets its holder finish without spinning on the shared cores.
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

bool IsPassingError(int error) {
    switch (error) {
    case EAGAIN:
    case EACCES: // fcntl reports a held lock as EACCES or EAGAIN
    case EINTR:
    case EBUSY:
    case EMFILE:
    case ENFILE:
    case EDEADLK:
    case ENOLCK:
        return true;
    default:
        return false;
    }
}

} // namespace korva::pxserver
