#pragma once
// ReplacingFile: a chart file (image, hot-spot map, chart settings) is written
// into a new file beside its target and renamed over the target only once
// every byte is written. A full disk or a failed encoder leaves the old file
// as it was and no partial one; the rename replaces a symbolic link planted
// under the target's name instead of writing through it into another file.
#include <string>

namespace korva::plot {

class ReplacingFile {
public:
    // Makes the new file beside target (mode of the existing target, else of
    // any new file). Check Ready(); Error() tells why it is not.
    explicit ReplacingFile(std::string target);
    // Removes the new file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Ready() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Error() const { return error_; }

    // Writes all of size bytes; false (Error() set) when the disk refuses.
    bool Write(const char* data, std::size_t size);
    // Closes the new file (after fsync when durable) and renames it over the
    // target; false with Error() set, the target untouched, on failure.
    bool Commit(bool durable);

private:
    bool Failed(const char* step);

    std::string target_;
    std::string temporary_;
    std::string error_;
    int fd_ = -1;
};

} // namespace korva::plot
