#pragma once
// A file written piece by piece that takes the place of the old one only once
// it is complete: the pieces go to a new file beside the final path, which
// Commit syncs and renames over it. Until then the final path is untouched;
// a failed or abandoned write removes the new file, so no partial file is
// ever left under the final name. For writers whose output is too large to
// assemble in memory first (ReplaceFileContents does that for small ones).
#include <string>
#include <string_view>
#include <vector>

namespace korva {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile(); // removes the new file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the new file beside path. False, with the system's reason in
    // Error(), when the folder cannot be written.
    bool Open(const std::string& path);
    // Appends data; false once any write has failed (a full disk), and for
    // every write after that.
    bool Write(std::string_view data);
    // Flushes, syncs and renames the new file over the final path. False, with
    // the new file removed and the old one as it was, when any step failed.
    bool Commit();

    const std::string& Error() const { return error_; }

private:
    bool Flush();
    bool Fail(int code);
    void Discard();

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool failed_ = false;
    std::string error_;
    std::vector<char> buffer_;
};

} // namespace korva
