#pragma once
// A file that takes the place of another only once it is completely on disk.
// The text goes to a new file beside the final name, which is synced and then
// renamed over that name, so a write that fails (a full disk, a file size
// limit) leaves the old file exactly as it was and never a partial one. The
// rename replaces whatever stood under the name, a symbolic link included:
// a link planted under a result or input name is never written through into
// a file elsewhere. A name that stands for no plain file (a device such as
// /dev/stdout, a pipe, a link to either) is written in place instead: there
// is no old file to keep, and a plain file must not take the device's place.
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace korva {

class ReplacingFile {
public:
    // Creates the temporary file beside path; IsOpen() tells whether that
    // worked (ErrorText() then says why not).
    explicit ReplacingFile(std::string path);
    // For writers that name the path later: Open does what the constructor
    // with a path does, once, and returns IsOpen().
    ReplacingFile() = default;
    bool Open(const std::string& path);
    // Removes the temporary file when Commit() was not reached or failed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

    // Appends data; false once any write has failed (later writes do nothing).
    bool Write(std::string_view data);
    // A stream over Write, for writers that format into a std::ostream. Its
    // failures are the file's: Commit() reports them.
    std::ostream& Stream() { return stream_; }

    // Flushes, syncs and closes the file, then renames it over the final
    // name. False when anything failed; the old file is then untouched.
    bool Commit();

    // The system's text for the first failure ("No space left on device").
    std::string ErrorText() const;
    // The same, or empty while nothing has failed.
    std::string Error() const { return error_ != 0 ? ErrorText() : std::string(); }

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(ReplacingFile& file) : file_(file) {}

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* data, std::streamsize size) override;
        int sync() override;

    private:
        bool Drain();
        ReplacingFile& file_;
        std::string pending_;
    };

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
    bool direct_ = false; // written in place: not a plain file
    bool committed_ = false;
    Buffer buffer_{*this};
    std::ostream stream_{&buffer_};
};

} // namespace korva
