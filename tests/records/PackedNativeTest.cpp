// The packed native copy gives back exactly the bytes it was made from, for
// sizes that are not whole words, buffers of nothing but zeros or nothing
// but text, and random sparse records like the fixed-capacity ones.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/records/PackedNative.h"
#include "tests/support/Seed.h"

namespace {

std::vector<unsigned char> RoundTrip(const std::vector<unsigned char>& bytes) {
    const PackedNative packed(bytes.data(), bytes.size());
    EXPECT_EQ(packed.Size(), bytes.size());
    std::vector<unsigned char> out(bytes.size() + 8, 0xEE);
    packed.UnpackInto(out.data());
    for (std::size_t i = bytes.size(); i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE) << "written past the end at " << i;
    out.resize(bytes.size());
    return out;
}

TEST(PackedNative, EdgeShapesComeBackExactly) {
    struct Shape {
        const char* name;
        std::vector<unsigned char> bytes;
    };
    std::vector<Shape> shapes = {
        {"one zero byte", {0}},
        {"one byte", {7}},
        {"a short last word", {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}},
        {"all zeros", std::vector<unsigned char>(1000, 0)},
        {"no zeros", std::vector<unsigned char>(1003, 'x')},
        {"text at both ends", {}},
        {"a stretch of zero words longer than one number byte", {}},
    };
    shapes[5].bytes.assign(777, 0);
    shapes[5].bytes.front() = 'a';
    shapes[5].bytes.back() = 'z';
    shapes[6].bytes.assign(8 * 300 + 5, 0);
    shapes[6].bytes[8 * 299 + 3] = 9;
    for (const Shape& shape : shapes) EXPECT_EQ(RoundTrip(shape.bytes), shape.bytes) << shape.name;

    const PackedNative zeros(shapes[3].bytes.data(), shapes[3].bytes.size());
    EXPECT_EQ(zeros.PackedSize(), 0u);
    const PackedNative none(nullptr, 10);
    EXPECT_TRUE(none.Empty());
}

TEST(PackedNative, RandomSparseRecordsComeBackExactlyAndSmall) {
    const unsigned seed = fwtest::SeedFromEnvironment(20261210);
    SCOPED_TRACE("FW_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 300; ++round) {
        // Fields of 8 to 256 bytes, a few of them filled with short texts.
        std::vector<unsigned char> record(std::uniform_int_distribution<std::size_t>(1, 20000)(random), 0);
        std::size_t filled = 0;
        for (std::size_t at = 0; at < record.size();) {
            const std::size_t field = std::uniform_int_distribution<std::size_t>(8, 256)(random);
            if (random() % 4 == 0) {
                const std::size_t length = std::min(record.size() - at, random() % field);
                for (std::size_t i = 0; i < length; ++i) record[at + i] = static_cast<unsigned char>(random() % 255 + 1);
                filled += length;
            }
            at += field;
        }
        ASSERT_EQ(RoundTrip(record), record) << "round " << round;
        const PackedNative packed(record.data(), record.size());
        // Each filled byte costs at most its word and two number bytes.
        EXPECT_LE(packed.PackedSize(), 3 * filled + 16) << "round " << round;
    }
}

}  // namespace
