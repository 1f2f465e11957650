#pragma once
// White space as the C locale knows it: space, tab, line feed, vertical
// tab, form feed and carriage return; no other byte, whatever the locale.
#include <string_view>

namespace platform {

constexpr bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The text without white space at either end.
constexpr std::string_view TrimAsciiSpace(std::string_view s) {
    while (!s.empty() && IsAsciiSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsAsciiSpace(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace platform
