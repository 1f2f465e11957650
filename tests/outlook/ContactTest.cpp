#include <gtest/gtest.h>

#include <cstring>

#include "common/outlook/OlAddr.h"
#include "tests/outlook/OutlookFixture.h"

using namespace oltest;

namespace {

struct ContactTest : ::testing::Test, Fixture {
    static CommAddrRec Contact(const char* first, const char* last, const char* email = "") {
        CommAddrRec r{};
        std::strcpy(r.FirstName, first);
        std::strcpy(r.LastName, last);
        std::strcpy(r.Email, email);
        return r;
    }
};

}  // namespace

TEST_F(ContactTest, NewSameAndDifferent) {
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    CommAddrRec ann = Contact("Ann", "Lee", "ann@example.org");
    std::strcpy(ann.Suffix, "Jr.");
    std::strcpy(ann.WorkAddress.Street, "1 Main St");
    std::strcpy(ann.WorkAddress.PoBox, "PO 9");
    std::strcpy(ann.Note, "Met at the fair\r\nlikes tea");
    ann.Birthday = Date(1980, 5, 17);
    EXPECT_EQ(ol.MigrateRecord(&ann), OlMigrateCreated);
    EXPECT_EQ(ol.MigrateRecord(&ann), OlMigrateUnchanged);  // now in the list
    Peek peek(10);
    ASSERT_EQ(peek.Count(), 1);
    EXPECT_EQ(Int(peek.Item(1), u"Gender"), 0);
    EXPECT_EQ(Text(peek.Item(1), u"BusinessAddressPostOfficeBox"), "PO 9");
    // The card is filed under the name its parts make, but that is no full name of its own.
    EXPECT_EQ(Text(peek.Item(1), u"FullName"), "");
    EXPECT_NE(fwtest::ReadFile(Store("Contacts") + Files(Store("Contacts"))[0]).find(":Ann Lee Jr.\r\n"),
              std::string::npos);
    // The suffix reaches Outlook's "Suffix".
    EXPECT_EQ(Text(peek.Item(1), u"Suffix"), "Jr.");

    // Outlook's own gender survives an update.
    peek.Item(1).PutInt(u"Gender", 2);
    CDispCmd item = peek.Item(1);
    item.PutInt(u"Gender", 2);
    item.CallMethod(u"Save", nullptr, 0, nullptr);
    ASSERT_TRUE(ol.Load());
    CommAddrRec changed = ann;
    std::strcpy(changed.WorkPhone, "555-1");
    EXPECT_EQ(ol.MigrateRecord(&changed), OlMigrateUpdated);
    EXPECT_EQ(Text(peek.Item(1), u"BusinessTelephoneNumber"), "555-1");
    EXPECT_EQ(Int(peek.Item(1), u"Gender"), 2);
    EXPECT_EQ(peek.Count(), 1);

    // Reloaded, the common record reads back as migrated.
    ASSERT_TRUE(ol.Load());
    const CommAddrRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_STREQ(back->Note, "Met at the fair\r\nlikes tea");
    EXPECT_EQ(back->Birthday, Date(1980, 5, 17));
    EXPECT_STREQ(back->WorkAddress.PoBox, "");  // one way only
    EXPECT_STREQ(back->DisplayName, "");
    EXPECT_EQ(back->SourceType, 3);
    EXPECT_EQ(ol.MigrateRecord(&changed), OlMigrateUnchanged);
}

TEST_F(ContactTest, UserDefinedProperties) {
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    CommAddrRec r = Contact("Bo", "Ek");
    std::strcpy(r.CustomLabel[0], "Shoe size");
    std::strcpy(r.CustomValue[0], "44");
    std::strcpy(r.CustomLabel[1], "Team");
    std::strcpy(r.CustomValue[1], "old");
    std::strcpy(r.MappedCustomValue[1], "Blue");  // a mapped source value wins
    std::strcpy(r.CustomValue[2], "no label");    // kept under the name of its slot
    std::strcpy(r.CustomLabel[3], "Pet");
    std::strcpy(r.CustomValue[3], "cat");
    EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateCreated);
    EXPECT_EQ(Log().find("Failed to add the user property"), std::string::npos);
    ASSERT_TRUE(ol.Load());
    const CommAddrRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_STREQ(back->CustomLabel[0], "Shoe size");
    EXPECT_STREQ(back->CustomValue[0], "44");
    EXPECT_STREQ(back->CustomValue[1], "Blue");
    EXPECT_STREQ(back->CustomLabel[2], "Custom 3");
    EXPECT_STREQ(back->CustomValue[2], "no label");
    EXPECT_STREQ(back->CustomLabel[3], "Pet");
    EXPECT_STREQ(back->CustomValue[3], "cat");
    EXPECT_STREQ(back->MappedCustomValue[1], "");
}

