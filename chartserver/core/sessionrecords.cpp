#include "sessionrecords.h"

namespace korva::pxserver {

std::string TrimRecord(std::string_view record) {
    while (!record.empty() && (record.back() == ' ' || record.back() == '\0'))
        record.remove_suffix(1);
    while (!record.empty() && record.front() == ' ')
        record.remove_prefix(1);
    return std::string(record);
}

std::vector<std::string> ParseSessionRecords(std::string_view bytes) {
    std::vector<std::string> records;
    records.reserve(bytes.size() / kRecordSize);
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
        records.push_back(TrimRecord(bytes.substr(at, kRecordSize)));
    return records;
}

std::optional<std::string> FormatSessionRecord(std::string_view path) {
    if (path.empty() || path.size() > kRecordSize) return std::nullopt;
    if (path.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return std::nullopt;
    std::string record(path);
    record.resize(kRecordSize, ' ');
    return record;
}

} // namespace korva::pxserver
