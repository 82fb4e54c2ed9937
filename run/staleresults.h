#pragma once
// Before a run the results of the previous run of the same project go, so that
// a solver that fails leaves nothing that looks like a result. The solver's
// scratch files ("tmp" and one to three characters) go too, but only those a
// run of this project made: a user's own tmp.c or tmp1 beside the project is
// never touched. A run lists the scratch names before the solver starts and
// after it ends, and records the new ones where the next run finds them.
#include <string>
#include <vector>

namespace korva {

// True when fileName (no folder) is one of the result files a run of the
// project with base name baseName writes: baseName.day, baseName.log,
// baseName-N.kvo (N decimal digits) and baseName_CODE.tss for the fourteen
// output codes. Another project whose name begins with baseName ("site2" for
// "site") never matches.
bool IsOwnResultFile(const std::string& fileName, const std::string& baseName);

// True for the solver's scratch files: "tmp" followed by one to three
// characters, none of them a folder separator.
bool IsSolverScratchFile(const std::string& fileName);

// The names of the scratch files now in folder (regular files only), sorted.
std::vector<std::string> ListScratchFiles(const std::string& folder);

// Where the scratch files a run of baseName left in workingFolder are
// recorded: a hidden file in that folder, one name a line.
std::string ScratchRecordPath(const std::string& workingFolder, const std::string& baseName);

// Records the scratch files of workingFolder that were not there before
// (before as ListScratchFiles gave it when the solver started), adding them to
// any names still recorded. The record is removed when it would be empty.
void RecordNewScratchFiles(const std::string& workingFolder, const std::string& baseName,
                           const std::vector<std::string>& before);

// Deletes the result files of basePath (a folder and base name, no extension)
// and the scratch files that the record of an earlier run of the same project
// in workingFolder names; the record goes with them. Only regular files are
// touched; failures to delete are ignored. Returns the paths deleted.
std::vector<std::string> DeleteStaleResults(const std::string& basePath,
                                            const std::string& workingFolder);

} // namespace korva
