#pragma once
// UTF-8 texts in the stored form of a Jet 4 database.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jetfixture {

// The UTF-16 code units of a UTF-8 text; false for text that is not UTF-8
// (overlong forms, surrogates and code points above U+10FFFF included).
bool Utf8ToUtf16(std::string_view text, std::u16string& out);

// The stored bytes: UCS-2 little-endian, or, when `compress` is set and it
// is shorter, the compressed form (FF FE, then one byte per character below
// U+0100, a 0x00 byte switching between one-byte and two-byte characters).
// A text with a character whose low byte is 0x00 is never compressed: that
// byte would read as a switch.
std::vector<std::uint8_t> EncodeJetText(std::u16string_view text, bool compress);

}  // namespace jetfixture
