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

// Reads the project at path into grid, which should be freshly constructed.
// True on success, and also when only the time-series selections and what
// follows them are missing or damaged (after an "Input error: " message).
// False after a message otherwise; what was read before the failure stays in
// grid. Sets the process-wide TimeSeriesCellColor and TimeSeriesDisplay.
bool ReadProjectFile(GridData& grid, const std::string& path);
// Reads a project from a stream; path only names it in messages.
bool ReadProjectFile(GridData& grid, std::istream& in, const std::string& path);
// Reads a project held in memory; path only names it in messages.
bool ReadProjectText(GridData& grid, std::string_view text, const std::string& path);

} // namespace korva
