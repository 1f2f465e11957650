#pragma once
// Command-line texts in the Windows form: arguments separated by blanks or
// tabs, quotes grouping blanks into an argument.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits a command line into its argument vector by the rules the Windows C
// runtime uses. The first argument (the program) runs up to the next quote
// when it starts with one, else up to the first blank, with no escapes.
// For the others: 2n backslashes before a quote give n backslashes and the
// quote opens or closes a quoted part; 2n+1 backslashes before a quote give
// n backslashes and a literal quote; backslashes before anything else are
// literal; two quotes inside a quoted part give one literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace platform
