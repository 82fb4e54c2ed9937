#pragma once
// Shared by the fuzz targets that start from a solver input set: the fuzz
// input, less its first byte, is split at NUL bytes into the eight files
// ".kvi", ".irr", ... ".prn" (missing ones are not written) in one folder
// that lives as long as the process.
#include "files/inputset/inputset.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace korva::fuzz {

class FuzzFolder {
public:
    FuzzFolder() {
        path_ = (std::filesystem::temp_directory_path() / "korva-fuzz-XXXXXX").string();
        if (mkdtemp(path_.data()) == nullptr) std::abort();
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void WriteFuzzFile(const std::string& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// The process's one folder for fuzz files.
inline const std::string& FuzzFolderPath() {
    static const FuzzFolder folder;
    return folder.path();
}

// Writes the set held in files and returns its base path.
inline std::string WriteFuzzInputSet(std::string_view files) {
    const std::string base = FuzzFolderPath() + "/set";
    size_t begin = 0;
    for (const char* extension : InputSetExtensions) {
        std::filesystem::remove(base + extension);
        if (begin > files.size()) continue;
        size_t end = files.find('\0', begin);
        if (end == std::string_view::npos) end = files.size();
        WriteFuzzFile(base + extension, files.substr(begin, end - begin));
        begin = end + 1;
    }
    return base;
}

} // namespace korva::fuzz
