#include "ownednames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sys/stat.h>

namespace korva::pxserver {
namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

// prefix + 1..4 hex digits + "." + the rest; returns the rest or npos marker.
bool SplitUniqueName(std::string_view name, std::string_view prefix, std::string_view& ext) {
    if (!StartsWithNoCase(name, prefix)) return false;
    name.remove_prefix(prefix.size());
    std::size_t digits = 0;
    while (digits < name.size() && std::isxdigit(static_cast<unsigned char>(name[digits])))
        ++digits;
    if (digits < 1 || digits > 4 || digits >= name.size() || name[digits] != '.') return false;
    ext = name.substr(digits + 1);
    return true;
}

} // namespace

bool HasParentPart(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = path.size();
        if (path.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

std::string_view FileNamePart(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view BaseNamePart(std::string_view placeholder) {
    const std::string_view name = FileNamePart(placeholder);
    return name.substr(0, name.find('.'));
}

bool IsSessionFileName(std::string_view fileName) {
    std::string_view ext;
    return SplitUniqueName(fileName, "SES", ext) && EqualsNoCase(ext, "TMP");
}

bool IsChartFileName(std::string_view fileName) {
    static constexpr std::array<std::string_view, 9> kExtensions = {
        "TMP", "MAP", "JPG", "JPEG", "PNG", "BMP", "GIF", "TIF", "TIFF"};
    std::string_view ext;
    if (!SplitUniqueName(fileName, "PX", ext)) return false;
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [&](std::string_view known) { return EqualsNoCase(ext, known); });
}

bool IsPlainFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool MayDeleteChartFile(std::string_view path) {
    return !path.empty() && !HasParentPart(path) && IsChartFileName(FileNamePart(path)) &&
           IsPlainFile(std::filesystem::path(path));
}

} // namespace korva::pxserver
