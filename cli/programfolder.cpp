#include "programfolder.h"

#include <filesystem>
#include <system_error>

namespace korva::cli {

std::string ProgramFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0 ? argv0 : ".", ec);
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

} // namespace korva::cli
