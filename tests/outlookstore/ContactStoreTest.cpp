// Contacts put through the Outlook stand-in read back exactly after the
// store is reopened, in any time zone; cards of other programs keep what
// the stand-in does not write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "platform/outlook/ItemData.h"
#include "platform/outlook/Store.h"
#include "tests/outlookstore/ContactSession.h"

using namespace platform::outlook;
using namespace storetest;

namespace {

// Texts that stores tend to get wrong.
std::vector<std::string> EdgeTexts() {
    std::string longText;
    while (longText.size() < 5000)
        longText +=
            "Gr\xC3\xBC\xC3\x9F"
            "e, \xE6\x97\xA5\xE6\x9C\xAC; \\ x:y ";
    return {
        "",
        "plain",
        " leading",
        "trailing ",
        "  both  ",
        "\tTabbed\t",
        longText,
        "a\r\nb\nc\rd\r\n\ne",
        "\r\n",
        "ends with LF\n",
        "ends with CR\r",
        "\nstarts with LF",
        "Zo\xC3\xAB \xC3\x86r\xC3\xB8 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x8E\x89",
        "a,b;c\\d:e\"f",
        ";",
        ",",
        "\\",
        "x\\n not a break",
        "=3D= soft=",
        "\x01\x7F control",
    };
}

struct Expected {
    std::string name;
    PropType type;
    VARIANT put;
    VARIANT read;
};

// Random values for every writable property of a contact, and what each
// reads back as.
std::vector<Expected> RandomValues(std::mt19937& random) {
    const auto texts = EdgeTexts();
    std::vector<Expected> out;
    for (const PropDef& def : Schema(ItemKind::Contact)) {
        if (def.readOnly) continue;
        Expected e{def.name, def.type, {}, {}};
        const auto pick = random();
        switch (def.type) {
        case PropType::Text: {
            const std::string& t = texts[pick % texts.size()];
            e.put = VARIANT::Bstr(platform::Utf8ToUtf16(t));
            e.read = e.put;
            break;
        }
        case PropType::Int:
        case PropType::Bool:
            e.put = VARIANT::I4(static_cast<std::int32_t>(pick % 3));
            e.read = e.put;
            break;
        case PropType::Date: {
            const double day = 1.0 + static_cast<double>(random() % 73000);  // 1900 to 2099
            const double choices[] = {0.0, day, day + (random() % 86400) / 86400.0, kNoDate, day + 0.5};
            const double d = choices[pick % 5];
            e.put = VARIANT::Date(d);
            e.read = VARIANT::Date(NormalizeDate(d));
            break;
        }
        }
        out.push_back(std::move(e));
    }
    return out;
}

void ExpectValues(CDispCmd& item, const std::vector<Expected>& values, const std::string& where) {
    for (const Expected& e : values) {
        const VARIANT v = Get(item, e.name);
        switch (e.type) {
        case PropType::Text:
            EXPECT_EQ(platform::Utf16ToUtf8(v.bstrVal), platform::Utf16ToUtf8(e.read.bstrVal)) << e.name << where;
            break;
        case PropType::Int:
        case PropType::Bool: EXPECT_EQ(v.lVal, e.read.lVal) << e.name << where; break;
        case PropType::Date: EXPECT_EQ(v.date, e.read.date) << e.name << where; break;
        }
    }
}

struct ContactStoreTest : ::testing::Test {
    fwtest::TempDir dir;
    std::string Root() const { return dir.Path() + "store"; }
    std::string Contacts() const { return dir.Path() + "store/Contacts/"; }
};

}  // namespace

TEST_F(ContactStoreTest, EveryPropertyRoundTripsThroughReopenInAnyZone) {
    const char* zones[] = {"Asia/Tokyo", "America/New_York", "UTC"};
    std::mt19937 random(20261209);
    for (int round = 0; round < 30; ++round) {
        const std::vector<Expected> values = RandomValues(random);
        const std::string where = " (round " + std::to_string(round) + ")";
        {
            // Written in one zone, a new contact at first, then the same one updated ...
            ScopedZone zone(zones[round % 3]);
            StoreSession s(Root());
            CDispCmd item = round == 0 ? s.Add() : s.Item(1);
            for (const Expected& e : values) ASSERT_EQ(Put(item, e.name, e.put), S_OK) << e.name;
            ASSERT_EQ(Save(item), S_OK);
            ExpectValues(item, values, where + " before reopening");
        }
        // ... and read in the next.
        ScopedZone zone(zones[(round + 1) % 3]);
        StoreSession s(Root());
        ASSERT_EQ(s.Count(), 1);
        CDispCmd item = s.Item(1);
        ExpectValues(item, values, where);
    }
    EXPECT_EQ(FilesIn(Contacts()).size(), 1u);
}

