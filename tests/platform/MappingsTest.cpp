// The mappings behind large record blocks: aligned on huge pages, zero when
// new, made ahead of need by a helper for the size asked for last, and a
// freed one reused with its bytes for the next of its size.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "platform/memory/Mappings.h"
#include "platform/memory/PageBlock.h"

namespace {

using platform::memory::GiveMapping;
using platform::memory::kHugePageSize;
using platform::memory::MappingsAhead;
using platform::memory::TakeMapping;

// Waits until the helper has made `count` mappings ahead; false after a
// generous while (the helper is a thread of its own).
bool AheadReaches(std::size_t count) {
    for (int i = 0; i < 1000; ++i) {
        if (MappingsAhead() >= count) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool AllZero(const std::byte* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += 512)
        if (data[at] != std::byte{0} || data[size - 1 - at] != std::byte{0}) return false;
    return true;
}

TEST(Mappings, NewOnesAlignedZeroAndMadeAheadForTheSizeAskedLast) {
    // Sizes no other test of this program asks for, so the pool is ours.
    const std::size_t size = 3 * kHugePageSize, other = 5 * kHugePageSize;
    std::vector<std::byte*> taken;
    std::set<std::byte*> distinct;
    for (int round = 0; round < 3; ++round) {
        // The first request starts the helper on this size; the later ones
        // find mappings already made.
        if (round > 0) {
            ASSERT_TRUE(AheadReaches(1));
        }
        for (int i = 0; i < 6; ++i) {
            std::byte* data = TakeMapping(size);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % kHugePageSize, 0u);
            EXPECT_TRUE(AllZero(data, size)) << "round " << round << " mapping " << i;
            std::memset(data, 0x5A, size);  // each is writable to its last byte
            taken.push_back(data);
            distinct.insert(data);
        }
    }
    EXPECT_EQ(distinct.size(), taken.size());

    // Another size: the helper turns to it and gives back what it made for
    // the first one.
    std::byte* first = TakeMapping(other);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(AheadReaches(2));
    std::byte* ahead = TakeMapping(other);
    ASSERT_NE(ahead, nullptr);
    EXPECT_TRUE(AllZero(ahead, other));
    EXPECT_NE(ahead, first);

    // A freed mapping comes back for the next of its size, bytes and all.
    GiveMapping(taken.back(), size);
    std::byte* again = TakeMapping(size);
    EXPECT_EQ(again, taken.back());
    EXPECT_EQ(again[size - 1], std::byte{0x5A});

    for (std::byte* data : taken) GiveMapping(data, size);
    GiveMapping(first, other);
    GiveMapping(ahead, other);
}

}  // namespace
