#include "platform/jet/JetFileCheck.h"

#include <array>
#include <cstring>
#include <string>
#include <utility>

namespace platform::jet {

void Rc4(const std::uint8_t* key, std::size_t keyLen, std::uint8_t* data, std::size_t len) {
    std::array<std::uint8_t, 256> s{};
    for (int i = 0; i < 256; ++i) s[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + s[i] + key[i % keyLen]);
        std::swap(s[i], s[j]);
    }
    std::uint8_t x = 0, y = 0;
    for (std::size_t n = 0; n < len; ++n) {
        x = static_cast<std::uint8_t>(x + 1);
        y = static_cast<std::uint8_t>(y + s[x]);
        std::swap(s[x], s[y]);
        data[n] ^= s[static_cast<std::uint8_t>(s[x] + s[y])];
    }
}

void ScrambleJetHeader(std::uint8_t* page0) {
    static const std::uint8_t kKey[] = {0xC7, 0xDA, 0x39, 0x6B};
    Rc4(kKey, sizeof kKey, page0 + 0x18, 128);
}

bool CheckJetFile(const std::uint8_t* data, std::size_t size, std::string& error) {
    if (size < 3 * kJetPageSize) {
        error = "it is too short";
        return false;
    }
    if (size % kJetPageSize != 0) {
        error = "its size is not a whole number of 4096-byte pages";
        return false;
    }
    static const char kSignature[] = "Standard Jet DB";
    if (data[0] != 0x00 || std::memcmp(data + 4, kSignature, sizeof kSignature) != 0) {
        error = "it does not carry the Jet signature";
        return false;
    }
    if (data[0x14] != 0x01) {
        error = data[0x14] == 0x00 ? "it is a Jet 3 (Access 97) database" : "it is an Access 2007 or later database";
        return false;
    }
    std::array<std::uint8_t, kJetPageSize> page0;
    std::memcpy(page0.data(), data, kJetPageSize);
    ScrambleJetHeader(page0.data());
    std::uint32_t key = 0;
    std::memcpy(&key, &page0[0x3E], 4);
    if (key != 0) {
        error = "it is encrypted";
        return false;
    }
    const std::uint8_t* catalog = data + 2 * kJetPageSize;
    const unsigned columns = catalog[45] | (catalog[46] << 8);
    if (catalog[0] != 0x02 || columns == 0 || columns > 255) {
        error = "its table catalog is damaged";
        return false;
    }
    return true;
}

namespace {

unsigned Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr unsigned kOffsetMask = 0x1FFF;
constexpr unsigned kDeletedRow = 0x4000;
constexpr unsigned kRowCountOffset = 12;
constexpr unsigned kMostRowsRead = 1000;  // libmdb reads no row number above this

// Where a row of a page lies, the way libmdb finds it; false when libmdb
// would find no row there.
bool RowSpan(const std::uint8_t* page, unsigned row, unsigned& start, unsigned& length, bool& deleted) {
    if (row > kMostRowsRead) return false;
    const unsigned raw = Get16(page + kRowCountOffset + 2 + row * 2);
    const unsigned next = row == 0 ? kJetPageSize : Get16(page + kRowCountOffset + row * 2) & kOffsetMask;
    start = raw & kOffsetMask;
    deleted = (raw & kDeletedRow) != 0;
    if (start >= kJetPageSize || start > next || next > kJetPageSize) return false;
    length = next - start;
    return true;
}

// A page-usage map row: it must exist and hold at least its type byte.
bool MapRowExists(const std::uint8_t* data, std::size_t pages, std::uint32_t pointer) {
    const std::uint32_t page = pointer >> 8;
    unsigned start = 0, length = 0;
    bool deleted = false;
    return page < pages && RowSpan(data + page * kJetPageSize, pointer & 0xFF, start, length, deleted) && length >= 1;
}

// The parts of a row that libmdb reads to split it into columns.
bool RowLayoutFits(const std::uint8_t* row, unsigned length, bool hasVariableColumns) {
    if (length < 2) return false;
    const unsigned columns = Get16(row);
    const unsigned mask = (columns + 7) / 8;
    if (2 + mask + (hasVariableColumns ? 2u : 0u) > length) return false;
    if (!hasVariableColumns) return true;
    const unsigned variable = Get16(row + length - mask - 2);
    return 2 + 2 * (variable + 1) + 2 + mask <= length;
}

}  // namespace

bool CheckJetTable(const std::uint8_t* data, std::size_t size, std::uint32_t definitionPage, std::string& error) {
    const std::size_t pages = size / kJetPageSize;
    if (definitionPage == 0 || definitionPage >= pages || data[definitionPage * kJetPageSize] != 0x02) {
        error = "its definition page is missing";
        return false;
    }
    const std::uint8_t* def = data + definitionPage * kJetPageSize;
    const unsigned columns = Get16(def + 45);
    const unsigned variableColumns = Get16(def + 43);
    if (columns == 0 || columns > 255 || variableColumns > columns || Get32(def + 51) > 1000) {
        error = "its definition is damaged";
        return false;
    }
    if (!MapRowExists(data, pages, Get32(def + 55)) || !MapRowExists(data, pages, Get32(def + 59))) {
        error = "its page-usage map is missing";
        return false;
    }
    for (std::size_t p = 1; p < pages; ++p) {
        const std::uint8_t* page = data + p * kJetPageSize;
        if (page[0] != 0x01 || Get32(page + 4) != definitionPage) continue;
        const unsigned rows = Get16(page + kRowCountOffset);
        for (unsigned r = 0; r < rows && r <= kMostRowsRead; ++r) {
            unsigned start = 0, length = 0;
            bool deleted = false;
            if (!RowSpan(page, r, start, length, deleted) || deleted || length == 0) continue;  // libmdb skips it
            if (!RowLayoutFits(page + start, length, variableColumns > 0)) {
                error = "row " + std::to_string(r) + " of page " + std::to_string(p) + " is damaged";
                return false;
            }
        }
    }
    return true;
}

}  // namespace platform::jet
