#pragma once
// The project file (".kvp"): one text file that holds the whole model. The
// writer puts every section on disk in the file's fixed order; the reader walks
// the same sequence, matching each label by its key, honouring the version
// gates of older files, and reports every failure as a message.
#include "model/griddata.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace korva {

class ProjectTextWriter;

// The version every save writes.
constexpr float CurrentProjectFileVersion = 2.5f;

// Saves the model at path. The old file is replaced only once the new one is
// completely on disk: the text goes to a temporary file in the same folder,
// which is flushed and then renamed over path. False, after a message, when
// the file cannot be created ("Unable to open output save file " + path) or
// when writing it fails (the message names path; the old file stays).
bool WriteProjectFile(const GridData& grid, const std::string& path);
// Writes the same text to out; false when the stream failed.
bool WriteProjectFile(const GridData& grid, std::ostream& out);
// Writes the text through writer (the caller finishes it).
void WriteProjectText(const GridData& grid, ProjectTextWriter& writer);

// What a read of a project found, beside the messages it showed.
struct ProjectReadResult {
    // The model was read (the reader's true result).
    bool read = false;
    // The read was accepted but stopped at damage inside the time-series
    // selections: the items after them (time-series colour and display, output
    // base name, crops, crop-basin records, natural-boundary fluxes and water
    // qualities, Z exaggeration) are still in the file but were not read and
    // hold their defaults. Running such a model would use the wrong inputs,
    // and saving it over the file it came from would lose those items for
    // good: callers refuse the run and warn before such a save. A file that
    // merely ends after its print dates is not read with errors.
    bool readWithErrors = false;
    // The reader's text about the damage, when readWithErrors.
    std::string damage;
};

// Reads the project at path into grid, which should be freshly constructed.
// True on success, and also when only the time-series selections and what
// follows them are missing or damaged (after an "Input error: " message;
// result.readWithErrors tells damage from a file that ends early). False
// after a message otherwise; what was read before the failure stays in grid.
// Sets the process-wide TimeSeriesCellColor and TimeSeriesDisplay.
bool ReadProjectFile(GridData& grid, const std::string& path, ProjectReadResult& result);
bool ReadProjectFile(GridData& grid, const std::string& path);
// Reads a project from a stream; path only names it in messages.
bool ReadProjectFile(GridData& grid, std::istream& in, const std::string& path,
                     ProjectReadResult& result);
bool ReadProjectFile(GridData& grid, std::istream& in, const std::string& path);
// Reads a project held in memory; path only names it in messages.
bool ReadProjectText(GridData& grid, std::string_view text, const std::string& path,
                     ProjectReadResult& result);
bool ReadProjectText(GridData& grid, std::string_view text, const std::string& path);

// True when saving to target would replace the file read from source (the
// same path, or another name of the same file). A target that does not exist
// yet is never the source.
bool IsSameFile(const std::string& source, const std::string& target);

} // namespace korva
