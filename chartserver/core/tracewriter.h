#pragma once
// TraceWriter: appends one line to "Tracker.txt" in a folder. Requests share
// that file; a failing open or write is retried after a yield, and after 999
// attempts the line is dropped: tracing never fails a page.
#include <string>
#include <string_view>

namespace korva::pxserver {

inline constexpr const char* kTraceFileName = "Tracker.txt";

// folder ends with "/". Returns false when the line could not be written.
bool AppendTraceLine(const std::string& folder, std::string_view line);

} // namespace korva::pxserver
