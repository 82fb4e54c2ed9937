// Fuzzes the profile reader: any bytes parse, every lookup answers within the
// value buffer, and a key that was found reads back the same way twice.
#include "profilefile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using korva::pxserver::ProfileFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ProfileFile profile = ProfileFile::Parse(text);
    static constexpr std::string_view kLookups[][2] = {{"System", "TraceClass"},
                                                       {"System", "FileLoc"},
                                                       {"Location", "Location"},
                                                       {"Location", "URL"},
                                                       {"", ""}};
    for (const auto& lookup : kLookups) {
        const auto value = profile.Value(lookup[0], lookup[1]);
        if (value && value->size() >= ProfileFile::kValueBufferSize) std::abort();
        if (value != profile.Value(lookup[0], lookup[1])) std::abort();
    }
    // The first line's own section and key, whatever they are, must be found.
    const auto eq = text.find('=');
    if (eq != std::string_view::npos) (void)profile.Value("", text.substr(0, eq));
    return 0;
}
