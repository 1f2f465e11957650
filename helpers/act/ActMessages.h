#pragma once
// What the ACT! helpers tell the user: the messages of the error file and
// the progress line of the status file.
#include <string>
#include <string_view>

#include "helpers/act/ActFetch.h"

namespace act_helper {

std::string ExportHoldsContactsOnly();
std::string ExportUnreadable(const std::string& path, const std::string& cause);
std::string ExportEmpty(const std::string& path);
std::string ExportNotATable(const std::string& path);
// A database of ACT! 6 or older (dBASE files).
std::string OldDatabase(const std::string& path);
// Neither a database file nor the Act! Web API's address.
std::string NothingChosen();
std::string DataFileUnwritable(const std::string& path);
std::string Stopped();
// The message for a failed read through the Act! Web API: the API's own
// when it sent one, else ours for the kind of failure.
std::string FetchErrorText(const act::Error& error, const std::string& database);

// True for a file of an older ACT! database by its name (".dbf", ".adb").
bool IsOldDatabaseName(std::string_view path);

// "Reading ACT! contact 120 of 4,500 ..."; without a total while it is not
// known, and without a number before the first record.
std::string ReadingLine(const char* noun, const char* plural, int done, int total);
// A count with its thousands separated by ",".
std::string Thousands(long long value);

// The text with every occurrence of `secret` masked.
std::string WithoutSecret(std::string text, const std::string& secret);

}  // namespace act_helper
