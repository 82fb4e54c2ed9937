#include "pxserverimage.h"

#include "component.h"
#include "deleter.h"
#include "ownednames.h"
#include "plainfile.h"
#include "pxerror.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>

namespace korva::pxserver {
namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

} // namespace

std::string PXServerImage::ContentTypeFor(const std::string& file) {
    const std::string name = Upper(file);
    for (const char* type : {"GIF", "PNG", "BMP", "JPG", "TIF"}) {
        if (name.find(std::string(".") + type) != std::string::npos)
            return std::string("image/") + type;
    }
    return {};
}

void PXServerImage::Trace(const std::string& text, bool on) const {
    Component::Instance().Trace(text, on);
}

void PXServerImage::SendImage(Response& response, const std::string& file, bool imageKeep,
                              int32_t expire) {
    std::string name = file;
    if (name.empty()) {
        name = defaultImg_;
        imageKeep = true;
    }
    if (name.empty()) return;
    if (HasParentPart(name)) {
        Trace("SendImage(" + name + ") refused: the name has a \"..\" part", traceClass_);
        return;
    }
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0) return;
    if (!S_ISREG(info.st_mode)) {
        Trace("SendImage(" + name + ") refused: not a regular file", traceClass_);
        return;
    }
    const std::string type = ContentTypeFor(name);
    if (type.empty()) return;
    std::string bytes;
    if (ReadPlainFile(name, bytes, kMaxImageSize) != PlainFileRead::Ok) {
        Trace("SendImage(" + name + ") refused: not a readable regular file", traceClass_);
        return;
    }
    response.SetContentType(type);
    response.SetExpires(expire);
    response.SetBuffer(true);
    response.BinaryWrite(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    response.Flush();
    if (!imageKeep) {
        Deleter deleter;
        deleter.SetTraceFlag(traceClass_);
        try {
            deleter.Killer(name);
        } catch (const PxError&) {
            // Gone already (another request sent it): the page got its image.
        }
    }
}

std::string PXServerImage::DefaultImg() {
    Trace("Property Get DefaultImg = " + defaultImg_, traceClass_);
    return defaultImg_;
}

void PXServerImage::SetDefaultImg(const std::string& path) {
    Trace("Property Let DefaultImg = " + path, traceClass_);
    defaultImg_ = path;
}

bool PXServerImage::TraceClass() {
    Trace("Property Get TraceClass = " + ValueText(Value(traceClass_)), traceClass_);
    return traceClass_;
}

void PXServerImage::SetTraceClass(bool on) {
    Trace("Property Let TraceClass = " + ValueText(Value(on)), traceClass_ || on);
    traceClass_ = on;
}

std::optional<MemberKind> PXServerImage::Describe(std::string_view name) const {
    if (SameName(name, "DefaultImg") || SameName(name, "TraceClass")) return MemberKind::Property;
    if (SameName(name, "SendImage")) return MemberKind::Method;
    return std::nullopt;
}

Value PXServerImage::Get(std::string_view name, std::optional<int16_t>) {
    if (SameName(name, "DefaultImg")) return DefaultImg();
    if (SameName(name, "TraceClass")) return TraceClass();
    throw PxError::UnknownMember(std::string(name));
}

void PXServerImage::Put(std::string_view name, std::optional<int16_t>, const Value& value) {
    if (SameName(name, "DefaultImg"))
        SetDefaultImg(ToText(value));
    else if (SameName(name, "TraceClass"))
        SetTraceClass(ToBoolean(value));
    else
        throw PxError::UnknownMember(std::string(name));
}

Value PXServerImage::Call(std::string_view name, std::span<const Value> args) {
    if (!SameName(name, "SendImage")) throw PxError::UnknownMember(std::string(name));
    if (args.size() != 4) throw PxError::ArgumentCount("SendImage");
    Response* const* response = std::get_if<Response*>(&args[0]);
    if (response == nullptr || *response == nullptr) throw PxError::TypeMismatch();
    SendImage(**response, ToText(args[1]), ToBoolean(args[2]), ToLong(args[3]));
    return {};
}

} // namespace korva::pxserver
