#include "common/records/PackedNative.h"

#include <cstring>
#include <vector>

// The packed form is a sequence of stretches, each two unsigned LEB128
// numbers and some bytes: the count of zero words to skip, the count of
// words that follow, and those words. Words are 8 bytes from the start; the
// last word may be short. Zero words after the last stretch are implied.
namespace {

constexpr std::size_t kWord = 8;

// The 8 bytes at `at` as one word, in the machine's order: words are only
// told apart from zero.
std::uint64_t Load(const unsigned char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, kWord);
    return word;
}

// Word `word` of `size` bytes; a short last word reads as if zero-padded.
std::uint64_t WordAt(const unsigned char* data, std::size_t size, std::size_t word) {
    const std::size_t at = word * kWord;
    if (at + kWord <= size) return Load(data + at);
    std::uint64_t value = 0;
    std::memcpy(&value, data + at, size - at);
    return value;
}

constexpr std::size_t kBlockWords = 8;

bool BlockIsZero(const unsigned char* at) {
    return (Load(at) | Load(at + 8) | Load(at + 16) | Load(at + 24) | Load(at + 32) | Load(at + 40) | Load(at + 48) |
            Load(at + 56)) == 0;
}

void PutNumber(std::vector<unsigned char>& out, std::size_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<unsigned char>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<unsigned char>(value));
}

// Reads a number; false past the end.
bool GetNumber(const unsigned char*& in, const unsigned char* end, std::size_t& value) {
    value = 0;
    for (unsigned shift = 0; in < end && shift < 64; shift += 7) {
        const unsigned char byte = *in++;
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

}  // namespace

PackedNative::PackedNative(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > UINT32_MAX) return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const std::size_t words = (size + kWord - 1) / kWord;
    thread_local std::vector<unsigned char> packed;
    packed.clear();
    std::size_t w = 0;
    while (w < words) {
        const std::size_t skipFrom = w;
        // Long zero stretches (the empty room of text fields) eight words
        // at a time, then word by word.
        while (w + kBlockWords <= size / kWord && BlockIsZero(bytes + w * kWord)) w += kBlockWords;
        while (w < words && WordAt(bytes, size, w) == 0) ++w;
        if (w == words) break;
        const std::size_t from = w;
        while (w < words && WordAt(bytes, size, w) != 0) ++w;
        PutNumber(packed, from - skipFrom);
        PutNumber(packed, w - from);
        const std::size_t end = w * kWord < size ? w * kWord : size;
        packed.insert(packed.end(), bytes + from * kWord, bytes + end);
    }
    m_size = static_cast<std::uint32_t>(size);
    m_packedSize = static_cast<std::uint32_t>(packed.size());
    if (m_packedSize == 0) return;
    m_bytes = std::make_unique_for_overwrite<std::byte[]>(packed.size());
    std::memcpy(m_bytes.get(), packed.data(), packed.size());
}

void PackedNative::UnpackInto(void* out) const {
    if (m_size == 0) return;
    auto* dest = static_cast<unsigned char*>(out);
    std::memset(dest, 0, m_size);
    const auto* in = reinterpret_cast<const unsigned char*>(m_bytes.get());
    const unsigned char* end = in + m_packedSize;
    std::size_t at = 0;
    std::size_t skip = 0, count = 0;
    while (in < end && GetNumber(in, end, skip) && GetNumber(in, end, count)) {
        at += skip * kWord;
        if (at >= m_size) return;
        std::size_t length = count * kWord;
        if (length > m_size - at) length = m_size - at;
        if (length > static_cast<std::size_t>(end - in)) return;
        std::memcpy(dest + at, in, length);
        in += length;
        at += length;
    }
}
