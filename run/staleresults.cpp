#include "staleresults.h"

#include "model/outputselection.h"

#include <filesystem>
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

bool MatchesScratch(const std::string& fileName, const std::string&) {
    return IsSolverScratchFile(fileName);
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
    return fileName.size() >= 4 && fileName.size() <= 6 && StartsWith(fileName, "tmp");
}

std::vector<std::string> DeleteStaleResults(const std::string& basePath,
                                            const std::string& workingFolder) {
    std::vector<std::string> deleted;
    const fs::path base(basePath);
    DeleteMatching(base.parent_path(), IsOwnResultFile, base.filename().string(), deleted);
    DeleteMatching(fs::path(workingFolder), MatchesScratch, std::string(), deleted);
    return deleted;
}

} // namespace korva
