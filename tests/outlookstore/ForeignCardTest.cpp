// Cards that other programs wrote, updated through the Outlook stand-in:
// only the lines of the values that changed change, in the card's own
// version; an unchanged card keeps its file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/outlook/ItemData.h"
#include "tests/outlookstore/ContactSession.h"

using namespace platform::outlook;
using namespace storetest;

namespace {

struct ForeignCard {
    const char* id;  // the file name without ".vcf"
    std::string text;
    std::vector<std::string> kept;     // physical lines that stay as they were, in their order
    std::vector<std::string> written;  // what the updated card says
    std::vector<std::string> absent;   // what it no longer says
};

std::string Crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

std::string Lf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

const std::string kPhotoLine =
    "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8U\r\n"
    "  HRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4zNDL/\r\n";

std::vector<ForeignCard> Cards() {
    std::vector<ForeignCard> cards;
    // Apple Contacts: version 3.0 with groups and labels.
    cards.push_back(
        {"apple",
         Crlf({"BEGIN:VCARD", "VERSION:3.0", "PRODID:-//Apple Inc.//macOS 13.4//EN", "N:Appleseed;Johnny;;Mr.;",
               "FN:Johnny Appleseed", "ORG:Apple Inc.;Engineering", "TITLE:Engineer",
               "EMAIL;type=INTERNET;type=WORK;type=pref:johnny@apple.example",
               "TEL;type=CELL;type=VOICE;type=pref:+1 (408) 555-0100", "TEL;type=WORK;type=VOICE:+1 408 555 0101",
               "TEL;type=WORK;type=VOICE:+1 408 555 0102",
               "item1.ADR;type=HOME;type=pref:;;1 Infinite Loop;Cupertino;CA;95014;United States", "item1.X-ABADR:us",
               "item2.URL;type=pref:https://apple.example", "item2.X-ABLabel:_$!<HomePage>!$_",
               "item3.X-ABDATE;type=pref:2010-06-12", "item3.X-ABLabel:_$!<Anniversary>!$_",
               "BDAY;value=date:1976-04-01", "NOTE:Line one\\nLine two"}) +
             kPhotoLine + Crlf({"CATEGORIES:Friends,VIP", "X-ABUID:5AD380FD-B2DE:ABPerson", "END:VCARD"}),
         {"VERSION:3.0\r\n", "PRODID:-//Apple Inc.//macOS 13.4//EN\r\n", "FN:Johnny Appleseed\r\n",
          "ORG:Apple Inc.;Engineering\r\n", "TITLE:Engineer\r\n",
          "EMAIL;type=INTERNET;type=WORK;type=pref:johnny@apple.example\r\n",
          "TEL;type=WORK;type=VOICE:+1 408 555 0102\r\n",
          "item1.ADR;type=HOME;type=pref:;;1 Infinite Loop;Cupertino;CA;95014;United States\r\n",
          "item1.X-ABADR:us\r\n", "item2.URL;type=pref:https://apple.example\r\n",
          "item2.X-ABLabel:_$!<HomePage>!$_\r\n", "item3.X-ABDATE;type=pref:2010-06-12\r\n",
          "item3.X-ABLabel:_$!<Anniversary>!$_\r\n", "BDAY;value=date:1976-04-01\r\n", kPhotoLine,
          "CATEGORIES:Friends,VIP\r\n", "X-ABUID:5AD380FD-B2DE:ABPerson\r\n", "END:VCARD\r\n"},
         {"\r\nN:Appleseed;Zo\xC3\xAB;;Mr.;\r\n", "\r\nTEL;type=WORK;type=VOICE:+1 555 0199\r\n", "\r\nNOTE:A\\nB\r\n",
          "\r\nX-ANNIVERSARY:2016-06-20\r\n", "\r\nX-OUTLOOK-GENDER:2\r\n",
          "\r\nX-OUTLOOK-IMADDRESS:xmpp:new@example.org\r\n", "\r\nX-OUTLOOK-HOBBY:Chess\r\n"},
         {"555-0100", "Line one", "555 0101"}});
    // Google Contacts export: version 3.0, a group with a label.
    cards.push_back({"google",
                     Crlf({"BEGIN:VCARD", "VERSION:3.0", "FN:Bob Example", "N:Example;Bob;;;",
                           "EMAIL;TYPE=INTERNET;TYPE=HOME:bob@example.com", "TEL;TYPE=CELL:+49 170 1234567",
                           "TEL;TYPE=WORK:+49 30 1111",
                           "ADR;TYPE=HOME:;;Hauptstra\xC3\x9F"
                           "e 5;Berlin;;10115;Germany",
                           "ORG:Example GmbH", "item1.TEL:+49 30 9876", "item1.X-ABLabel:Direct",
                           "CATEGORIES:myContacts,starred", "END:VCARD"}),
                     {"FN:Bob Example\r\n", "EMAIL;TYPE=INTERNET;TYPE=HOME:bob@example.com\r\n",
                      "ADR;TYPE=HOME:;;Hauptstra\xC3\x9F"
                      "e 5;Berlin;;10115;Germany\r\n",
                      "ORG:Example GmbH\r\n", "item1.TEL:+49 30 9876\r\n", "item1.X-ABLabel:Direct\r\n",
                      "CATEGORIES:myContacts,starred\r\n"},
                     {"\r\nN:Example;Zo\xC3\xAB;;;\r\n", "\r\nTEL;TYPE=WORK:+1 555 0199\r\n"},
                     {"1234567", "+49 30 1111"}});
    // Nextcloud: version 4.0 with its own properties and parameters.
    cards.push_back(
        {"nextcloud",
         Crlf({"BEGIN:VCARD", "VERSION:4.0", "PRODID:-//Sabre//Sabre VObject 4.4.2//EN",
               "UID:7c5a4f6e-1b2c-4d3e-9f80-123456789abc", "FN:Carla Nextcloud", "N:Nextcloud;Carla;;;", "GENDER:F",
               "ANNIVERSARY:20150620", "BDAY:--0704", "IMPP;X-SERVICE-TYPE=XMPP:xmpp:carla@example.org",
               "TEL;TYPE=\"work,voice\";VALUE=uri:tel:+33-1-23-45-67-89", "TEL;TYPE=cell:+33 6 12 34 56 78",
               "TEL;TYPE=work:+33 1 00 00 00 02", "EMAIL;TYPE=work;PREF=1:carla@work.example",
               "ADR;TYPE=work;LABEL=\"12 Rue X\\n75001 Paris\":;;12 Rue X;Paris;;75001;France", "KIND:individual",
               "REV;VALUE=TIMESTAMP:20240101T120000Z", "CATEGORIES:Work", "END:VCARD"}),
         {"VERSION:4.0\r\n", "PRODID:-//Sabre//Sabre VObject 4.4.2//EN\r\n",
          "UID:7c5a4f6e-1b2c-4d3e-9f80-123456789abc\r\n", "FN:Carla Nextcloud\r\n", "BDAY:--0704\r\n",
          "TEL;TYPE=work:+33 1 00 00 00 02\r\n", "EMAIL;TYPE=work;PREF=1:carla@work.example\r\n",
          "ADR;TYPE=work;LABEL=\"12 Rue X\\n75001 Paris\":;;12 Rue X;Paris;;75001;France\r\n", "KIND:individual\r\n",
          "CATEGORIES:Work\r\n"},
         {"\r\nGENDER:M\r\n", "\r\nANNIVERSARY:20160620\r\n", "\r\nIMPP;X-SERVICE-TYPE=XMPP:xmpp:new@example.org\r\n",
          "\r\nTEL;TYPE=\"work,voice\";VALUE=uri:tel:+1 555 0199\r\n", "\r\nX-OUTLOOK-HOBBY:Chess\r\n",
          "\r\nNOTE:A\\nB\r\n"},
         {"X-OUTLOOK-GENDER", "X-ANNIVERSARY", "X-OUTLOOK-IMADDRESS", "VERSION:3.0", "+33 6 12", "20240101T120000Z"}});
    // Thunderbird: version 4.0, lines ending in LF alone.
    cards.push_back(
        {"thunderbird",
         Lf({"BEGIN:VCARD", "VERSION:4.0", "PRODID:-//Mozilla.org/NONSGML Mozilla Contact Builder//EN", "FN:Dave Bird",
             "N:Bird;Dave;;;", "EMAIL;PREF=1:dave@bird.example", "TEL;TYPE=work;VALUE=TEXT:+44 20 7946 0000",
             "TEL;TYPE=work;VALUE=TEXT:+44 20 7946 0001", "TEL;TYPE=cell;VALUE=TEXT:+44 7700 900000", "NOTE:Some note",
             "LANG:en-GB", "UID:1f4b7a3e-7c1d-4b55-9a39-0c5c0e0f6f11", "X-CUSTOM1:custom", "END:VCARD"}),
         {"VERSION:4.0\n", "FN:Dave Bird\n", "EMAIL;PREF=1:dave@bird.example\n",
          "TEL;TYPE=work;VALUE=TEXT:+44 20 7946 0001\n", "LANG:en-GB\n", "UID:1f4b7a3e-7c1d-4b55-9a39-0c5c0e0f6f11\n",
          "X-CUSTOM1:custom\n", "END:VCARD\n"},
         {"\nTEL;TYPE=work;VALUE=TEXT:+1 555 0199\n", "\nGENDER:M\n", "\nANNIVERSARY:20160620\n",
          "\nIMPP:xmpp:new@example.org\n", "\nNOTE:A\\nB\n"},
         {"\r", "900000", "Some note"}});
    // Version 2.1 with quoted-printable and character sets.
    cards.push_back({"v21",
                     Crlf({"BEGIN:VCARD", "VERSION:2.1", "N;CHARSET=UTF-8:M\xC3\xBCller;Hans",
                           "FN;CHARSET=UTF-8:Hans M\xC3\xBCller", "TEL;WORK;VOICE:+49 1", "TEL;CELL:+49 3",
                           "NOTE;ENCODING=QUOTED-PRINTABLE:Line one=0D=0ALine two", "X-MS-OL-DEFAULT-POSTAL-ADDRESS:0",
                           "END:VCARD"}),
                     {"VERSION:2.1\r\n", "FN;CHARSET=UTF-8:Hans M\xC3\xBCller\r\n",
                      "X-MS-OL-DEFAULT-POSTAL-ADDRESS:0\r\n", "END:VCARD\r\n"},
                     {"\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;Zo=C3=AB;;;\r\n",
                      "\r\nTEL;WORK;VOICE:+1 555 0199\r\n", "\r\nNOTE;ENCODING=QUOTED-PRINTABLE:A=0D=0AB\r\n"},
                     {"+49 3", "Line one"}});
    // A card with lines that are no content lines, an N with too many
    // parts, and no END line.
    cards.push_back(
        {"malformed",
         "BEGIN:VCARD\nVERSION:3.0\nFN:Eve Broken\nthis line has no colon\nN:Broken;Eve;;;;;;\n"
         "TEL;TYPE=WORK:+1 1\nX-UNKNOWN;PARAM=\"a:b\":value",
         {"FN:Eve Broken\n", "this line has no colon\n", "N:Broken;Eve;;;;;;\n", "X-UNKNOWN;PARAM=\"a:b\":value"},
         {"\nTEL;TYPE=WORK:+1 555 0199\n", "\nN:;Zo\xC3\xAB;;;\n", "\nEND:VCARD\n"},
         {"+1 1\n"}});
    return cards;
}

// What the update puts.
struct Change {
    const char* name;
    VARIANT value;
};

std::vector<Change> Changes() {
    return {
        {"FirstName", VARIANT::Bstr(u"Zo\u00EB")},
        {"BusinessTelephoneNumber", VARIANT::Bstr(u"+1 555 0199")},
        {"MobileTelephoneNumber", VARIANT::Bstr(u"")},
        {"Anniversary", VARIANT::Date(42541.0) /* 20 June 2016 */},
        {"Gender", VARIANT::I4(2)},
        {"IMAddress", VARIANT::Bstr(u"xmpp:new@example.org")},
        {"Hobby", VARIANT::Bstr(u"Chess")},
        {"Body", VARIANT::Bstr(u"A\r\nB")},
    };
}

// Every property of a contact, as text.
std::vector<std::pair<std::string, std::string>> AllValues(CDispCmd& item) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const PropDef& def : Schema(ItemKind::Contact)) {
        if (std::string_view(def.name) == "LastModificationTime") continue;
        const VARIANT v = Get(item, def.name);
        out.emplace_back(def.name, v.vt == VT_BSTR   ? platform::Utf16ToUtf8(v.bstrVal)
                                   : v.vt == VT_DATE ? std::to_string(v.date)
                                                     : std::to_string(v.lVal));
    }
    return out;
}