TEST_F(ContactStoreTest, ASavedContactIsReadBackOnlyWhenMoreThanItsEntryIdIsAskedFor) {
    StoreSession s(Root());
    CDispCmd item = s.Add();
    ASSERT_EQ(Put(item, "FirstName", VARIANT::Bstr(u"Ann")), S_OK);
    ASSERT_EQ(Save(item), S_OK);
    const std::shared_ptr<Store> store = Store::Find(Root());
    ASSERT_TRUE(store);
    const std::shared_ptr<ItemData> stored = store->Folder(ItemKind::Contact).items.at(0);
    EXPECT_EQ(platform::Utf16ToUtf8(Get(item, "EntryID").bstrVal), stored->entryId);
    EXPECT_FALSE(stored->unread.empty());  // a migration asks for no more
    EXPECT_EQ(platform::Utf16ToUtf8(Get(item, "FirstName").bstrVal), "Ann");
    EXPECT_TRUE(stored->unread.empty());
    EXPECT_EQ(stored->kept, fwtest::ReadFile(Contacts() + FilesIn(Contacts()).at(0)));
}

TEST_F(ContactStoreTest, DatesOnlyStayOnTheirDayInEveryZone) {
    const double birthday = 29358.0;  // 17 May 1980
    {
        ScopedZone zone("Asia/Tokyo");
        StoreSession s(Root());
        CDispCmd item = s.Add();
        ASSERT_EQ(Put(item, "Birthday", VARIANT::Date(birthday)), S_OK);
        ASSERT_EQ(Put(item, "Anniversary", VARIANT::Date(birthday + 3650)), S_OK);
        ASSERT_EQ(Save(item), S_OK);
    }
    const std::string text = fwtest::ReadFile(Contacts() + FilesIn(Contacts())[0]);
    EXPECT_NE(text.find("\r\nBDAY:1980-05-17\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nX-ANNIVERSARY:1990-05-15\r\n"), std::string::npos) << text;
    for (const char* z : {"America/New_York", "UTC", "Pacific/Kiritimati", "Pacific/Pago_Pago"}) {
        ScopedZone zone(z);
        StoreSession s(Root());
        CDispCmd item = s.Item(1);
        EXPECT_EQ(Get(item, "Birthday").date, birthday) << z;
        EXPECT_EQ(Get(item, "Anniversary").date, birthday + 3650) << z;
    }
}

TEST_F(ContactStoreTest, ClearedValuesLeaveTheCard) {
    {
        StoreSession s(Root());
        CDispCmd item = s.Add();
        for (const char* p :
             {"FullName", "BusinessTelephoneNumber", "Email1AddressType", "CompanyName", "Hobby", "HomeAddressCity"})
            ASSERT_EQ(Put(item, p, VARIANT::Bstr(u"v")), S_OK);
        ASSERT_EQ(Put(item, "Birthday", VARIANT::Date(30000.0)), S_OK);
        ASSERT_EQ(Put(item, "Gender", VARIANT::I4(2)), S_OK);
        ASSERT_EQ(Save(item), S_OK);
    }
    {
        StoreSession s(Root());
        CDispCmd item = s.Item(1);
        for (const char* p :
             {"BusinessTelephoneNumber", "Email1AddressType", "CompanyName", "Hobby", "HomeAddressCity"})
            ASSERT_EQ(Put(item, p, VARIANT::Bstr(u"")), S_OK);
        ASSERT_EQ(Put(item, "Birthday", VARIANT::Date(kNoDate)), S_OK);
        ASSERT_EQ(Put(item, "Gender", VARIANT::I4(0)), S_OK);
        ASSERT_EQ(Save(item), S_OK);
    }
    const std::string text = fwtest::ReadFile(Contacts() + FilesIn(Contacts())[0]);
    for (const char* gone :
         {"TEL", "X-OUTLOOK-EMAIL1ADDRESSTYPE", "ORG", "X-OUTLOOK-HOBBY", "ADR", "BDAY", "X-OUTLOOK-GENDER"})
        EXPECT_EQ(text.find(std::string("\n") + gone), std::string::npos) << gone << "\n" << text;
    EXPECT_NE(text.find("\r\nFN:v\r\n"), std::string::npos);
}

