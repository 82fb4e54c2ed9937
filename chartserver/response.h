#pragma once
// Response: the page host's response object, as SendImage streams an image
// into it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace korva::pxserver {

class Response {
public:
    virtual ~Response() = default;
    virtual void SetContentType(const std::string& type) = 0;
    // Minutes until the page's answer expires.
    virtual void SetExpires(int32_t minutes) = 0;
    virtual void SetBuffer(bool buffer) = 0;
    virtual void BinaryWrite(const uint8_t* bytes, std::size_t size) = 0;
    virtual void Flush() = 0;
};

} // namespace korva::pxserver
