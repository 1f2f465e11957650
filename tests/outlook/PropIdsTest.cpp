// Reading and writing through property tables looks each name up once per
// type of object and reuses the id for the items after the first.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "common/outlook/OlProps.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/Utf16.h"

namespace {

struct Rec {
    char Subject[16];
    std::int32_t Count;
    DATE Start;
    char Missing[8];
};

const OlProp kTable[] = {OL_PROP(Rec, Subject, Text, true), OL_PROP(Rec, Count, Int, true),
                         OL_PROP(Rec, Start, Date, true), OL_PROP(Rec, Missing, Text, true)};

// An item with three properties whose ids start at `base`; it counts the
// names it is asked for and records the puts.
class Item : public platform::DispatchObject {
public:
    Item(int serial, DISPID base, int& lookups) : m_serial(serial), m_base(base), m_lookups(lookups) {}
    std::vector<std::string> puts;

protected:
    DISPID FindMember(std::u16string_view folded) const override {
        ++m_lookups;
        const char16_t* names[] = {u"subject", u"count", u"start"};
        for (DISPID i = 0; i < 3; ++i)
            if (folded == names[i]) return m_base + i;
        return DISPID_UNKNOWN;
    }
    HRESULT Call(DISPID id, WORD flags, const platform::DispatchArgs& args, VARIANT* result) override {
        const DISPID which = id - m_base;
        if (which < 0 || which > 2) return DISP_E_MEMBERNOTFOUND;
        if (flags & DISPATCH_PROPERTYPUT) {
            puts.push_back(std::to_string(which) + "=" + std::to_string(args.PutValue()->vt));
            return S_OK;
        }
        if (result == nullptr) return S_OK;
        if (which == 0) *result = VARIANT::Bstr(platform::Utf8ToUtf16("item " + std::to_string(m_serial)));
        if (which == 1) *result = VARIANT::I4(m_serial * 10);
        if (which == 2) *result = VARIANT::Date(40000.0 + m_serial);
        return S_OK;
    }

private:
    int m_serial;
    DISPID m_base;
    int& m_lookups;
};

// Reads `count` items of one type; the lookups they took.
int ReadItems(OlPropIds& ids, DISPID base, int count) {
    int lookups = 0;
    for (int serial = 1; serial <= count; ++serial) {
        auto* item = new Item(serial, base, lookups);
        CDispCmd cmd(item);
        item->Release();
        Rec rec{};
        std::strcpy(rec.Missing, "kept");
        OlReadProps(cmd, &rec, kTable, ids);
        EXPECT_EQ(std::string(rec.Subject), "item " + std::to_string(serial));
        EXPECT_EQ(rec.Count, serial * 10);
        EXPECT_EQ(rec.Start, 40000.0 + serial);
        EXPECT_EQ(std::string(rec.Missing), "kept");  // no such property
    }
    return lookups;
}

class OtherItem : public Item {
    using Item::Item;
};

}  // namespace

TEST(PropIds, NamesAreLookedUpOncePerTypeOfObjectAndMissingOnesOnEveryItem) {
    OlPropIds ids;
    // Three names found once; the missing one asked on every item, in the
    // system's language and in English.
    EXPECT_EQ(ReadItems(ids, 100, 5), 3 + 5 * 2);
    EXPECT_EQ(ReadItems(ids, 100, 3), 3 * 2);

    // Objects of another type answer with ids of their own.
    int lookups = 0;
    for (int serial = 1; serial <= 4; ++serial) {
        auto* item = new OtherItem(serial, 500, lookups);
        CDispCmd cmd(item);
        item->Release();
        Rec rec{};
        OlReadProps(cmd, &rec, kTable, ids);
        EXPECT_EQ(rec.Count, serial * 10);
        std::strcpy(rec.Subject, "s");
        rec.Start = 0.0;  // a zero date is not written, nor an empty text
        OlWriteProps(cmd, &rec, kTable, ids);
        EXPECT_EQ(item->puts, (std::vector<std::string>{"0=8", "1=3"}));
    }
    EXPECT_EQ(lookups, 3 + 4 * 2);
}
