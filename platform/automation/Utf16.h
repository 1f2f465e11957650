#pragma once
// Conversions between the system's UTF-8 texts and the UTF-16 strings of
// automation. Bytes that are not valid UTF-8 become U+FFFD; lone
// surrogates become U+FFFD the other way.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// At most `maxUnits` UTF-16 units; a character that does not fit whole is
// left out together with everything after it.
std::u16string Utf8ToUtf16(std::string_view text, std::size_t maxUnits = static_cast<std::size_t>(-1));
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
