#pragma once
// UTF-8 one character at a time, for the converters between UTF-8 and the
// UTF-16 texts of automation, Jet databases and the Wine registry.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Appends the UTF-8 form of one code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the character at `i` and moves `i` past it; U+FFFD for a byte
// sequence that is no UTF-8 character (overlong forms and surrogates
// included). `i` must be below the text's size.
char32_t DecodeUtf8(std::string_view text, std::size_t& i);

}  // namespace platform