TEST_F(ContactTest, ElevenUserPropertiesLoadTenAndNonTextValuesLoadEmpty) {
    {
        Peek peek(10);
        CDispCmd c = peek.Add(2);
        c.PutString(u"FirstName", "Many");
        IDispatch* raw = nullptr;
        c.GetDispatch(u"UserProperties", &raw);
        CDispCmd props(raw);
        raw->Release();
        for (int i = 1; i <= 11; ++i) {
            const std::u16string name = u"P" + std::u16string(1, static_cast<char16_t>(u'a' + i));
            VARIANT args[2] = {VARIANT::Bstr(name), VARIANT::I4(i == 1 ? 3 : i == 2 ? 5 : 1)};
            VARIANT prop;
            ASSERT_EQ(props.CallMethod(u"Add", args, 2, &prop), S_OK);
            CDispCmd p(prop.pdispVal);
            if (i == 1)
                p.PutInt(u"Value", 7);
            else if (i == 2)
                p.PutDate(u"Value", Date(2020, 1, 1));
            else
                p.PutString(u"Value", "v");
        }
        ASSERT_EQ(c.CallMethod(u"Save", nullptr, 0, nullptr), S_OK);
    }
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    const CommAddrRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_STREQ(back->CustomLabel[0], "Pb");
    EXPECT_STREQ(back->CustomValue[0], "");  // a number
    EXPECT_STREQ(back->CustomValue[1], "");  // a date
    EXPECT_STREQ(back->CustomValue[2], "v");
    EXPECT_STREQ(back->CustomLabel[9], "Pk");
    auto* native = static_cast<OlAddrRecord*>(ol.GetRecordList()->NativeAt(0));
    EXPECT_STREQ(native->UserPropertyName[9], "Pk");  // the eleventh ("Pl") is not loaded
}

TEST_F(ContactTest, TextsAtFullCapacityReadBackWhole) {
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    CommAddrRec r = Contact("Long", "Text");
    std::memset(r.Note, 'n', sizeof r.Note - 1);
    std::memset(r.AssistantName, 'a', 31);
    std::memset(r.HomeAddress.Country, 'c', sizeof r.HomeAddress.Country - 1);
    std::memset(r.WorkAddress.City, 'w', sizeof r.WorkAddress.City - 1);
    std::memset(r.OtherAddress.State, 's', sizeof r.OtherAddress.State - 1);
    EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateCreated);
    ASSERT_TRUE(ol.Load());
    const CommAddrRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_EQ(std::strlen(back->Note), sizeof r.Note - 1);
    EXPECT_EQ(std::strlen(back->AssistantName), 31u);
    EXPECT_STREQ(back->HomeAddress.Country, r.HomeAddress.Country);
    EXPECT_STREQ(back->WorkAddress.City, r.WorkAddress.City);
    EXPECT_STREQ(back->OtherAddress.State, r.OtherAddress.State);
    EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateUnchanged);
}

TEST_F(ContactTest, AnUpdateEmptiesWhatThePalmSourceEmptiedAndKeepsWhatItNeverHas) {
    {
        Peek peek(10);
        CDispCmd c = peek.Add(2);
        c.PutString(u"FirstName", "Eva");
        c.PutString(u"LastName", "Berg");
        c.PutString(u"BusinessTelephoneNumber", "555 0100");
        c.PutString(u"ManagerName", "Boss");
        c.PutString(u"Initials", "E.B.");
        c.PutDate(u"Birthday", Date(1970, 3, 1));
        ASSERT_EQ(c.CallMethod(u"Save", nullptr, 0, nullptr), S_OK);
    }
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    CommAddrRec palm = Contact("Eva", "Berg");  // the phone and the birthday were removed in Palm Desktop
    std::strcpy(palm.Prefix, "Dr.");
    std::strcpy(palm.HomePhone, "555 0199");
    palm.SourceType = CommSourcePalm;
    EXPECT_EQ(ol.MigrateRecord(&palm), OlMigrateUpdated);
    Peek peek(10);
    EXPECT_EQ(Text(peek.Item(1), u"BusinessTelephoneNumber"), "");
    EXPECT_EQ(When(peek.Item(1), u"Birthday"), 0.0);
    EXPECT_EQ(Text(peek.Item(1), u"HomeTelephoneNumber"), "555 0199");
    EXPECT_EQ(Text(peek.Item(1), u"ManagerName"), "Boss");  // Palm Desktop has no manager
    EXPECT_EQ(Text(peek.Item(1), u"Title"), "Dr.");         // the name's title, not its initials
    EXPECT_EQ(Text(peek.Item(1), u"Initials"), "E.B.");
    ASSERT_TRUE(ol.Load());
    EXPECT_EQ(ol.MigrateRecord(&palm), OlMigrateUnchanged);
}

