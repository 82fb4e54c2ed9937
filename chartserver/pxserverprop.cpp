#include "pxserverprop.h"

#include "chartcodes.h"
#include "chartproperties.h"
#include "classfactory.h"
#include "component.h"
#include "componentpaths.h"
#include "deleter.h"
#include "ownednames.h"
#include "plainfile.h"
#include "pxerror.h"
#include "uniquefile.h"

#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korva::pxserver {
namespace {

constexpr std::uintmax_t kMaxMapSize = 64u << 20;
// Attempts at a placeholder whose image and map names are free as well.
constexpr int kReserveAttempts = 64;
// Width and Height are stored 2 pixels larger in the control (its border);
// the stored value must still be a 16-bit Integer.
constexpr int16_t kBorderPixels = 2;
constexpr int16_t kPixelScaleMode = 3;

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::string IndexText(std::optional<int16_t> index) {
    return index ? "(" + std::to_string(*index) + ")" : std::string{};
}

// DrawMode is an Integer property.
PropertyValue DrawMode(int mode) {
    return static_cast<int16_t>(mode);
}

bool IsWidthOrHeight(const ChartProperty& property) {
    return SameName(property.name, "Width") || SameName(property.name, "Height");
}

bool NonEmptyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

// Files that DrawGraph made but no session records yet: on failure they are
// removed again, so a failed drawing leaves nothing behind.
class MadeFiles {
public:
    ~MadeFiles() {
        for (const auto& file : files_)
            ::unlink(file.c_str());
    }
    void Add(const std::string& file) { files_.push_back(file); }
    void Keep(const std::string& file) { std::erase(files_, file); }
    void KeepAll() { files_.clear(); }

private:
    std::vector<std::string> files_;
};

} // namespace

PXServerProp::PXServerProp() {
    loader_ = std::dynamic_pointer_cast<Loader>(CreateObject("PXServer.Loader"));
    traceFlag_ = Component::Instance().ConfiguredTraceFlag();
    Trace(std::string(80, '='));
    path_ = "images/";
    url_ = "images/";
    sessionMode_ = 2;
    output_ = ".JPG";
    keepSeconds_ = 180;
    Trace("Class_Initialize(), Before Form Load");
    form_ = loader_->ClsForm();
    Trace("Class_Initialize() in PXPropVB");
    form_->Graph1().Set("MapFormat", std::nullopt, int16_t{1});
    sessionName_.clear();
    Trace("Session Name = " + sessionName_);
}

PXServerProp::~PXServerProp() {
    try {
        if (form_) form_->Hide();
        form_.reset();
        Trace("Class_Terminate() in PXPropVB");
        loader_->ClsEnd(sessionName_, sessionMode_, traceFlag_, keepSeconds_);
        Trace("Deleted Session( " + sessionName_ + ")");
        loader_.reset();
    } catch (...) {
        // The end of a request never fails the page.
    }
}

void PXServerProp::Trace(const std::string& text) const {
    loader_->ClsTracker(text, traceFlag_);
}

Value PXServerProp::GetChartProperty(const ChartProperty& property, std::optional<int16_t> index) {
    ChartSurface& graph = form_->Graph1();
    const std::optional<int> at = index ? std::optional<int>(*index) : std::nullopt;
    PropertyValue value;
    if (IsWidthOrHeight(property)) {
        form_->SetScaleMode(kPixelScaleMode);
        value = static_cast<int16_t>(ToInteger(FromPropertyValue(graph.Get(property.name, at))) -
                                     kBorderPixels);
    } else {
        value = ToPropertyType(FromPropertyValue(graph.Get(property.name, at)), property.type);
    }
    Trace("Property Get " + std::string(property.name) + IndexText(index) + " = " +
          ValueText(FromPropertyValue(value)) + Suffix());
    return FromPropertyValue(value);
}

void PXServerProp::SetChartProperty(const ChartProperty& property, std::optional<int16_t> index,
                                    const Value& value) {
    if (property.readOnly)
        throw PxError(plot::kErrReadOnly, "Property is read-only: " + std::string(property.name));
    ChartSurface& graph = form_->Graph1();
    const std::optional<int> at = index ? std::optional<int>(*index) : std::nullopt;
    const PropertyValue typed = ToPropertyType(value, property.type);
    const bool zAxisStyle = SameName(property.name, "ZAxisStyle");
    Trace("Property Let " + std::string(property.name) + IndexText(index) +
          (zAxisStyle ? "= " : " = ") + ValueText(FromPropertyValue(typed)) + Suffix());
    if (IsWidthOrHeight(property)) {
        form_->SetScaleMode(kPixelScaleMode);
        const int16_t pixels = std::get<int16_t>(typed);
        if (pixels > INT16_MAX - kBorderPixels) throw PxError::Overflow();
        graph.Set(property.name, at, static_cast<int16_t>(pixels + kBorderPixels));
        return;
    }
    graph.Set(property.name, at, typed);
}

