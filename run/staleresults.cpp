#include "staleresults.h"

#include "files/replacingfile.h"
#include "model/outputselection.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace korva {

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void DeleteMatching(const fs::path& folder, bool (*matches)(const std::string&, const std::string&),
                    const std::string& baseName, std::vector<std::string>& deleted) {
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    if (error) return;
    std::vector<fs::path> doomed;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError) || entry.is_symlink(typeError)) continue;
        if (matches(entry.path().filename().string(), baseName)) doomed.push_back(entry.path());
    }
    for (const fs::path& path : doomed) {
        std::error_code removeError;
        if (fs::remove(path, removeError)) deleted.push_back(path.string());
    }
}

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::regular;
}

std::vector<std::string> ReadRecord(const std::string& path) {
    std::vector<std::string> names;
    if (!IsRegularFile(path)) return names;
    std::ifstream in(path);
    std::string line;
    // A record names a handful of files; anything longer is not ours.
    while (names.size() < 10000 && std::getline(in, line)) {
        if (IsSolverScratchFile(line)) names.push_back(line);
    }
    return names;
}

} // namespace

bool IsOwnResultFile(const std::string& fileName, const std::string& baseName) {
    if (baseName.empty() || !StartsWith(fileName, baseName)) return false;
    const std::string rest = fileName.substr(baseName.size());
    if (rest == ".day" || rest == ".log") return true;
    if (rest.size() > 5 && rest[0] == '-' && EndsWith(rest, ".kvo")) {
        const std::string digits = rest.substr(1, rest.size() - 5);
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
        }
        return true;
    }
    if (rest.size() > 5 && rest[0] == '_' && EndsWith(rest, ".tss")) {
        const std::string code = rest.substr(1, rest.size() - 5);
        return OutputParamCodeFromText(code.c_str()) >= 0;
    }
    return false;
}

bool IsSolverScratchFile(const std::string& fileName) {
    return fileName.size() >= 4 && fileName.size() <= 6 && StartsWith(fileName, "tmp") &&
           fileName.find('/') == std::string::npos && fileName.find('\0') == std::string::npos;
}

std::vector<std::string> ListScratchFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
    if (error) return names;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (IsSolverScratchFile(name) && IsRegularFile(entry.path())) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ScratchRecordPath(const std::string& workingFolder, const std::string& baseName) {
    const fs::path folder = workingFolder.empty() ? fs::path(".") : fs::path(workingFolder);
    return (folder / ("." + baseName + ".scratch")).string();
}

void RecordNewScratchFiles(const std::string& workingFolder, const std::string& baseName,
                           const std::vector<std::string>& before) {
    const std::string record = ScratchRecordPath(workingFolder, baseName);
    std::vector<std::string> names = ReadRecord(record);
    for (const std::string& name : ListScratchFiles(workingFolder)) {
        if (!std::binary_search(before.begin(), before.end(), name) &&
            std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    std::error_code error;
    if (names.empty()) {
        if (IsRegularFile(record)) fs::remove(record, error);
        return;
    }
    ReplacingFile file(record);
    for (const std::string& name : names)
        file.Write(name + "\n");
    file.Commit(); // without a record the files merely stay, as a user's would
}

std::vector<std::string> DeleteStaleResults(const std::string& basePath,
                                            const std::string& workingFolder) {
    std::vector<std::string> deleted;
    const fs::path base(basePath);
    const std::string baseName = base.filename().string();
    DeleteMatching(base.parent_path(), IsOwnResultFile, baseName, deleted);

    const fs::path folder = workingFolder.empty() ? fs::path(".") : fs::path(workingFolder);
    const std::string record = ScratchRecordPath(workingFolder, baseName);
    for (const std::string& name : ReadRecord(record)) {
        const fs::path path = folder / name;
        std::error_code error;
        if (IsRegularFile(path) && fs::remove(path, error)) deleted.push_back(path.string());
    }
    std::error_code error;
    if (IsRegularFile(record)) fs::remove(record, error);
    return deleted;
}

} // namespace korva
