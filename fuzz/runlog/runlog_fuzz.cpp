// Fuzzes the progress reader of the solver's log: any text gives either no
// status line or a percentage within 0..100.
#include "run/logprogress.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int percent = -1;
    if (korva::ParseLogProgress(text, percent)) {
        if (percent < 0 || percent > 100) std::abort();
    } else if (percent != -1) {
        std::abort(); // a log without a status line leaves the progress alone
    }
    return 0;
}
