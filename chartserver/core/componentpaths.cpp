#include "componentpaths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

extern char** environ;

namespace korva::pxserver {

const std::string& OwnFolder() {
    static const std::string folder = [] {
        Dl_info info{};
        if (::dladdr(reinterpret_cast<void*>(&SystemConfigFolder), &info) != 0 &&
            info.dli_fname != nullptr) {
            std::error_code ec;
            auto file = std::filesystem::canonical(info.dli_fname, ec);
            if (!ec) return WithTrailingSlash(file.parent_path().string());
        }
        return WithTrailingSlash(std::filesystem::current_path().string());
    }();
    return folder;
}

std::string SystemConfigFolder() {
    const char* dir = std::getenv("PXSERVER_SYSCONFDIR");
    if (dir != nullptr && *dir != '\0') return WithTrailingSlash(dir);
    return "/etc/";
}

std::optional<std::string> EnvironmentValue(std::string_view name) {
    const std::string exact(name);
    if (const char* value = std::getenv(exact.c_str())) return std::string(value);
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view pair(*entry);
        const auto eq = pair.find('=');
        if (eq != name.size()) continue;
        if (std::equal(name.begin(), name.end(), pair.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return std::string(pair.substr(eq + 1));
    }
    return std::nullopt;
}

std::string WithTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

} // namespace korva::pxserver
