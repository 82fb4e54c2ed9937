#pragma once
// Error numbers of ChartError, the ones a late-bound caller knows from its
// own runtime, so a page's error text reads as it expects.
namespace korva::plot {

inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrFileAccess = 75;
inline constexpr int kErrInvalidValue = 380;
inline constexpr int kErrReadOnly = 383;
inline constexpr int kErrUnknownProperty = 438;
inline constexpr int kErrDrawFailed = 481;

} // namespace korva::plot
