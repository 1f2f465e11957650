#pragma once
// Texts as a Jet 4 database stores them: UCS-2 little-endian, or the
// compressed form that starts with the bytes FF FE. In the compressed form
// each byte is a character below U+0100 until a 0x00 byte switches to
// two-byte characters, and the next 0x00 switches back.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::jet {

// The UTF-8 text of a stored value. Surrogate pairs are joined; a lone
// surrogate becomes U+FFFD; an odd last byte is left out.
std::string DecodeJetText(const std::uint8_t* data, std::size_t size);

}  // namespace platform::jet