void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines, const std::string& card) {
    std::size_t pos = 0;
    for (const std::string& l : lines) {
        const std::size_t at = text.find(l, pos);
        EXPECT_NE(at, std::string::npos) << card << ": lost or moved: " << l << "\n" << text;
        if (at != std::string::npos) pos = at + l.size();
    }
}

struct ForeignCardTest : ::testing::Test {
    fwtest::TempDir dir;
    std::string Root() const { return dir.Path() + "store"; }
    std::string Contacts() const { return dir.Path() + "store/Contacts/"; }
    std::string File(const ForeignCard& c) const { return Contacts() + c.id + ".vcf"; }
};

}  // namespace

TEST_F(ForeignCardTest, UpdatesChangeOnlyTheLinesOfChangedValues) {
    const auto cards = Cards();
    { StoreSession s(Root()); }  // makes the folders
    for (const ForeignCard& c : cards) fwtest::WriteFile(File(c), c.text);

    std::vector<std::vector<std::pair<std::string, std::string>>> before;
    {
        // Saved without a change, or with the values it has, a card keeps its file.
        StoreSession s(Root());
        ASSERT_EQ(s.Count(), static_cast<int>(cards.size()));
        for (const ForeignCard& c : cards) {
            CDispCmd item = s.ByEntryId(c.id);
            ASSERT_NE(item.GetInterface(), nullptr) << c.id;
            before.push_back(AllValues(item));
            ASSERT_EQ(Save(item), S_OK);
            for (const PropDef& def : Schema(ItemKind::Contact)) {
                if (def.readOnly) continue;
                ASSERT_EQ(Put(item, def.name, Get(item, def.name)), S_OK) << def.name;
            }
            ASSERT_EQ(Save(item), S_OK);
            EXPECT_EQ(fwtest::ReadFile(File(c)), c.text) << c.id;
        }
    }
    {
        StoreSession s(Root());
        for (const ForeignCard& c : cards) {
            CDispCmd item = s.ByEntryId(c.id);
            for (const Change& ch : Changes()) ASSERT_EQ(Put(item, ch.name, ch.value), S_OK) << ch.name;
            ASSERT_EQ(Save(item), S_OK);
        }
    }
    StoreSession s(Root());
    for (std::size_t k = 0; k < cards.size(); ++k) {
        const ForeignCard& c = cards[k];
        const std::string text = fwtest::ReadFile(File(c));
        ExpectInOrder(text, c.kept, c.id);
        for (const std::string& w : c.written)
            EXPECT_NE(text.find(w), std::string::npos) << c.id << ": " << w << "\n" << text;
        for (const std::string& a : c.absent)
            EXPECT_EQ(text.find(a), std::string::npos) << c.id << ": " << a << "\n" << text;

        // Read back: what was put, and every other value as it was.
        CDispCmd item = s.ByEntryId(c.id);
        auto expected = before[k];
        for (const Change& ch : Changes())
            for (auto& [name, value] : expected)
                if (name == ch.name)
                    value = ch.value.vt == VT_BSTR   ? platform::Utf16ToUtf8(ch.value.bstrVal)
                            : ch.value.vt == VT_DATE ? std::to_string(ch.value.date)
                                                     : std::to_string(ch.value.lVal);
        EXPECT_EQ(AllValues(item), expected) << c.id;

        // Saved again unchanged, it stays as it is.
        ASSERT_EQ(Save(item), S_OK);
        EXPECT_EQ(fwtest::ReadFile(File(c)), text) << c.id;
    }

    // An independent reader sees a name and the values written.
    const std::string seen = ReadWithVobject(Contacts(), dir.File("vobject.txt"));
    for (const ForeignCard& c : cards) {
        const std::string id = std::string(c.id) + ".vcf|";
        if (std::string(c.id) == "malformed") continue;  // lines without a colon are refused there
        EXPECT_EQ(seen.find(id + "ERROR"), std::string::npos) << seen;
        EXPECT_NE(seen.find(id + "FN|\""), std::string::npos) << c.id << "\n" << seen;
        EXPECT_EQ(seen.find(id + "FN|\"\""), std::string::npos) << c.id << "\n" << seen;
        EXPECT_NE(seen.find(id + "TEL|\"" + (std::string(c.id) == "nextcloud" ? "tel:" : "") + "+1 555 0199\""),
                  std::string::npos)
            << c.id << "\n"
            << seen;
    }
}

