#pragma once
// SessionFile: record-locked access to one session file. Every record is read
// and written under an fcntl lock on its 256 bytes; the locks belong to the
// open file, so threads of one process exclude each other as well as
// separate processes do.
//
// A session name comes from the page, so a file is opened as a session file
// only when the component made it: a session-file name, a regular file and not
// a link, and record 1 holding exactly its own full path.
#include <optional>
#include <string>
#include <vector>

namespace korva::pxserver {

class SessionFile {
public:
    // Opens path as a session file of this component. On refusal returns
    // nullopt and says why in reason (for the trace).
    static std::optional<SessionFile> OpenOwn(const std::string& path, std::string& reason);

    // Writes path's own name as record 1 of the freshly made, empty file path
    // (each step retried after a yield). False with reason on failure.
    static bool WriteOwnRecord(const std::string& path, std::string& reason);

    SessionFile(SessionFile&& other) noexcept;
    SessionFile& operator=(SessionFile&& other) noexcept;
    SessionFile(const SessionFile&) = delete;
    SessionFile& operator=(const SessionFile&) = delete;
    ~SessionFile();

    const std::string& Path() const { return path_; }

    // Appends file as the next record. Two requests appending at once each get
    // their own record: the record count is taken again under the lock.
    bool Append(const std::string& file, std::string& reason);

    // The number of whole records now in the file.
    std::size_t RecordCount() const;

    // Reads record number (1-based) under its lock; nullopt on failure.
    std::optional<std::string> ReadRecord(std::size_t number) const;

    // Locks and unlocks a record for a caller that works on it meanwhile;
    // ReadRecordLocked reads a record whose lock the caller holds.
    bool LockRecord(std::size_t number) const;
    void UnlockRecord(std::size_t number) const;
    std::optional<std::string> ReadRecordLocked(std::size_t number) const;

    // True while Path() still names the very file that was opened (not a file
    // swapped in under the same name since).
    bool StillNamed() const;

private:
    SessionFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::string path_;
    int fd_ = -1;
    unsigned long long device_ = 0;
    unsigned long long inode_ = 0;
};

} // namespace korva::pxserver
