#include "replacefile.h"

#include "replacingfile.h"

namespace korva {

bool ReplaceFileContents(const std::string& path, std::string_view data, std::string* error) {
    ReplacingFile file(path);
    file.Write(data);
    if (file.Commit()) return true;
    if (error != nullptr) *error = file.ErrorText();
    return false;
}

} // namespace korva
