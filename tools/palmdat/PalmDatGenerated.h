#pragma once
// Large generated Palm Desktop files for benchmarks and whole-flow tests:
// numbered records that each carry what a user's record usually does, so
// that every record differs from every other and can be told by its name.
#include <string>

#include "tools/palmdat/PalmDatWriter.h"

namespace palmdat {

// The name of generated record `index` (from 0) as the store shows it: the
// contact's first name, the event's, to-do's or memo's subject.
std::string GeneratedName(Kind kind, int index);

// Generated record `index` of the kind: a contact with name, company,
// phones, e-mail, address and note; an event of 30 minutes on its own day
// and hour; a to-do with a due date and priority; a memo of two lines.
Record GeneratedRecord(Kind kind, Format format, int index);

// Writes a file of `count` generated records, encoded one at a time so that
// a file of many thousands stays small in memory.
bool WriteGenerated(const std::string& path, Kind kind, Format format, int count, std::string* error = nullptr);

}  // namespace palmdat
