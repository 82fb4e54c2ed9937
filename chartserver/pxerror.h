#pragma once
// PxError: an error raised to the page, with the number and text a late-bound
// caller of this component expects (the numbering of the host's automation
// errors, so pages that test for 6 or 53 keep working).
#include <stdexcept>
#include <string>

namespace korva::pxserver {

namespace errors {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInternal = 51;
inline constexpr int kFileNotFound = 53;
inline constexpr int kFileAccess = 75;
inline constexpr int kReadOnly = 383;
inline constexpr int kCannotCreate = 429;
inline constexpr int kUnknownMember = 438;
inline constexpr int kArgumentCount = 450;
} // namespace errors

class PxError : public std::runtime_error {
public:
    PxError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int code() const { return code_; }

    static PxError Overflow() { return {errors::kOverflow, "Overflow"}; }
    static PxError TypeMismatch() { return {errors::kTypeMismatch, "Type mismatch"}; }
    static PxError UnknownMember(const std::string& name) {
        return {errors::kUnknownMember, "Object doesn't support this property or method: " + name};
    }
    static PxError ArgumentCount(const std::string& name) {
        return {errors::kArgumentCount,
                "Wrong number of arguments or invalid property assignment: " + name};
    }

private:
    int code_;
};

} // namespace korva::pxserver
