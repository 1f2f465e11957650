#pragma once
// Case without regard to the locale: only the letters A-Z and a-z have a
// case, every other byte (UTF-8 sequences included) is left as it is.
// Property names, parameters, file suffixes and settings keys are compared
// this way.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

constexpr char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Copying forms.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// In place.
void ToUpperAsciiInPlace(std::string& text);
void ToLowerAsciiInPlace(std::string& text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Negative, zero or positive as `a` sorts before, with or after `b` when
// case is ignored (letters compare as lower case, as strcasecmp does).
int CompareNoCase(std::string_view a, std::string_view b);

// An ordering for maps and sorts that ignores case.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

// Hashing and equality for unordered maps that ignore case; both take any
// string view, so a lookup needs no lower-case copy of its key.
struct HashNoCase {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        std::size_t hash = 14695981039346656037ull;
        for (char c : text) hash = (hash ^ static_cast<unsigned char>(ToLowerAscii(c))) * 1099511628211ull;
        return hash;
    }
};
struct EqualNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
};

}  // namespace platform
