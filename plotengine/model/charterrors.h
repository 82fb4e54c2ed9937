#pragma once
// The error numbers of the chart engine and of the chart server component
// that drives it: the numbers a late-bound caller knows from its own runtime,
// so a page's error text reads as it expects and a page that tests for 6 or
// 53 keeps working. The C header pxserver.h names the same numbers for pages
// (PXS_ERR_...), checked against these when the component is built.
namespace korva::plot {

inline constexpr int kErrInvalidCall = 5;   // a missing or unusable argument
inline constexpr int kErrOverflow = 6;      // the value does not fit the type
inline constexpr int kErrOutOfMemory = 7;   // the request could not get memory
inline constexpr int kErrSubscript = 9;     // an index out of range
inline constexpr int kErrTypeMismatch = 13; // a value that does not convert
inline constexpr int kErrInternal = 51;     // a fault of the component itself
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrFileAccess = 75;     // a file that cannot be made, written or read
inline constexpr int kErrObjectReleased = 91; // an object used after its release
inline constexpr int kErrInvalidValue = 380;  // a value outside the property's range
inline constexpr int kErrReadOnly = 383;
inline constexpr int kErrCannotCreate = 429;                  // an unknown class identifier
inline constexpr int kErrUnknownMember = 438;                 // no property or method of that name
inline constexpr int kErrUnknownProperty = kErrUnknownMember; // its earlier name
inline constexpr int kErrArgumentCount = 450;
inline constexpr int kErrDrawFailed = 481; // the render thread cannot be used

} // namespace korva::plot
