#pragma once
// PlainFile: reads a file that a page named, only when it is a regular file
// reached without a symbolic link.
#include <cstdint>
#include <string>

namespace korva::pxserver {

enum class PlainFileRead { Ok, Missing, NotPlain, TooLarge, Unreadable };

PlainFileRead ReadPlainFile(const std::string& path, std::string& bytes, std::uintmax_t maxSize);

} // namespace korva::pxserver
