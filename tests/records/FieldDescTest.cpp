#include <gtest/gtest.h>

#include <cstddef>
#include <set>

#include "common/records/CommAddrRec.h"
#include "common/records/CommFieldDesc.h"
#include "common/records/CommTypes.h"

TEST(CommFieldDesc, ContactTableHasUniqueIdsAndFittingCapacities) {
    std::set<int> ids;
    for (const CommFieldDesc& d : CommAddrFields()) {
        EXPECT_TRUE(ids.insert(d.Id).second) << d.Id;
        if (d.Kind == CommValueText) {
            EXPECT_LE(d.Offset + static_cast<std::size_t>(d.Capacity), sizeof(CommAddrRec));
        }
    }
    EXPECT_EQ(ids.size(), 90u);
    EXPECT_EQ(*ids.rbegin(), 98);
    const CommFieldDesc* street = FindCommField(CommAddrFields(), 16);
    ASSERT_NE(street, nullptr);
    EXPECT_STREQ(street->Label, "(Home) Street");
    EXPECT_EQ(street->Offset, offsetof(CommAddrRec, HomeAddress));
    EXPECT_EQ(street->Capacity, 256);
    EXPECT_EQ(FindCommField(CommAddrFields(), 14), nullptr);  // no field has that id
    EXPECT_STREQ(FindCommField(CommAddrFields(), 57)->Label, "Custom 9");
    EXPECT_EQ(FindCommField(CommAddrFields(), 57)->Offset, offsetof(CommAddrRec, CustomValue) + 8 * 64);
    EXPECT_EQ(CommDateFields().size(), 14u);
    EXPECT_EQ(CommTaskFields().size(), 8u);
    EXPECT_EQ(CommNoteFields().size(), 11u);
}

TEST(CommTypes, SourceTypeLabels) {
    EXPECT_STREQ(CommSourceTypeLabel(2), "Palm(4.1.2 and aboves)");
    EXPECT_STREQ(CommSourceTypeLabel(15), "NorrbekContact");
    EXPECT_STREQ(CommSourceTypeLabel(16), "");
    EXPECT_STREQ(CommSourceTypeLabel(-1), "");
}
