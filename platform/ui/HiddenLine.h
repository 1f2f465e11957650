#pragma once
// Asking for a secret on the terminal: the prompt goes to the terminal and
// the answer is read without being shown.
#include <string>

namespace platform {

// Writes `prompt`, reads one line from the terminal with echo off and gives
// it without its line end. False (and `line` empty) when there is no
// terminal to ask on or the input ended before a line.
bool ReadHiddenLine(const std::string& prompt, std::string& line);

}  // namespace platform
