#pragma once
// The solver reports its progress in its ".log" file: each status line carries
// the percentage complete as its third word. The run follows the latest
// complete status line while the solver is still writing the file.
#include <string>
#include <string_view>

namespace korva {

// The percentage of the status line of log text: the last complete line
// (ended by a line feed) before the first empty line or the end. A line still
// being written (no line feed yet) is not looked at. The third word is read as
// an integer from its leading digits (text that is no number gives 0) and held
// to 0..100. False when there is no complete line.
bool ParseLogProgress(std::string_view text, int& percent);

// Reads the log at path; false when it cannot be opened or holds no complete
// line (the progress shown then stays as it was).
bool ReadLogProgress(const std::string& path, int& percent);

} // namespace korva
