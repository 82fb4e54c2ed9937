#pragma once
// ComponentPaths: where the component finds its things. Its own folder is the
// folder of the library file (recorded once, with a trailing "/"); the
// default folder for a bare profile name is /etc, or PXSERVER_SYSCONFDIR.
#include <optional>
#include <string>
#include <string_view>

namespace korva::pxserver {

// The folder of the file that holds this code, ending in "/".
const std::string& OwnFolder();

// The folder for a bare profile file name, ending in "/".
std::string SystemConfigFolder();

// An environment variable looked up without regard to case (an exact match
// first), as pages written for the original host expect of Temp and Tmp.
std::optional<std::string> EnvironmentValue(std::string_view name);

// folder with a trailing "/" added when missing (an empty folder stays empty).
std::string WithTrailingSlash(std::string folder);

} // namespace korva::pxserver
