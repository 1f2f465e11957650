#pragma once
// Base64 with the standard alphabet and "=" padding (RFC 4648).
#include <cstddef>
#include <string>
#include <string_view>

std::string Base64Encode(std::string_view bytes);

// Decodes four characters at a time up to the end of the text; a group
// stops at its first "=". An incomplete last group is decoded as far as its
// characters go; a character outside the alphabet ends the decoding. True
// when at least one byte was decoded.
bool Base64Decode(std::string_view text, std::string& bytes);
