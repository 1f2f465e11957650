// Little-endian values written by the writer read back by the reader, in
// strings and byte vectors, at the ends of the buffer and beyond them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text/LittleEndian.h"
#include "platform/text/LittleEndianWriter.h"

TEST(LittleEndian, WrittenValuesReadBackWhereverTheyLie) {
    std::mt19937_64 rng(20261209);
    for (int round = 0; round < 200; ++round) {
        const std::uint64_t v = round < 4 ? std::uint64_t{0xFFFFFFFFFFFFFFFF} >> (16 * round) : rng();
        std::string s(rng() % 5, 'x');
        const std::size_t at = s.size();
        platform::AppendLE16(s, v);
        platform::AppendLE32(s, v);
        platform::AppendLE64(s, v);
        ASSERT_EQ(s.size(), at + 14);
        const platform::LittleEndianReader r(s);
        EXPECT_EQ(*r.U16(at), v & 0xFFFF);
        EXPECT_EQ(*r.U32(at + 2), v & 0xFFFFFFFF);
        EXPECT_EQ(*r.U32(at + 6) | std::uint64_t{*r.U32(at + 10)} << 32, v);
        EXPECT_FALSE(r.U32(at + 11));  // one byte short of the end

        // Put over, and past, the end of a vector: it grows with zeros.
        std::vector<std::uint8_t> bytes(3, 0xAA);
        platform::PutLE32(bytes, 1, v);
        platform::PutLE16(bytes, 7, v >> 16);
        const std::vector<std::uint8_t> expected = {
            0xAA, std::uint8_t(v),       std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24), 0,
            0,    std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        EXPECT_EQ(bytes, expected);
    }
}

TEST(LittleEndian, WritesSignedValuesInTwosComplement) {
    std::string s;
    platform::AppendLE32(s, static_cast<std::uint32_t>(std::int32_t{-2}));
    platform::AppendLE16(s, static_cast<std::uint16_t>(std::int16_t{-32768}));
    EXPECT_EQ(s, std::string("\xFE\xFF\xFF\xFF\x00\x80", 6));
}
