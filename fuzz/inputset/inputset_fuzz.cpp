// Fuzzes the input set reader. The first byte chooses the model kind (its low
// bit: 0 the 2D, 1 the 3D model); the rest is split at NUL bytes into the
// eight files, in the order ".kvi", ".irr", ... ".prn" (missing ones are not
// written). Whatever the reader accepts must be written again and read back:
// the reader has to take every set the writer produces.
#include "files/inputset.h"
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

// One folder for the process, removed when it ends.
struct TempFolder {
    TempFolder() {
        path = (std::filesystem::temp_directory_path() / "korva-inputset-fuzz-XXXXXX").string();
        if (mkdtemp(path.data()) == nullptr) std::abort();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

const std::string& Folder() {
    static const TempFolder folder;
    return folder.path;
}

void WriteFile(const std::string& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// Rewriting is only worth it where the set stays small: a damaged but
// accepted run of millions of days would make the ET file huge.
bool SmallEnoughToRewrite(const korva::GridData& grid) {
    const long long days =
        static_cast<long long>(grid.settings.simulationEnd) - grid.settings.simulationStart;
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

    const std::string base = Folder() + "/set";
    size_t begin = 0;
    for (const char* extension : korva::InputSetExtensions) {
        std::filesystem::remove(base + extension);
        if (begin > rest.size()) continue;
        size_t end = rest.find('\0', begin);
        if (end == std::string_view::npos) end = rest.size();
        WriteFile(base + extension, rest.substr(begin, end - begin));
        begin = end + 1;
    }

    korva::GridData grid;
    grid.ResetModel(kind);
    korva::InputSetExtras extras;
    if (!korva::ReadModelInputFiles(grid, base, &extras)) {
        if (messages.messages.empty()) std::abort(); // a failure must say why
        return 0;
    }
    if (!SmallEnoughToRewrite(grid)) return 0;
    const std::string again = Folder() + "/again";
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
