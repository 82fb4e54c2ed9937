// Fuzzes the input set reader. The first byte chooses the model kind (its low
// bit: 0 the 2D, 1 the 3D model); the rest is split at NUL bytes into the
// eight files, in the order ".kvi", ".irr", ... ".prn" (missing ones are not
// written). Whatever the reader accepts must be written again and read back:
// the reader has to take every set the writer produces.
#include "files/inputset/inputset.h"
#include "fuzz/common/fuzzinputset.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// Rewriting is only worth it where the set stays small: a damaged but
// accepted run of millions of days would make the ET file huge.
bool SmallEnoughToRewrite(const korva::GridData& grid) {
    const long long days =
        static_cast<long long>(grid.Settings().simulationEnd) - grid.Settings().simulationStart;
    const long long cells =
        static_cast<long long>(grid.NumRows()) * grid.NumColumns() * grid.NumLayers();
    return days <= 100000 && cells <= 100000;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    korva::CollectingMessageSink messages;
    korva::ScopedMessageSink scope(messages);
    const int kind = data[0] & 1;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string base = korva::fuzz::WriteFuzzInputSet(rest);

    korva::GridData grid;
    grid.ResetModel(kind);
    korva::InputSetExtras extras;
    if (!korva::ReadModelInputFiles(grid, base, &extras)) {
        if (messages.messages.empty()) std::abort(); // a failure must say why
        return 0;
    }
    if (!SmallEnoughToRewrite(grid)) return 0;
    const std::string again = korva::fuzz::FuzzFolderPath() + "/again";
    if (!korva::WriteModelInputFiles(grid, again)) std::abort();
    korva::GridData reread;
    reread.ResetModel(kind);
    if (!korva::ReadModelInputFiles(reread, again)) {
        for (const auto& message : messages.messages)
            std::fprintf(stderr, "%s\n", message.c_str());
        std::abort();
    }
    return 0;
}
