#pragma once
// The subject a note is matched by when its source keeps none: the first
// line of its text (up to the first CR LF, CR or LF), cut to the capacity.
// Outlook gives a note the same subject, so a note migrated once is found
// the same on the next run.
#include <cstddef>

void CommNoteSubject(const char* text, char* subject, std::size_t capacity);
