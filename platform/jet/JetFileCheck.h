#pragma once
// The checks a file passes before libmdb reads it. libmdb trusts the file
// it reads; these checks turn away what is plainly not an unencrypted Jet 4
// database, and check the structures it reads first.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::jet {

inline constexpr std::size_t kJetPageSize = 4096;

// The RC4 stream cipher: scrambles and unscrambles alike.
void Rc4(const std::uint8_t* key, std::size_t keyLen, std::uint8_t* data, std::size_t len);

// Scrambles (or unscrambles) the 128 header bytes from offset 0x18 of
// page 0, which a Jet 4 file keeps scrambled with a fixed key.
void ScrambleJetHeader(std::uint8_t* page0);

// True for a file of whole 4096-byte pages, at least three, whose page 0
// carries the signature "Standard Jet DB" and version 1 (Jet 4) with no
// encryption key, and whose page 2 is the definition of the table
// catalog with a plausible column count. False with the reason in `error`.
bool CheckJetFile(const std::uint8_t* data, std::size_t size, std::string& error);

// True when the table whose definition starts on page `definitionPage`
// can be handed to libmdb: a definition page with 1 to 255 columns and a
// plausible index count, page-usage maps that exist, and rows whose column
// count, null mask and table of variable-length columns lie within the
// row on every data page of the table. False with the reason in `error`.
bool CheckJetTable(const std::uint8_t* data, std::size_t size, std::uint32_t definitionPage, std::string& error);

}  // namespace platform::jet