void PXServerProp::SetPath(const std::string& path) {
    Trace("Property Let Path = " + path + Suffix());
    if (Trimmed(sessionName_).size() < 3) sessionName_ = loader_->ClsStart(traceFlag_, path);
    Trace("Property Let Path = " + path + Suffix());
    path_ = path;
}

void PXServerProp::SetURL(const std::string& url) {
    Trace("Property Let URL = " + url + Suffix());
    url_ = url;
}

std::string PXServerProp::URL() {
    Trace("Property Get URL = " + url_ + Suffix());
    return url_;
}

void PXServerProp::SetOutPut(const std::string& extension) {
    Trace("Property Let OutPut = " + extension + Suffix());
    output_ = extension;
}

std::string PXServerProp::OutPut() {
    Trace("Property Get OutPut = " + output_ + Suffix());
    return output_;
}

void PXServerProp::SetKeepSeconds(int32_t seconds) {
    Trace("Property Let KeepSeconds = " + std::to_string(seconds) + Suffix());
    keepSeconds_ = seconds;
}

void PXServerProp::SetTraceClass(bool on) {
    loader_->ClsTracker("Property Let TraceClass = " + ValueText(Value(on)) + Suffix(),
                        traceFlag_ || on);
    traceFlag_ = on;
}

std::string PXServerProp::StartSession() {
    Trace("StartSession() in PXPropVB");
    const std::string name = loader_->ClsStart(traceFlag_, "");
    Trace("StartSession(" + name + ") in PXPropVB");
    return name;
}

bool PXServerProp::KillSession(const std::string& session) {
    Trace("KillSession(" + session + ") in PXPropVB");
    loader_->ClsEnd(session, sessionMode_, traceFlag_, keepSeconds_);
    form_->Unload();
    return false;
}

std::string PXServerProp::GetMap(const std::string& file, bool killFile) {
    auto refuse = [&](const std::string& why) {
        Trace("GetMap(" + file + ") refused: " + why);
        return PxError(plot::kErrFileAccess, "Path/File access error: " + file + ": " + why);
    };
    if (HasParentPart(file)) throw refuse("the name has a \"..\" part");
    std::string contents;
    switch (ReadPlainFile(file, contents, kMaxMapSize)) {
    case PlainFileRead::Ok:
        break;
    case PlainFileRead::Missing:
        throw PxError(plot::kErrFileNotFound, "File not found: " + file);
    case PlainFileRead::NotPlain:
        throw refuse("not a regular file");
    case PlainFileRead::TooLarge:
        throw refuse("too large for a map file");
    case PlainFileRead::Unreadable:
        throw refuse("cannot be read");
    }
    if (killFile) {
        Deleter deleter;
        deleter.SetTraceFlag(traceFlag_);
        deleter.Killer(file);
    }
    return contents;
}

