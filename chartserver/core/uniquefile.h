#pragma once
// UniqueFile: the unique temporary file name service. It makes an empty file
// named prefix + up to four hexadecimal digits + ".TMP" in a folder, created
// exclusively, so two requests (threads or processes) never get the same name
// while the file exists.
#include <string>

namespace korva::pxserver {

// Creates the file and returns its path (folder + name); folder must end with
// "/" or be empty (the current folder). On failure returns "" and leaves the
// cause in errno (EEXIST when all 65535 names are taken).
std::string CreateUniqueFile(const std::string& folder, const std::string& prefix);

// Creates folder + base + extension exclusively; false (errno set) when the
// name is taken or the file cannot be made.
bool CreateExclusiveFile(const std::string& path);

} // namespace korva::pxserver