TEST_F(ContactTest, AnUpdateNeverLandsOnAnotherItem) {
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    CommAddrRec a = Contact("A", "One"), b = Contact("B", "Two");
    ASSERT_EQ(ol.MigrateRecord(&a), OlMigrateCreated);
    ASSERT_EQ(ol.MigrateRecord(&b), OlMigrateCreated);
    ASSERT_TRUE(ol.Load());
    // Another program deletes the first item after the load.
    Peek peek(10);
    ASSERT_EQ(peek.Item(1).CallMethod(u"Delete", nullptr, 0, nullptr), S_OK);
    CommAddrRec changed = a;
    std::strcpy(changed.HomePhone, "1");
    EXPECT_EQ(ol.MigrateRecord(&changed), OlMigrateFailed);  // position 1 now holds B
    EXPECT_EQ(Text(peek.Item(1), u"HomeTelephoneNumber"), "");
    EXPECT_NE(Log().find("The Outlook item at position 1 is not the item that was loaded there."), std::string::npos);
    CommAddrRec changedB = b;
    std::strcpy(changedB.HomePhone, "2");
    EXPECT_EQ(ol.MigrateRecord(&changedB), OlMigrateFailed);  // position 2 is gone
    EXPECT_NE(Log().find("Failed to get the Contact item by index: 2. hr=0x8002000b"), std::string::npos);
    EXPECT_EQ(Files(Store("Contacts")).size(), 1u);
}

TEST_F(ContactTest, AContactOfAnotherProgramKeepsWhatOutlookDoesNotKnow) {
    platform::EnsureFolder(dir.Path() + "store");
    platform::EnsureFolder(Store("Contacts").substr(0, Store("Contacts").size() - 1));
    fwtest::WriteFile(Store("Contacts") + "khard-1234.vcf",
                      "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:1234\r\nFN:Dan Roe\r\nN:Roe;Dan;;;\r\n"
                      "EMAIL;TYPE=home:dan@example.org\r\nKIND:individual\r\nitem1.X-ABLabel:Kid\r\n"
                      "PHOTO;MEDIATYPE=image/png:data:image/png;base64,iVBORw0KGgo=\r\nEND:VCARD\r\n");
    OlAddrUtil ol;
    ASSERT_TRUE(ol.Load());
    ASSERT_EQ(ol.GetRecordList()->GetRecordCount(), 1u);
    const CommAddrRec* loaded = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_STREQ(loaded->Email, "dan@example.org");
    EXPECT_STREQ(static_cast<OlAddrRecord*>(ol.GetRecordList()->NativeAt(0))->EntryID, "khard-1234");
    CommAddrRec changed = *loaded;
    changed.NativeRecord = nullptr;
    changed.NativeSize = 0;
    std::strcpy(changed.MobilePhone, "+47 900");
    EXPECT_EQ(ol.MigrateRecord(&changed), OlMigrateUpdated);
    EXPECT_EQ(Files(Store("Contacts")), std::vector<std::string>{"khard-1234.vcf"});
    const std::string text = fwtest::ReadFile(Store("Contacts") + "khard-1234.vcf");
    for (const char* kept : {"UID:urn:uuid:1234\r\n", "KIND:individual\r\n", "item1.X-ABLabel:Kid\r\n",
                             "PHOTO;MEDIATYPE=image/png:data:image/png;base64,iVBORw0KGgo=\r\n", "+47 900"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
}
