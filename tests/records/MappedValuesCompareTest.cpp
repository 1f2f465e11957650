// Mapped custom values decide between Same and Different: an Outlook
// contact is the same only when it holds each mapped value under the
// slot's name, as the writer puts it there. Without mapped values nothing
// changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/records/CommAddrMgr.h"
#include "platform/text/TextCopy.h"
#include "tests/support/Zeroed.h"

namespace {

struct Slot {
    int index;
    const char* label;
    const char* value;
};

struct Case {
    const char* what;
    std::vector<Slot> sourceMapped;  // label and mapped value of the source's slots
    std::vector<Slot> sourceCustom;  // label and plain custom value of the source's slots
    std::vector<Slot> outlook;       // the user properties Outlook read, in its order
    bool same;
};

std::unique_ptr<CommAddrRec> Contact() {
    auto r = fwtest::Zeroed<CommAddrRec>();
    platform::CopyText(r->FirstName, "Anaïs");
    platform::CopyText(r->LastName, "Peña");
    platform::CopyText(r->Email, "anais@example.org");
    platform::CopyText(r->Company, "Société Peña");
    return r;
}

}  // namespace

TEST(MappedValuesCompare, OutlookMustHoldEachMappedValueUnderTheSlotName) {
    const std::vector<Case> cases = {
        {"no mapping, differing custom values", {}, {{0, "", "Größe L"}}, {{0, "Custom 1", "XS"}}, true},
        {"no mapping, Outlook without properties", {}, {}, {}, true},
        {"mapped value held under the default name",
         {{0, "", "Directrice"}},
         {},
         {{0, "Custom 1", "Directrice"}},
         true},
        {"held in another position, name in another case",
         {{1, "", "Zürich"}},
         {},
         {{0, "Size", "L"}, {1, "Other", "x"}, {2, "custom 2", "Zürich"}},
         true},
        {"value differs in ASCII case only", {{0, "Rank", "vip"}}, {}, {{0, "rank", "VIP"}}, true},
        {"first migration: Outlook has no such property", {{0, "", "Directrice"}}, {}, {}, false},
        {"an earlier value", {{0, "", "Directrice"}}, {}, {{0, "Custom 1", "Manager"}}, false},
        {"the value under another slot's name", {{0, "", "Directrice"}}, {}, {{0, "Custom 2", "Directrice"}}, false},
        {"named by its label, not the default", {{0, "Rank", "VIP"}}, {}, {{0, "Custom 1", "VIP"}}, false},
        {"one of two mapped values missing", {{0, "", "a"}, {1, "", "b"}}, {}, {{0, "Custom 1", "a"}}, false},
        {"an empty mapped value is not compared", {{0, "", ""}}, {{0, "", "plain"}}, {}, true},
        {"a mapped value wins over the slot's own value",
         {{0, "", "mapped"}},
         {{0, "", "plain"}},
         {{0, "Custom 1", "plain"}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto source = Contact();
        auto outlook = Contact();
        for (const Slot& s : c.sourceCustom) {
            platform::CopyText(source->CustomLabel[s.index], s.label);
            platform::CopyText(source->CustomValue[s.index], s.value);
        }
        for (const Slot& s : c.sourceMapped) {
            platform::CopyText(source->CustomLabel[s.index], s.label);
            platform::CopyText(source->MappedCustomValue[s.index], s.value);
        }
        for (const Slot& s : c.outlook) {
            platform::CopyText(outlook->CustomLabel[s.index], s.label);
            platform::CopyText(outlook->CustomValue[s.index], s.value);
        }
        EXPECT_EQ(CommAddrMgr::CompareEqual(*outlook, *source), c.same);
        EXPECT_EQ(CommAddrMgr::CompareEqual(*source, *outlook), c.same);
        EXPECT_TRUE(CommAddrMgr::CompareEqual(*source, *source));

        // The lookup and the marking of a whole list agree.
        CommAddrMgr outlookList, sourceList;
        outlookList.AddRecord(outlook.get());
        outlookList.AddRecord(outlook.get());  // a twin: the marking takes the group path
        sourceList.AddRecord(source.get());
        EXPECT_EQ(outlookList.FindRecord(source.get(), nullptr, nullptr), c.same ? CommFindSame : CommFindDifferent);
        ASSERT_TRUE(sourceList.MarkAgainst(&outlookList));
        EXPECT_EQ(sourceList.GetRecordAt(0)->Status, c.same ? CommStatusSame : CommStatusDifferent);
    }
}
