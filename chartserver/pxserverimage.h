#pragma once
// PXServerImage: streams an image file into the page's response, then deletes
// it unless the page keeps it.
#include "dispatchable.h"
#include "response.h"

#include <string>

namespace korva::pxserver {

class PXServerImage : public Dispatchable {
public:
    // Files larger than this are not chart images; they are not sent.
    static constexpr std::uintmax_t kMaxImageSize = 256u << 20;

    PXServerImage() = default;

    // Writes the image named file (DefaultImg when empty, and then always
    // kept) with its content type; writes nothing for a missing file, a name
    // with a ".." part, a file that is not a regular file, or an unknown type.
    void SendImage(Response& response, const std::string& file, bool imageKeep, int32_t expire);

    // The content type for a file name ("image/JPG" for ".jpg" anywhere in
    // it), or "" when it names no known image type.
    static std::string ContentTypeFor(const std::string& file);

    std::string DefaultImg();
    void SetDefaultImg(const std::string& path);
    bool TraceClass();
    void SetTraceClass(bool on);

    std::optional<MemberKind> Describe(std::string_view name) const override;
    Value Get(std::string_view name, std::optional<int16_t> index) override;
    void Put(std::string_view name, std::optional<int16_t> index, const Value& value) override;
    Value Call(std::string_view name, std::span<const Value> args) override;

private:
    void Trace(const std::string& text, bool on) const;

    std::string defaultImg_;
    bool traceClass_ = false;
};

} // namespace korva::pxserver
