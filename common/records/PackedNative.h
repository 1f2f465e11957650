#pragma once
// A record's native copy kept small. Native records are fixed-capacity
// structures that are mostly empty text room; a list of tens of thousands
// of them would hold gigabytes of zero bytes. A PackedNative keeps only the
// 8-byte words that are not zero, with the lengths of the zero stretches
// between them, and gives back the exact bytes it was made from.
#include <cstddef>
#include <cstdint>
#include <memory>

class PackedNative {
public:
    PackedNative() = default;
    // Packs `size` bytes of `data` (nothing for a null pointer or size 0).
    PackedNative(const void* data, std::size_t size);

    bool Empty() const { return m_size == 0; }
    // The size of the bytes packed, and of the packed form.
    std::size_t Size() const { return m_size; }
    std::size_t PackedSize() const { return m_packedSize; }

    // Writes the Size() bytes it was made from into `out`.
    void UnpackInto(void* out) const;

private:
    std::unique_ptr<std::byte[]> m_bytes;
    std::uint32_t m_packedSize = 0;
    std::uint32_t m_size = 0;
};
