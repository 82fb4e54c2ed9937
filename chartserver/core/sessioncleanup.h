#pragma once
// SessionCleanup: ends a session by deleting the files recorded in it and then
// the session file itself. Used when a session ends in mode -1 and, after its
// wait, by the delayed-delete program pxfkill.
#include <functional>
#include <string>
#include <string_view>

namespace korva::pxserver {

class SessionFile;

using TraceLine = std::function<void(const std::string&)>;

// Deletes each file of records 2 ... n (each under its record lock) that the
// component named itself, tracing "Kill(" + name + ")" for each; a record
// naming any other file is refused with a trace line and left alone. A file
// that is already gone (sent and deleted by the page) does not stop the rest.
// Then closes the session file, traces "Kill(" + own path + ")" and deletes
// it. Returns true when the session file is gone at the end.
bool DeleteSessionFiles(SessionFile&& session, const TraceLine& trace);

// Deletes the session file only (its recorded files stay).
bool DeleteSessionFileOnly(SessionFile&& session);

} // namespace korva::pxserver
