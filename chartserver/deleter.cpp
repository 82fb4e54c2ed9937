#include "deleter.h"

#include "component.h"
#include "ownednames.h"
#include "pxerror.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::pxserver {

Deleter::Deleter() : traceFlag_(Component::Instance().ConfiguredTraceFlag()) {}

bool Deleter::Killer(const std::string& file) {
    auto refuse = [&] {
        Component::Instance().Trace(
            "Deleter.Killer(" + file + ") refused: not a file made by this component", traceFlag_);
        return false;
    };
    if (HasParentPart(file)) return refuse();
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0)
        throw PxError(plot::kErrFileNotFound, "File not found: " + file);
    if (!MayDeleteChartFile(file)) return refuse();
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
        throw PxError(plot::kErrFileAccess,
                      "Path/File access error: " + file + ": " + std::strerror(errno));
    return ::lstat(file.c_str(), &info) != 0;
}

std::optional<MemberKind> Deleter::Describe(std::string_view name) const {
    if (SameName(name, "Killer")) return MemberKind::Method;
    return std::nullopt;
}

Value Deleter::Get(std::string_view name, std::optional<int16_t>) {
    throw PxError::UnknownMember(std::string(name));
}

void Deleter::Put(std::string_view name, std::optional<int16_t>, const Value&) {
    throw PxError::UnknownMember(std::string(name));
}

Value Deleter::Call(std::string_view name, std::span<const Value> args) {
    if (!SameName(name, "Killer")) throw PxError::UnknownMember(std::string(name));
    if (args.size() != 1) throw PxError::ArgumentCount("Killer");
    return Killer(ToText(args[0]));
}

} // namespace korva::pxserver
