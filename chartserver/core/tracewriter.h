#pragma once
// TraceWriter: appends one line to "Tracker.txt" in a folder. Requests share
// that file; a failing open or write is retried after a yield, and after 999
// attempts the line is dropped: tracing never fails a page.
#include <cstddef>
#include <string>
#include <string_view>

namespace korva::pxserver {

inline constexpr const char* kTraceFileName = "Tracker.txt";

// A traced line longer than this is cut and marked with the number of bytes
// left out: a page's megabyte title costs the trace file a short line, not a
// megabyte per property access.
inline constexpr std::size_t kMaxTraceLineBytes = 4096;

// The line as it is written: control characters (line breaks above all, which
// would let a page's text forge lines of its own) become "\n", "\r", "\t" or
// "\xHH", and an over-long line is cut.
std::string EscapedTraceLine(std::string_view line);

// folder ends with "/". Returns false when the line could not be written.
bool AppendTraceLine(const std::string& folder, std::string_view line);

} // namespace korva::pxserver
