#pragma once
// ProfileFile: a Windows-style profile file ("[Section]" header lines and
// "key=value" lines) as the component's configuration file "PXPropVB.ini" is
// written. Names are compared without regard to case; the first section and
// the first key of a name win, as the profile reader of the original host does.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::pxserver {

class ProfileFile {
public:
    // Values are read into a buffer of this many characters, terminating zero
    // included, so at most kValueBufferSize - 1 characters come back.
    static constexpr std::size_t kValueBufferSize = 256;
    // Larger files are not configuration files; they are read as empty.
    static constexpr std::uintmax_t kMaxFileSize = 1u << 20;

    static ProfileFile Parse(std::string_view text);
    // An unreadable, missing or oversized file gives an empty profile.
    static ProfileFile Load(const std::filesystem::path& file);

    // The value of key in section, trimmed and without one pair of enclosing
    // quotes, cut to the buffer size; nullopt when the key is not there.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Convenience for the component: "" when the file, section or key is missing.
    static std::string ReadString(const std::filesystem::path& file, std::string_view section,
                                  std::string_view key);

private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    std::vector<Entry> entries_;
};

} // namespace korva::pxserver
