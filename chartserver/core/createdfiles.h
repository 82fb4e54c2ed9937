#pragma once
// CreatedFiles: the files this process's component has made (placeholders,
// images, maps, session files). A page may ask Loader.AddFile to record any
// path in a session, and ending the session deletes what it records; only a
// file the component made itself may be recorded, so a page cannot have a
// user's own "PX1.JPG" deleted by naming it.
#include <string>

namespace korva::pxserver {

// Notes a file just created exclusively under path.
void NoteCreatedFile(const std::string& path);

// True when path (relative paths taken from the current folder) names a file
// this process made and that still exists.
bool WasCreatedHere(const std::string& path);

} // namespace korva::pxserver
