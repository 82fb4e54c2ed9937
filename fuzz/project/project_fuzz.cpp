// Fuzzes the project file reader on arbitrary text. Beyond not crashing, a
// project that reads successfully must save and read back to the same text:
// whatever the reader accepts, the writer can store.
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::string Saved(const korva::GridData& grid) {
    std::ostringstream out;
    korva::WriteProjectFile(grid, out);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static korva::CollectingMessageSink sink;
    static korva::ScopedMessageSink scoped(sink);
    sink.messages.clear();

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    korva::GridData grid;
    if (!korva::ReadProjectText(grid, text, "fuzz.kvp")) return 0;

    const std::string saved = Saved(grid);
    korva::GridData again;
    sink.messages.clear();
    if (!korva::ReadProjectText(again, saved, "saved.kvp") || !sink.messages.empty()) {
        __builtin_trap(); // a saved project that does not load again
    }
    if (Saved(again) != saved) __builtin_trap(); // a save and load that changes the model
    return 0;
}