TEST_F(ForeignCardTest, ValuesOfOneKindKeepTheirPlacesAndClearedOnesStayCleared) {
    { StoreSession s(Root()); }
    const std::string text = Crlf({"BEGIN:VCARD", "VERSION:3.0", "FN:Two Numbers", "TEL;TYPE=WORK:111",
                                   "TEL;TYPE=WORK:222", "TEL;TYPE=WORK:333", "TEL;TYPE=WORK:444", "EMAIL:a@x",
                                   "EMAIL:b@x", "EMAIL:c@x", "NOTE:first", "NOTE:second", "END:VCARD"});
    fwtest::WriteFile(Contacts() + "two.vcf", text);
    {
        StoreSession s(Root());
        CDispCmd item = s.ByEntryId("two");
        EXPECT_EQ(GetText(item, "Business2TelephoneNumber"), "222");
        EXPECT_EQ(GetText(item, "Email3Address"), "c@x");
        EXPECT_EQ(GetText(item, "Body"), "first");
        ASSERT_EQ(Put(item, "BusinessTelephoneNumber", VARIANT::Bstr(u"")), S_OK);
        ASSERT_EQ(Put(item, "Email1Address", VARIANT::Bstr(u"")), S_OK);
        ASSERT_EQ(Put(item, "Email3Address", VARIANT::Bstr(u"c2@x")), S_OK);
        ASSERT_EQ(Put(item, "Body", VARIANT::Bstr(u"")), S_OK);
        ASSERT_EQ(Save(item), S_OK);
    }
    StoreSession s(Root());
    CDispCmd item = s.ByEntryId("two");
    EXPECT_EQ(GetText(item, "BusinessTelephoneNumber"), "");
    EXPECT_EQ(GetText(item, "Business2TelephoneNumber"), "222");
    EXPECT_EQ(GetText(item, "Email1Address"), "");
    EXPECT_EQ(GetText(item, "Email2Address"), "b@x");
    EXPECT_EQ(GetText(item, "Email3Address"), "c2@x");
    EXPECT_EQ(GetText(item, "Body"), "");
    // What Outlook has no place for stays in the card for the program that wrote it.
    const std::string now = fwtest::ReadFile(Contacts() + "two.vcf");
    EXPECT_NE(now.find(":333\r\n"), std::string::npos) << now;
    EXPECT_NE(now.find(":444\r\n"), std::string::npos) << now;
    EXPECT_NE(now.find(":second\r\n"), std::string::npos) << now;
    EXPECT_EQ(now.find(":111\r\n"), std::string::npos) << now;
}
