#include "batchrunner.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace korva::testing {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ShellQuoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

BatchRun RunBatch(const fs::path& folder, const std::vector<std::string>& args,
                  const fs::path& scratch, int fileBlocks) {
    const fs::path out = scratch / ".stdout";
    const fs::path err = scratch / ".stderr";
    std::string command = "cd " + ShellQuoted(folder.string()) + " && ";
    if (fileBlocks > 0) command += "trap '' XFSZ; ulimit -f " + std::to_string(fileBlocks) + "; ";
    command += "exec " + ShellQuoted(KORVA_BATCH);
    for (const std::string& arg : args)
        command += " " + ShellQuoted(arg);
    command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
    const int raw = std::system(("sh -c " + ShellQuoted(command)).c_str());
    BatchRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    std::error_code ignored;
    fs::remove(out, ignored);
    fs::remove(err, ignored);
    return run;
}

} // namespace korva::testing
