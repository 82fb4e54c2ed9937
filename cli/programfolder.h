#pragma once
#include <string>

namespace korva::cli {
// The folder of the running executable followed by "/"; argv0 is the fallback
// when /proc/self/exe cannot be read.
std::string ProgramFolder(const char* argv0);
} // namespace korva::cli
