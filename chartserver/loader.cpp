#include "loader.h"

#include "component.h"
#include "componentpaths.h"
#include "createdfiles.h"
#include "ownednames.h"
#include "pxerror.h"
#include "sessioncleanup.h"
#include "sessionfile.h"
#include "uniquefile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korva::pxserver {
namespace {

std::string Flag(bool on) {
    return on ? "True" : "False";
}

std::string Trimmed(std::string s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code ec;
    auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

} // namespace

Loader::Loader() {
    ClsForm()->Load();
}

Loader::~Loader() {
    try {
        if (form_) {
            form_->Hide();
            form_->Unload();
        }
    } catch (...) {
        // Releasing never fails the page.
    }
}

void Loader::ClsTracker(const std::string& text, bool flag) const {
    Component::Instance().Trace(text, flag);
}

std::shared_ptr<PXForm> Loader::ClsForm() {
    if (!form_) form_ = std::make_shared<PXForm>();
    return form_;
}

std::string Loader::SessionFolder(bool flag) {
    const std::string fileLoc = Component::Instance().ReadConfiguration("System", "FileLoc");
    if (fileLoc.size() >= 3) {
        ClsTracker("ClsStart(), Path in INI File", flag);
        return fileLoc;
    }
    for (const char* name : {"Temp", "Tmp"}) {
        const std::string value = Trimmed(EnvironmentValue(name).value_or(""));
        if (!value.empty()) {
            ClsTracker(std::string("ClsStart(), ") + name + " = " + value, flag);
            return value;
        }
    }
    // The host's fixed folders "C:\Temp" and "C:\Tmp" have no counterpart here.
    std::error_code ec;
    const std::string system = std::filesystem::temp_directory_path(ec).string();
    if (!ec && !system.empty()) return system;
    return Component::Instance().OwnFolder();
}

std::string Loader::ClsStart(bool flag, std::string folder) {
    ClsTracker("ClsStart(" + Flag(flag) + ", " + folder + ")", flag);
    if (folder.empty()) folder = SessionFolder(flag);
    // Record 1 holds the session file's full path, whatever folder the request
    // worked in, so the delayed-delete program finds it from anywhere.
    folder = WithTrailingSlash(Absolute(folder));
    const std::string name = CreateUniqueFile(folder, "SES");
    if (name.empty()) {
        ClsTracker("ClsStart(), Error = " + std::string(std::strerror(errno)) + ": " + folder,
                   flag);
        return {};
    }
    ClsTracker("ClsStart(), Path = " + name, flag);
    std::string reason;
    if (!SessionFile::WriteOwnRecord(name, reason)) {
        ClsTracker("ClsStart(), Error = " + reason, flag);
        ::unlink(name.c_str()); // without record 1 it could never be ended
        return {};
    }
    return name;
}

bool Loader::AddFile(const std::string& session, const std::string& file, bool flag) {
    ClsTracker("Loader.AddFile(" + session + "," + file + ")", flag);
    std::string reason;
    auto opened = SessionFile::OpenOwn(session, reason);
    if (!opened) {
        ClsTracker("Loader.AddFile(" + session + "," + file + ") refused: " + reason, flag);
        return false;
    }
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) return true; // nothing to record
    // Ending the session deletes what it records: only the component's own files.
    if (!WasCreatedHere(file)) {
        ClsTracker("Loader.AddFile(" + session + "," + file +
                       ") refused: not a file made by this component",
                   flag);
        return false;
    }
    if (!opened->Append(Absolute(file), reason)) {
        ClsTracker("Loader.AddFile(" + session + "," + file + ") Error = " + reason, flag);
        return false;
    }
    return true;
}

std::string Loader::UniqueFile(std::string folder, bool flag) {
    ClsTracker("Loader.UniqueFile(" + folder + ")", flag);
    return CreateUniqueFile(WithTrailingSlash(std::move(folder)), "PX");
}

bool Loader::StartDelayedDelete(const std::string& session, int32_t keepSeconds, bool flag) {
    const std::string program = Component::Instance().OwnFolder() + "pxfkill";
    const std::string sessionArgument = "-" + session;
    const std::string seconds = std::to_string(keepSeconds);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(sessionArgument.c_str()),
                    const_cast<char*>(seconds.c_str()), nullptr};

    // Detached from the page host: no standard streams and none of its open
    // descriptors (a listening socket held for minutes would outlive the host).
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        ClsTracker("ClsEnd(" + session + ") Error = " + std::strerror(failed) + ": " + program,
                   flag);
        return false;
    }
    // pxfkill leaves its waiting to a child of its own and returns at once, so
    // this wait is short and leaves no zombie behind in the host.
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Loader::ClsEnd(const std::string& session, int32_t mode, bool flag, int32_t keepSeconds) {
    ClsTracker("ClsEnd(" + session + ")", flag);
    if (Trimmed(session).empty()) return false;
    std::string reason;
    auto opened = SessionFile::OpenOwn(session, reason);
    if (!opened) {
        ClsTracker("ClsEnd(" + session + ") refused: " + reason, flag);
        return false;
    }
    if (mode == 0) {
        ClsTracker("ClsEnd(" + session + ") Shelling PXFKill.exe -" + session + " " +
                       std::to_string(keepSeconds),
                   flag);
        opened.reset();
        return StartDelayedDelete(session, keepSeconds, flag);
    }
    if (mode == -1) {
        return DeleteSessionFiles(std::move(*opened),
                                  [&](const std::string& line) { ClsTracker(line, flag); });
    }
    return DeleteSessionFileOnly(std::move(*opened));
}

std::optional<MemberKind> Loader::Describe(std::string_view name) const {
    if (SameName(name, "ClsForm")) return MemberKind::Property;
    for (const char* method : {"ClsTracker", "ClsStart", "AddFile", "UniqueFile", "ClsEnd"})
        if (SameName(name, method)) return MemberKind::Method;
    return std::nullopt;
}

Value Loader::Get(std::string_view name, std::optional<int16_t>) {
    if (SameName(name, "ClsForm")) return std::shared_ptr<Dispatchable>(ClsForm());
    throw PxError::UnknownMember(std::string(name));
}

void Loader::Put(std::string_view name, std::optional<int16_t>, const Value&) {
    if (SameName(name, "ClsForm")) return; // writing the form has no effect
    throw PxError::UnknownMember(std::string(name));
}

Value Loader::Call(std::string_view name, std::span<const Value> args) {
    auto need = [&](std::size_t count) {
        if (args.size() != count) throw PxError::ArgumentCount(std::string(name));
    };
    if (SameName(name, "ClsTracker")) {
        need(2);
        ClsTracker(ToText(args[0]), ToBoolean(args[1]));
        return {};
    }
    if (SameName(name, "ClsStart")) {
        need(2);
        return ClsStart(ToBoolean(args[0]), ToText(args[1]));
    }
    if (SameName(name, "AddFile")) {
        need(3);
        AddFile(ToText(args[0]), ToText(args[1]), ToBoolean(args[2]));
        return {};
    }
    if (SameName(name, "UniqueFile")) {
        need(2);
        return UniqueFile(ToText(args[0]), ToBoolean(args[1]));
    }
    if (SameName(name, "ClsEnd")) {
        need(4);
        return ClsEnd(ToText(args[0]), ToLong(args[1]), ToBoolean(args[2]), ToLong(args[3]));
    }
    throw PxError::UnknownMember(std::string(name));
}

} // namespace korva::pxserver
