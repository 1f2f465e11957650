// Record storage in blocks: every record keeps its own bytes and address
// while the blocks grow past the huge-page size, blocks freed from the
// front leave the later records whole, and a cleared store starts again.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "common/records/RecordBlocks.h"

namespace {

struct Wide {
    unsigned number;
    char text[1020];
};

Wide Make(unsigned n) {
    Wide w{};
    w.number = n;
    std::memset(w.text, static_cast<int>('a' + n % 26), sizeof w.text - 1);
    return w;
}

bool Holds(const Wide* w, unsigned n) {
    const Wide expected = Make(n);
    return std::memcmp(w, &expected, sizeof(Wide)) == 0;
}

TEST(RecordBlocks, RecordsStayWholeAcrossBlocksAndFrontReleases) {
    RecordBlocks<Wide> store;
    std::vector<Wide*> records;
    constexpr unsigned kCount = 20000;  // about 20 MiB: several full blocks
    for (unsigned n = 0; n < kCount; ++n) {
        Wide* w = store.Add(Make(n));
        ASSERT_NE(w, nullptr);
        records.push_back(w);
    }
    EXPECT_EQ(store.Count(), kCount);
    EXPECT_EQ(std::set<Wide*>(records.begin(), records.end()).size(), kCount);
    for (unsigned n = 0; n < kCount; ++n) ASSERT_TRUE(Holds(records[n], n)) << n;

    // As a reader hands its records on: each record is read before its
    // block goes, and the ones after stay whole.
    for (unsigned n = 0; n < kCount; ++n) {
        ASSERT_TRUE(Holds(records[n], n)) << n;
        store.ReleaseBefore(n + 1);
    }
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
    Wide* again = store.Add(Make(7));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(Holds(again, 7));
}

}  // namespace
