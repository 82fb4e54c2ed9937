#include "command.h"

namespace korva::cli {

std::string InputSetBase(const std::string& path) {
    const std::string extension = ".kvi";
    if (path.size() > extension.size() &&
        path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
        return path.substr(0, path.size() - extension.size());
    return path;
}

} // namespace korva::cli