std::string PXServerProp::DrawGraph(const std::string& session) {
    int code = plot::kErrInternal;
    std::string message;
    try {
        return DrawGraphSteps(session);
    } catch (const plot::ChartError& e) { // the component's and the chart's own
        code = e.code();
        message = e.what();
    } catch (const std::bad_alloc&) {
        code = plot::kErrOutOfMemory;
        message = "Out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    }
    const std::string text = std::to_string(code) + ", " + message;
    try {
        Trace("DrawGraph, Error: " + text);
    } catch (...) {
    }
    return "Error: " + text;
}

std::string PXServerProp::DrawGraphSteps(std::string session) {
    Trace("DrawGraph(" + session + ") in PXPropVB");
    if (Trimmed(session).size() < 2) {
        session = sessionName_;
        Trace("DrawGraph(" + session + ") in PXPropVB");
    }
    const Component& component = Component::Instance();
    const std::string location = component.ReadConfiguration("Location", "Location");
    const std::string physical = WithTrailingSlash(location.size() > 1 ? location : path_);
    Trace("DrawGraph, Returned From GetLoc");
    std::string address = component.ReadConfiguration("Location", "URL");
    if (address.size() <= 1) address = url_;
    if (!address.empty() && address.back() != '/') address += '/';
    Trace("DrawGraph, Returned From GetURL");

    ChartSurface& graph = form_->Graph1();
    const bool hot = ToInteger(FromPropertyValue(graph.Get("Hot", std::nullopt))) == 1;

    // The placeholder's name is unique only while it exists. The image and map
    // files take their names from it, so they are made here exclusively as
    // well: then no other request can be handed the same address while this
    // image waits to be sent, even after its placeholder has gone (mode 2).
    MadeFiles made;
    MadeFiles blocked; // placeholders whose image name was taken: held until done,
                       // so the unique-name service hands out another name
    std::string placeholder, base, image, map;
    for (int attempt = 0; attempt < kReserveAttempts && base.empty(); ++attempt) {
        placeholder = loader_->UniqueFile(physical, traceFlag_);
        if (placeholder.empty())
            throw PxError(plot::kErrFileAccess,
                          "Path/File access error: cannot make a file in " + physical);
        const std::string candidate(BaseNamePart(placeholder));
        image = physical + candidate + output_;
        map = physical + candidate + ".MAP";
        if (CreateExclusiveFile(image)) {
            if (!hot || CreateExclusiveFile(map)) {
                base = candidate;
                break;
            }
            ::unlink(image.c_str());
        }
        blocked.Add(placeholder);
    }
    if (base.empty())
        throw PxError(plot::kErrFileAccess,
                      "Path/File access error: no free image name in " + physical);
    made.Add(image);
    if (hot) made.Add(map);
    Trace("DrawGraph, Returned From oHelper.UniqueFile");

    const auto record = [&](const std::string& file) {
        if (!loader_->AddFile(session, file, traceFlag_))
            throw PxError(plot::kErrFileAccess, "Path/File access error: session \"" + session +
                                                    "\" cannot record " + file);
    };
    if (sessionMode_ == 2) {
        Deleter deleter;
        deleter.SetTraceFlag(traceFlag_);
        deleter.Killer(placeholder);
    } else {
        made.Add(placeholder);
        record(placeholder);
        made.Keep(placeholder);
        Trace("DrawGraph, Returned From oHelper.AddFile");
    }

    Trace("DrawGraph, Prior to DrawMode = 3");
    graph.Set("DrawMode", std::nullopt, DrawMode(plot::kDrawHold));
    Trace("DrawGraph, Returned From DrawMode = 3");
    graph.Set("ImageFile", std::nullopt, image);
    Trace("DrawGraph(" + session + ") Image File = " + image);
    if (hot) graph.Set("MapFile", std::nullopt, map);
    Trace("DrawGraph, Prior to DrawMode = 6");
    graph.Set("DrawMode", std::nullopt, DrawMode(plot::kDrawWriteImage));
    Trace("DrawGraph, Returned From DrawMode = 6");
    if (hot) graph.Set("DrawMode", std::nullopt, DrawMode(plot::kDrawWriteMap));

    if (sessionMode_ != 2) {
        record(image);
        made.Keep(image);
        if (hot) {
            record(map);
            made.Keep(map);
        }
    }
    if (!NonEmptyFile(image)) {
        ::unlink(image.c_str()); // the empty name reservation, nothing drawn
        Trace("DrawGraph, Error: No File Created");
        return "Error: No File created.";
    }
    made.KeepAll();
    Trace("DrawGraph, Return Value: " + address + base);
    return address + base;
}

std::optional<MemberKind> PXServerProp::Describe(std::string_view name) const {
    for (const char* own : {"DTCSetSession", "Path", "URL", "OutPut", "KeepSeconds", "TraceClass"})
        if (SameName(name, own)) return MemberKind::Property;
    for (const char* method : {"StartSession", "DrawGraph", "GetMap", "KillSession"})
        if (SameName(name, method)) return MemberKind::Method;
    if (const ChartProperty* property = FindChartProperty(name))
        return property->indexed ? MemberKind::IndexedProperty : MemberKind::Property;
    return std::nullopt;
}

Value PXServerProp::Get(std::string_view name, std::optional<int16_t> index) {
    if (SameName(name, "DTCSetSession")) return sessionMode_;
    if (SameName(name, "Path")) return path_;
    if (SameName(name, "URL")) return URL();
    if (SameName(name, "OutPut")) return OutPut();
    if (SameName(name, "KeepSeconds")) return keepSeconds_;
    if (SameName(name, "TraceClass")) return traceFlag_;
    const ChartProperty* property = FindChartProperty(name);
    if (property == nullptr) throw PxError::UnknownMember(std::string(name));
    if (property->indexed != index.has_value()) throw PxError::ArgumentCount(property->name);
    return GetChartProperty(*property, index);
}

void PXServerProp::Put(std::string_view name, std::optional<int16_t> index, const Value& value) {
    if (SameName(name, "DTCSetSession")) return SetDTCSetSession(ToLong(value));
    if (SameName(name, "Path")) return SetPath(ToText(value));
    if (SameName(name, "URL")) return SetURL(ToText(value));
    if (SameName(name, "OutPut")) return SetOutPut(ToText(value));
    if (SameName(name, "KeepSeconds")) return SetKeepSeconds(ToLong(value));
    if (SameName(name, "TraceClass")) return SetTraceClass(ToBoolean(value));
    const ChartProperty* property = FindChartProperty(name);
    if (property == nullptr) throw PxError::UnknownMember(std::string(name));
    if (property->indexed != index.has_value()) throw PxError::ArgumentCount(property->name);
    SetChartProperty(*property, index, value);
}

Value PXServerProp::Call(std::string_view name, std::span<const Value> args) {
    auto need = [&](std::size_t count) {
        if (args.size() != count) throw PxError::ArgumentCount(std::string(name));
    };
    if (SameName(name, "StartSession")) {
        need(0);
        return StartSession();
    }
    if (SameName(name, "DrawGraph")) {
        need(1);
        return DrawGraph(ToText(args[0]));
    }
    if (SameName(name, "GetMap")) {
        need(2);
        return GetMap(ToText(args[0]), ToBoolean(args[1]));
    }
    if (SameName(name, "KillSession")) {
        need(1);
        return KillSession(ToText(args[0]));
    }
    throw PxError::UnknownMember(std::string(name));
}

} // namespace korva::pxserver
