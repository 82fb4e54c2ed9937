// Fuzzes the session-file reader: the bytes become a session file on disk,
// which is opened with the ownership checks and read record by record under
// the record locks; the in-memory parser must agree with the file reader.
#include "ownednames.h"
#include "sessionfile.h"
#include "sessionrecords.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

using namespace korva::pxserver;

namespace {

const std::string& SessionPath() {
    static const std::string path = [] {
        char folder[] = "/tmp/pxserver-session-fuzz-XXXXXX";
        if (::mkdtemp(folder) == nullptr) std::abort();
        static std::string made(folder);
        std::atexit([] {
            ::unlink((made + "/SES1.TMP").c_str());
            ::rmdir(made.c_str());
        });
        return made + "/SES1.TMP";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto records = ParseSessionRecords(bytes);
    if (records.size() != size / kRecordSize) std::abort();
    for (const auto& record : records) {
        if (record.size() > kRecordSize) std::abort();
        (void)IsChartFileName(FileNamePart(record));
        (void)HasParentPart(record);
        const auto formatted = FormatSessionRecord(record);
        if (formatted && ParseSessionRecords(*formatted).front() != record) std::abort();
    }

    // The same bytes as a file, with record 1 pointed at itself when the
    // input starts with the marker byte, so both the refusal and the reading
    // paths run.
    std::string file(bytes);
    if (!file.empty() && file[0] == '!' && file.size() >= kRecordSize)
        file.replace(0, kRecordSize, *FormatSessionRecord(SessionPath()));
    const int fd = ::open(SessionPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return 0;
    const bool written = ::write(fd, file.data(), file.size()) == static_cast<ssize_t>(file.size());
    ::close(fd);
    if (!written) {
        ::unlink(SessionPath().c_str());
        return 0;
    }
    std::string reason;
    if (auto session = SessionFile::OpenOwn(SessionPath(), reason)) {
        const auto inMemory = ParseSessionRecords(file);
        if (session->RecordCount() != inMemory.size()) std::abort();
        for (std::size_t n = 1; n <= session->RecordCount(); ++n) {
            const auto record = session->ReadRecord(n);
            if (!record || *record != inMemory[n - 1]) std::abort();
        }
    }
    // libFuzzer may end the process without exit handlers: leave no file.
    ::unlink(SessionPath().c_str());
    return 0;
}
