#pragma once
// Runs the built korva-batch as a user's shell would, for the tests that look
// at the tool from outside: the golden files and the fault cases.
#include <filesystem>
#include <string>
#include <vector>

namespace korva::testing {

struct BatchRun {
    int status = -1; // the exit status, or 128 + the signal that ended the tool
    std::string out; // standard output
    std::string err; // standard error
};

// Runs the tool (KORVA_BATCH) with args from folder. Its standard output and
// error go through two files in scratch, removed again before this returns.
// fileBlocks > 0 limits every file the tool writes to that many 512-byte
// blocks, with the limit's signal ignored, so that writes fail as on a full
// disk.
BatchRun RunBatch(const std::filesystem::path& folder, const std::vector<std::string>& args,
                  const std::filesystem::path& scratch, int fileBlocks = 0);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);
// arg in single quotes for sh, its own quotes escaped.
std::string ShellQuoted(const std::string& arg);

} // namespace korva::testing
