#pragma once
// Before a run the results of the previous run of the same project go, so that
// a solver that fails leaves nothing that looks like a result.
#include <string>
#include <vector>

namespace korva {

// True when fileName (no folder) is one of the result files a run of the
// project with base name baseName writes: baseName.day, baseName.log,
// baseName-N.kvo (N decimal digits) and baseName_CODE.tss for the fourteen
// output codes. Another project whose name begins with baseName ("site2" for
// "site") never matches.
bool IsOwnResultFile(const std::string& fileName, const std::string& baseName);

// True for the solver's scratch files: "tmp" followed by one to three characters.
bool IsSolverScratchFile(const std::string& fileName);

// Deletes the result files of basePath (a folder and base name, no extension)
// and the scratch files of workingFolder. Only regular files are touched;
// failures to delete are ignored. Returns the paths deleted.
std::vector<std::string> DeleteStaleResults(const std::string& basePath,
                                            const std::string& workingFolder);

} // namespace korva
