#pragma once
// Case without regard to the locale: only the letters A-Z and a-z have a
// case, every other byte (UTF-8 sequences included) is left as it is.
// Property names, parameters, file suffixes and settings keys are compared
// this way.
#include <string>
#include <string_view>

namespace platform {

constexpr char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// The value of a hexadecimal digit in either case; -1 for any other byte.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Copying forms.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// In place.
void ToUpperAsciiInPlace(std::string& text);
void ToLowerAsciiInPlace(std::string& text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
bool ContainsNoCase(std::string_view text, std::string_view part);

// Negative, zero or positive as `a` sorts before, with or after `b` when
// case is ignored (letters compare as lower case, as strcasecmp does).
int CompareNoCase(std::string_view a, std::string_view b);

// An ordering for maps and sorts that ignores case.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

}  // namespace platform
