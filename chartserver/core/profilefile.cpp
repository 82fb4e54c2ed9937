#include "profilefile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korva::pxserver {
namespace {

std::string_view Trim(std::string_view s) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile profile;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            // A header without its closing bracket still opens the section, as
            // the host's reader takes everything after the bracket as the name.
            section = std::string(Trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = Trim(line.substr(0, eq));
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        profile.entries_.push_back({section, std::string(key), std::string(value)});
    }
    return profile;
}

ProfileFile ProfileFile::Load(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {};
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxFileSize) return {};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(text);
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    for (const auto& entry : entries_) {
        if (SameName(entry.section, section) && SameName(entry.key, key)) {
            std::string value = entry.value;
            if (value.size() > kValueBufferSize - 1) value.resize(kValueBufferSize - 1);
            return value;
        }
    }
    return std::nullopt;
}

std::string ProfileFile::ReadString(const std::filesystem::path& file, std::string_view section,
                                    std::string_view key) {
    return Load(file).Value(section, key).value_or(std::string{});
}

} // namespace korva::pxserver
