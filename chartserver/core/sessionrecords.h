#pragma once
// SessionRecords: the layout of a session file, fixed 256-byte records, each
// one path padded on the right with blanks. Record 1 is the session file's own
// path, records 2 ... n the files made under the session, in order.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::pxserver {

inline constexpr std::size_t kRecordSize = 256;

// The records of a session file's bytes with their padding removed; the count
// is the length divided by 256 (a torn last record is not a record).
std::vector<std::string> ParseSessionRecords(std::string_view bytes);

// The 256 bytes that record path; nullopt when it cannot be recorded (longer
// than a record, or holding a zero or line-end byte that would not read back).
std::optional<std::string> FormatSessionRecord(std::string_view path);

// A record's text without its padding: trailing blanks and zeros removed.
std::string TrimRecord(std::string_view record);

} // namespace korva::pxserver
