#pragma once
// "Stop" as the program asks it of a running helper program.
#include <chrono>
#include <string>

namespace fwtest {

// Starts a helper through the shell, waits until it has set "Running" in
// its control file and a little more, sets "Stop" there, and gives the
// time the helper took to end after that. A helper that has not ended
// after ten seconds is killed.
std::chrono::milliseconds StopRunningHelper(const std::string& command, const std::string& controlFile);

}  // namespace fwtest
