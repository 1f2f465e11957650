// The category store of one file: slots, IDs, file names, lookups.
#include <gtest/gtest.h>

#include <string>

#include "common/palm/PmCategory.h"

namespace {

PmCategory Cat(std::int32_t index, std::int32_t id, const char* name) { return PmCategory(index, id, name); }

TEST(PmCategoryMgr, UnfiledAndFifteenMoreFillTheStore) {
    PmCategoryMgr mgr;
    EXPECT_EQ(mgr.GetNextFreeID(), 128);
    ASSERT_TRUE(mgr.Add(Cat(0, 0, "Unfiled")));
    EXPECT_TRUE(mgr.IsModified());
    for (int i = 1; i < 16; ++i) ASSERT_TRUE(mgr.Add(Cat(i, 100 + i, ("C" + std::to_string(i)).c_str()))) << i;
    EXPECT_EQ(mgr.GetCount(), 16);
    EXPECT_FALSE(mgr.Add(Cat(-1, -1, "Seventeenth")));
    // Walk in slot order.
    int seen = 0;
    for (PmCategory* c = mgr.First(); c != nullptr; c = mgr.Next()) EXPECT_EQ(c->GetIndex(), seen++);
    EXPECT_EQ(seen, 16);
    EXPECT_EQ(mgr.Next(), nullptr);
}

TEST(PmCategoryMgr, CollisionsAndSlotsOutOfRangeFail) {
    PmCategoryMgr mgr;
    ASSERT_TRUE(mgr.Add(Cat(0, 0, "Unfiled")));
    EXPECT_FALSE(mgr.Add(Cat(3, 0, "Same ID as Unfiled")));
    EXPECT_FALSE(mgr.Add(Cat(16, 5, "Past the slots")));
    EXPECT_FALSE(mgr.Add(Cat(-2, 5, "Before the slots")));
    ASSERT_TRUE(mgr.Add(Cat(3, 5, "Three")));
    EXPECT_FALSE(mgr.Add(Cat(3, 6, "Slot taken")));
    EXPECT_EQ(mgr.GetCount(), 2);
    EXPECT_EQ(mgr.GetAt(3)->GetID(), 5);
    EXPECT_EQ(mgr.GetAt(16), nullptr);
    EXPECT_EQ(mgr.GetAt(-1), nullptr);
    EXPECT_EQ(mgr.GetAt(4), nullptr);
}

TEST(PmCategoryMgr, FreeSlotsAndNewIDs) {
    PmCategoryMgr mgr;
    // Without a category in slot 0 no new ID can be made.
    EXPECT_FALSE(mgr.Add(Cat(-1, -1, "Orphan")));
    ASSERT_TRUE(mgr.Add(Cat(0, 0, "Unfiled")));
    ASSERT_TRUE(mgr.Add(Cat(1, 7, "Seven")));
    ASSERT_TRUE(mgr.Add(Cat(3, 8, "Eight")));
    PmCategory fresh = Cat(-1, -1, "Fresh");
    ASSERT_TRUE(mgr.Add(fresh));
    const PmCategory* added = mgr.FindByName("Fresh");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetIndex(), 2);  // first free slot from 1 on
    // One more than 7 would be 8, which slot 3 holds: the ID stays unique.
    EXPECT_EQ(added->GetID(), 9);
    EXPECT_TRUE(added->IsDirty());
}

TEST(PmCategoryMgr, FileNamesAndLongNames) {
    PmCategoryMgr mgr;
    PmCategory c = Cat(1, 1, "a/b:c.d e*f");
    c.SetFileName("given.txt");
    ASSERT_TRUE(mgr.Add(c));
    EXPECT_STREQ(mgr.FindByID(1)->GetFileName(), "a_b_c_d e_f");
    ASSERT_TRUE(mgr.Add(Cat(2, 2, "Twenty characters!!")));
    EXPECT_STREQ(mgr.FindByID(2)->GetName(), "Twenty characte");
    EXPECT_STREQ(mgr.FindByID(2)->GetFileName(), "Twenty characte");
    // No name: the file name is kept.
    PmCategory unnamed = Cat(4, 4, "");
    unnamed.SetFileName("kept");
    ASSERT_TRUE(mgr.Add(unnamed));
    EXPECT_STREQ(mgr.FindByID(4)->GetFileName(), "kept");
    // A cut never splits a character: 7 x "é" is 14 bytes, one more does not fit.
    PmCategory accents = Cat(5, 5, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(std::string(accents.GetName()).size(), 14u);
}

TEST(PmCategoryMgr, FindByNameIgnoresCase) {
    PmCategoryMgr mgr;
    ASSERT_TRUE(mgr.Add(Cat(0, 0, "Unfiled")));
    ASSERT_TRUE(mgr.Add(Cat(1, 1, "Business")));
    ASSERT_TRUE(mgr.Add(Cat(2, 2, "\xC3\x89t\xC3\xA9")));  // "Été"
    EXPECT_EQ(mgr.FindByName("bUSINESS")->GetID(), 1);
    EXPECT_EQ(mgr.FindByName("\xC3\xA9T\xC3\x89")->GetID(), 2);  // "éTÉ"
    EXPECT_EQ(mgr.FindByName(""), nullptr);
    EXPECT_EQ(mgr.FindByName(nullptr), nullptr);
    EXPECT_EQ(mgr.FindByName("Busines"), nullptr);
}

TEST(PmCategory, CopiesFlagsAndEquality) {
    PmCategory c = Cat(2, 9, "Name");
    char small[4], big[16];
    EXPECT_FALSE(c.CopyName(small, sizeof small));  // no room for the terminator
    EXPECT_TRUE(c.CopyName(big, sizeof big));
    EXPECT_STREQ(big, "Name");
    EXPECT_FALSE(c.CopyFileName(big, sizeof big));  // empty
    c.SetDirty(true);
    EXPECT_EQ(c.GetFlags(), 0x10);
    EXPECT_FALSE(c.IsFlagSet());
    c.SetFlags(0x11);
    EXPECT_TRUE(c.IsFlagSet());
    c.SetDirty(false);
    EXPECT_EQ(c.GetFlags(), 0x01);
    EXPECT_TRUE(c.Equals(Cat(2, 9, "Name")));
    EXPECT_FALSE(c.Equals(Cat(2, 9, "name")));
    EXPECT_FALSE(c.Equals(Cat(3, 9, "Name")));
}

}  // namespace
