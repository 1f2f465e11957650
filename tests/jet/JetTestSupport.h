#pragma once
// Helpers of the Jet tests: running mdbtools' programs, and opening a file
// through the Jet stand-in.
#include <string>
#include <vector>

#include "platform/jet/JetConnection.h"

namespace jettest {

// Runs a shell command; its standard output, and its exit status in `status`.
std::string RunCommand(const std::string& command, int* status = nullptr);

// The path in single quotes for a shell command.
std::string Quoted(const std::string& path);

// The connection string the Palm reader builds for a path.
std::string ConnectionStringFor(const std::string& path);

// Runs a SELECT over a file and returns every row; fails the test when the
// file does not open or the query fails.
std::vector<std::vector<platform::jet::Value>> ReadAll(const std::string& path, const std::string& sql);

// Splits mdb-export's CSV output (default options) into lines of fields;
// quoted fields keep their quotes removed and doubled quotes undone.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);

}  // namespace jettest
