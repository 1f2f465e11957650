#pragma once
// The cause of the last failure on this thread, told to the user as the
// second line of a load or migration message: the file and what was wrong
// with it. A reader that fails notes its cause; the driver clears the note
// before each load and takes it when the load fails.
#include <string>

// Keeps "<file>: <cause>" (or the cause alone when there is no file); a
// later note replaces an earlier one unless `keepFirst` is true and a note
// is already kept.
void CxNoteFailure(const std::string& file, const std::string& cause, bool keepFirst = false);
// The kept note, or "" when none; the note is emptied.
std::string CxTakeFailure();
void CxClearFailure();
