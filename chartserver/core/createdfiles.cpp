#include "createdfiles.h"

#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unordered_set>

namespace korva::pxserver {
namespace {

// Files are deleted behind the list's back (sent images, pxfkill in another
// process), so the list forgets the ones gone whenever it has doubled since
// the last look: it stays proportional to the files that still exist.
constexpr std::size_t kFirstPrune = 4096;

struct Registry {
    std::mutex mutex;
    std::unordered_set<std::string> paths;
    std::size_t pruneAt = kFirstPrune;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry; // used by exit-time session ends
    return *registry;
}

std::string Key(const std::string& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

void NoteCreatedFile(const std::string& path) {
    std::string key = Key(path);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.paths.insert(std::move(key));
    if (registry.paths.size() >= registry.pruneAt) {
        std::erase_if(registry.paths, [](const std::string& p) { return !Exists(p); });
        registry.pruneAt = std::max(kFirstPrune, 2 * registry.paths.size());
    }
}

bool WasCreatedHere(const std::string& path) {
    const std::string key = Key(path);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return registry.paths.count(key) != 0 && Exists(key);
}

} // namespace korva::pxserver
