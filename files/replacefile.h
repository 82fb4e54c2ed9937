#pragma once
// Writes a whole file so that it takes the place of the old one only once it
// is completely on disk: the bytes go to a new file beside path, which is
// synced and renamed over path. A failed write (full disk, no permission)
// leaves an existing file as it was and no partial file behind; a symbolic
// link standing under path is replaced, never written through, and a device
// (/dev/stdout) is written in place. A whole-buffer ReplacingFile.
#include <string>
#include <string_view>

namespace korva {

// False when the file could not be written; error (when given) then holds the
// system's reason.
bool ReplaceFileContents(const std::string& path, std::string_view data,
                         std::string* error = nullptr);

} // namespace korva
