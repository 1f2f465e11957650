#pragma once
// Little-endian values written as the bytes of a file for Windows: appended
// to a byte string or vector, or put at a place in one. The writer side of
// LittleEndianReader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The low `width` bytes of `value`, lowest first, after the end of `out`.
template <class Bytes>
void AppendLE(Bytes& out, std::uint64_t value, std::size_t width) {
    using Byte = typename Bytes::value_type;
    for (std::size_t i = 0; i < width; ++i) out.push_back(static_cast<Byte>(value >> (8 * i) & 0xFF));
}

template <class Bytes>
void AppendLE16(Bytes& out, std::uint64_t value) {
    AppendLE(out, value, 2);
}
template <class Bytes>
void AppendLE32(Bytes& out, std::uint64_t value) {
    AppendLE(out, value, 4);
}
template <class Bytes>
void AppendLE64(Bytes& out, std::uint64_t value) {
    AppendLE(out, value, 8);
}

// The low `width` bytes of `value` over the bytes at `at`; `out` grows with
// zero bytes when it ends before them.
template <class Bytes>
void PutLE(Bytes& out, std::size_t at, std::uint64_t value, std::size_t width) {
    using Byte = typename Bytes::value_type;
    if (out.size() < at + width) out.resize(at + width, Byte{});
    for (std::size_t i = 0; i < width; ++i) out[at + i] = static_cast<Byte>(value >> (8 * i) & 0xFF);
}

template <class Bytes>
void PutLE16(Bytes& out, std::size_t at, std::uint64_t value) {
    PutLE(out, at, value, 2);
}
template <class Bytes>
void PutLE32(Bytes& out, std::size_t at, std::uint64_t value) {
    PutLE(out, at, value, 4);
}

// The same into a buffer the caller has sized.
inline void PutLE(std::uint8_t* at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void PutLE16(std::uint8_t* at, std::uint64_t value) { PutLE(at, value, 2); }
inline void PutLE32(std::uint8_t* at, std::uint64_t value) { PutLE(at, value, 4); }

}  // namespace platform
