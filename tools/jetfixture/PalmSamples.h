#pragma once
// Sample Palm Desktop 6.x databases: a few dozen contacts with accented
// names, events with every kind of repeat rule, to-dos and memos, long
// notes included.
#include <string>

#include "tools/jetfixture/PalmTables.h"

namespace jetfixture {

// The sample database of a kind with `count` records (at least one of
// every repeat kind for the calendar, whatever the count).
PalmDatabase MakePalmSample(PalmKind kind, int count);

// Writes "Address.mdb", "DateBook.mdb", "Todolist.mdb" and "MemoPad.mdb"
// into an existing folder.
bool WritePalmSamples(const std::string& folder, int count, std::string& error);

}  // namespace jetfixture
