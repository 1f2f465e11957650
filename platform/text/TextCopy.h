#pragma once
// Copying texts into the fixed-capacity members of the records.
//
// Every text member is a NUL-terminated array of a fixed capacity. A copy
// keeps at most capacity - 1 bytes and never splits a UTF-8 sequence: when
// the cut falls inside a multi-byte character, the whole character is left
// out.
#include <cstddef>
#include <string_view>

namespace platform {

// Length in bytes of the longest prefix of `text` that is at most `maxBytes`
// long and does not end inside a UTF-8 sequence.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// Copies `src` into `dst` of capacity `cap` (terminator included), cut as
// above. Returns the number of bytes copied. A capacity of 0 writes nothing.
std::size_t CopyText(char* dst, std::size_t cap, std::string_view src);

// The same for a NUL-terminated source; a null source copies the empty text.
std::size_t CopyText(char* dst, std::size_t cap, const char* src);

// Copies into an array member, taking its capacity from its type.
template <std::size_t N>
std::size_t CopyText(char (&dst)[N], std::string_view src) {
    return CopyText(dst, N, src);
}
template <std::size_t N>
std::size_t CopyText(char (&dst)[N], const char* src) {
    return CopyText(dst, N, src);
}

// Length of a text member: the bytes before its terminator, never beyond
// its capacity.
template <std::size_t N>
std::size_t TextLength(const char (&text)[N]) {
    std::size_t n = 0;
    while (n < N && text[n] != '\0') ++n;
    return n;
}
template <std::size_t N>
std::string_view TextView(const char (&text)[N]) {
    return std::string_view(text, TextLength(text));
}

}  // namespace platform
