#include <gtest/gtest.h>

#include "common/misc/CxList.h"

TEST(CxList, CursorFollowsTheLastAddedNode) {
    CxList<int> list;
    int a = 1, b = 2, c = 3;
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_EQ(list.GetFirst(), nullptr);
    EXPECT_EQ(list.GetNext(), nullptr);
    ASSERT_TRUE(list.Add(&a));
    ASSERT_TRUE(list.Add(&b));
    // Right after Add the cursor is the new last node.
    EXPECT_EQ(list.GetNext(), nullptr);
    ASSERT_TRUE(list.Add(&c));
    EXPECT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetFirst(), &a);
    EXPECT_EQ(list.GetNext(), &b);
    EXPECT_EQ(list.GetNext(), &c);
    EXPECT_EQ(list.GetNext(), nullptr);
}

TEST(CxList, GetAtMovesTheCursorBothWays) {
    CxList<int> list;
    int v[5] = {0, 1, 2, 3, 4};
    for (int& x : v) list.Add(&x);
    list.GetFirst();
    EXPECT_EQ(list.GetAt(2), &v[2]);
    EXPECT_EQ(list.GetFindIndex(), 2u);
    EXPECT_EQ(list.GetNext(), &v[3]);
    EXPECT_EQ(list.GetAt(0), &v[0]);
    EXPECT_EQ(list.GetAt(4), &v[4]);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetAt(5), nullptr);
    EXPECT_EQ(list.GetFindIndex(), 4u);  // a miss leaves the cursor
    EXPECT_EQ(list.GetAt(1), &v[1]);
}

TEST(CxList, ThirdOfThreeThenNothing) {
    CxList<int> list;
    int v[3] = {7, 8, 9};
    for (int& x : v) list.Add(&x);
    list.GetFirst();
    EXPECT_EQ(list.GetAt(2), &v[2]);
    EXPECT_EQ(list.GetNext(), nullptr);
}

TEST(CxList, RemoveAllFreesOnlyWhenAsked) {
    CxList<std::string> list;
    std::string kept = "kept";
    list.Add(&kept);
    list.RemoveAll(false);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.GetFirst(), nullptr);
    EXPECT_EQ(kept, "kept");
    list.Add(new std::string("owned"));
    list.Add(new std::string("owned too"));
    list.RemoveAll(true);  // the sanitizer build reports a leak if this frees nothing
    EXPECT_EQ(list.GetCount(), 0u);
    int a = 1;
    list.RemoveAll(false);
    CxList<int> again;
    again.Add(&a);
    EXPECT_EQ(again.GetFirst(), &a);
}