TEST_F(ContactStoreTest, AnFnIsMadeUpWhenThereIsNoFullNameButNotReadBack) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> values;
        const char* fn;
    };
    const Case cases[] = {
        {{{"Title", "Dr."}, {"FirstName", "Ann"}, {"LastName", "Lee"}, {"Suffix", "Jr."}}, "Dr. Ann Lee Jr."},
        {{{"CompanyName", "Acme"}, {"Email1Address", "a@x.org"}}, "Acme"},
        {{{"Email2Address", "b@x.org"}, {"MobileTelephoneNumber", "555"}}, "b@x.org"},
        {{{"MobileTelephoneNumber", "555"}}, "555"},
    };
    for (const Case& c : cases) {
        {
            StoreSession s(Root());
            CDispCmd item = s.Add();
            for (const auto& [name, value] : c.values)
                ASSERT_EQ(Put(item, name, VARIANT::Bstr(platform::Utf8ToUtf16(value))), S_OK);
            ASSERT_EQ(Save(item), S_OK);
        }
        StoreSession s(Root());
        CDispCmd item = s.Item(s.Count());
        EXPECT_EQ(GetText(item, "FullName"), "") << c.fn;
        const std::string id = GetText(item, "EntryID");
        const std::string text = fwtest::ReadFile(Contacts() + id + ".vcf");
        EXPECT_NE(text.find(std::string(":") + c.fn + "\r\n"), std::string::npos) << text;
    }
    // Nothing at all to name it by: the card is still named.
    StoreSession s(Root());
    CDispCmd item = s.Add();
    ASSERT_EQ(Put(item, "Body", VARIANT::Bstr(u"just a note")), S_OK);
    ASSERT_EQ(Save(item), S_OK);
    const std::string text = fwtest::ReadFile(Contacts() + GetText(item, "EntryID") + ".vcf");
    EXPECT_EQ(text.find("\nFN;X-OUTLOOK-MADEUP=TRUE:\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFN;X-OUTLOOK-MADEUP=TRUE:"), std::string::npos) << text;
}

TEST_F(ContactStoreTest, AnIndependentReaderSeesWhatWasWritten) {
    const std::vector<std::pair<const char*, const char16_t*>> values = {
        {"FullName", u"Ann \"the\" Lee, Jr; \u00C5s"},
        {"LastName", u"Lee; x"},
        {"FirstName", u"Ann, B"},
        {"Title", u"Dr."},
        {"Suffix", u"Jr."},
        {"CompanyName", u"Acme, Inc."},
        {"Department", u"R&D; Lab"},
        {"BusinessAddressStreet", u"1 Main St\r\nBack door"},
        {"BusinessAddressCity", u"Oslo"},
        {"Body", u"line1\r\nline2\nline3"},
        {"BusinessTelephoneNumber", u" +47 1 "},
        {"Email1Address", u"ann@example.org"},
        {"Categories", u"a, b"},
    };
    {
        StoreSession s(Root());
        CDispCmd ann = s.Add();
        for (const auto& [name, value] : values) ASSERT_EQ(Put(ann, name, VARIANT::Bstr(value)), S_OK);
        ASSERT_EQ(Put(ann, "Birthday", VARIANT::Date(29358.0)), S_OK);
        ASSERT_EQ(Save(ann), S_OK);
        CDispCmd unnamed = s.Add();
        ASSERT_EQ(Put(unnamed, "Email2Address", VARIANT::Bstr(u"who@example.org")), S_OK);
        ASSERT_EQ(Save(unnamed), S_OK);
    }
    const std::string seen = ReadWithVobject(Contacts(), dir.File("vobject.txt"));
    for (const char* expected : {
             "|FN|\"Ann \\\"the\\\" Lee, Jr; \xC3\x85s\"\n",
             "|N|[\"Lee; x\", \"Ann, B\", \"\", \"Dr.\", \"Jr.\"]\n",
             "|ORG|[\"Acme, Inc.\", \"R&D; Lab\"]\n",
             "|ADR|[\"\", \"\", \"1 Main St\\nBack door\", \"Oslo\", \"\", \"\", \"\"]\n",
             "|NOTE|\"line1\\nline2\\nline3\"\n",
             "|TEL|\" +47 1 \"\n",
             "|BDAY|\"1980-05-17\"\n",
             "|CATEGORIES|[\"a\", \" b\"]\n",
             "|FN|\"who@example.org\"\n",
         })
        EXPECT_NE(seen.find(expected), std::string::npos) << expected << "\n" << seen;
    EXPECT_EQ(seen.find("|ERROR|"), std::string::npos) << seen;
}
