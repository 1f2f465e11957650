#pragma once
// Little-endian values read from the bytes of a file written on Windows,
// never past their end.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

class LittleEndianReader {
public:
    explicit LittleEndianReader(std::string_view bytes) : m_bytes(bytes) {}

    // The 16-bit value at `at`, or nothing when it does not lie wholly inside.
    std::optional<std::uint32_t> U16(std::size_t at) const {
        if (at > m_bytes.size() || m_bytes.size() - at < 2) return std::nullopt;
        return static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[at + 1])) << 8;
    }

    // The 32-bit value at `at`, or nothing when it does not lie wholly inside.
    std::optional<std::uint32_t> U32(std::size_t at) const {
        if (at > m_bytes.size() || m_bytes.size() - at < 4) return std::nullopt;
        return *U16(at) | *U16(at + 2) << 16;
    }

    std::string_view Bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

}  // namespace platform
