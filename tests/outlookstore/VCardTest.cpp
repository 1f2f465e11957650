#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/outlook/ContactCard.h"
#include "platform/outlook/VCard.h"
#include "tests/support/TempDir.h"

using namespace platform::outlook;

namespace {

std::size_t LongestPhysicalLine(const std::string& text) {
    std::size_t longest = 0, start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        longest = std::max(longest, end - start);
        start = end + 2;
    }
    return longest;
}

}  // namespace

TEST(VCardCodec, FoldsAt75OctetsWithoutSplittingCharacters) {
    std::string value;
    for (int i = 0; i < 60; ++i) value += "\xC3\xA9";  // 120 octets of two-byte characters
    const std::string line = FormatLine("NOTE", {}, "x" + value);
    EXPECT_LE(LongestPhysicalLine(line), 75u);
    // No physical line starts or ends inside a character.
    std::size_t pos = 0;
    while ((pos = line.find("\r\n ", pos)) != std::string::npos) {
        EXPECT_NE(static_cast<unsigned char>(line[pos + 3]) & 0xC0, 0x80u);
        pos += 3;
    }
    const auto cards = ParseVCards("BEGIN:VCARD\r\n" + line + "END:VCARD\r\n");
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].lines[0].value, "x" + value);
}

TEST(VCardCodec, EscapingRoundTrips) {
    const std::string text = "a,b;c\\d\r\ne:f";
    EXPECT_EQ(EscapeText(text), "a\\,b\\;c\\\\d\\ne:f");
    EXPECT_EQ(UnescapeText(EscapeText(text), true), text);
    const auto parts = SplitValue("Doe;John\\;Jr;;Dr.;", ';', true);
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[1], "John;Jr");
    EXPECT_EQ(parts[4], "");
}

TEST(VCardCodec, ReadsVersion21AsOtherProgramsWriteIt) {
    const std::string text =
        "BEGIN:VCARD\nVERSION:2.1\nN:M\xFC"
        "ller;Hans\nTEL;WORK;VOICE:+49 1\nTEL;HOME:+49 2\nTEL;CELL:+49 3\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:Line one=0D=0ALine =\ntwo\nEMAIL;INTERNET:h@example.org\nEND:VCARD\n";
    ItemData item(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard(text, item));
    EXPECT_EQ(item.Text("LastName"), "M\xC3\xBCller");  // Latin-1 taken as such
    EXPECT_EQ(item.Text("BusinessTelephoneNumber"), "+49 1");
    EXPECT_EQ(item.Text("HomeTelephoneNumber"), "+49 2");
    EXPECT_EQ(item.Text("MobileTelephoneNumber"), "+49 3");
    EXPECT_EQ(item.Text("Body"), "Line one\r\nLine two");
    EXPECT_EQ(item.Text("Email1Address"), "h@example.org");
}

TEST(VCardCodec, ReadsVersion40AndKeepsWhatItDoesNotMap) {
    const std::string text =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann "
        "Lee\r\nN:Lee;Ann;;;\r\nTEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-555\r\n"
        "GENDER:F\r\nANNIVERSARY:20100612\r\nBDAY:--0415\r\nitem1.X-ABLabel:Kid\r\nKIND:individual\r\n"
        "CATEGORIES:Friends,Work\r\nEND:VCARD\r\n";
    ItemData item(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard(text, item));
    EXPECT_EQ(item.Text("BusinessTelephoneNumber"), "+1-555");
    EXPECT_EQ(item.Int("Gender"), 1);
    EXPECT_NE(item.Date("Anniversary"), 0.0);
    EXPECT_EQ(item.Date("Birthday"), 0.0);  // a birthday without a year has no date value
    EXPECT_EQ(item.Text("Categories"), "Friends,Work");
    // What maps to nothing is written back unchanged.
    const std::string again = ContactToVCard(item);
    EXPECT_NE(again.find("BDAY:--0415\r\n"), std::string::npos);
    EXPECT_NE(again.find("item1.X-ABLabel:Kid\r\n"), std::string::npos);
    EXPECT_NE(again.find("KIND:individual\r\n"), std::string::npos);
    EXPECT_NE(again.find("VERSION:4.0\r\n"), std::string::npos);
}

TEST(VCardCodec, EveryContactPropertyRoundTrips) {
    ItemData item(ItemKind::Contact);
    int n = 0;
    for (std::size_t i = 0; i < Schema(ItemKind::Contact).size(); ++i) {
        const PropDef& def = Schema(ItemKind::Contact)[i];
        if (std::string(def.name) == "EntryID") continue;
        PropValue& v = item.At(static_cast<int>(i));
        switch (def.type) {
        case PropType::Text: v.s = std::string(def.name) + " v\xC3\xA9, x;y\\z " + std::to_string(++n); break;
        case PropType::Int:
        case PropType::Bool: v.i = 2; break;
        case PropType::Date: v.d = NormalizeDate(40000.5 + static_cast<double>(i)); break;
        }
    }
    item.SetText("Body", "first\r\nsecond\r\n");
    item.SetText("BusinessAddressStreet", "Main St 1\nBack door");  // LF only
    item.SetText("Categories", "a, b,c");
    item.SetDate("Birthday", 30000.0);
    item.order = 17;
    item.entryId = "ABC";
    item.userProps.push_back({"Size", olText, "XL; big", 0});
    item.userProps.push_back({"Score", olNumber, "", 2.5});
    item.userProps.push_back({"Met", olDateTime, "", 43000.75});
    ItemData back(ItemKind::Contact);
    const std::string text = ContactToVCard(item);
    ASSERT_TRUE(ContactFromVCard(text, back));
    for (std::size_t i = 0; i < item.props.size(); ++i) {
        const char* name = Schema(ItemKind::Contact)[i].name;
        if (std::string(name) == "EntryID") continue;
        EXPECT_EQ(back.props[i].s, item.props[i].s) << name;
        EXPECT_EQ(back.props[i].i, item.props[i].i) << name;
        EXPECT_EQ(back.props[i].d, item.props[i].d) << name;
    }
    EXPECT_EQ(back.order, 17);
    ASSERT_EQ(back.userProps.size(), 3u);
    EXPECT_EQ(back.userProps[0].text, "XL; big");
    EXPECT_EQ(back.userProps[1].number, 2.5);
    EXPECT_EQ(back.userProps[2].number, 43000.75);
    EXPECT_TRUE(back.kept.find("UID:ABC") != std::string::npos);
    EXPECT_LE(LongestPhysicalLine(text), 75u);
}

TEST(VCardCodec, SecondSlotsKeepTheirPlaceWhenTheFirstIsEmpty) {
    ItemData item(ItemKind::Contact);
    item.SetText("Business2TelephoneNumber", "2");
    item.SetText("Email3Address", "c@x");
    item.SetText("OtherAddressCity", "Oslo");
    ItemData back(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard(ContactToVCard(item), back));
    EXPECT_EQ(back.Text("BusinessTelephoneNumber"), "");
    EXPECT_EQ(back.Text("Business2TelephoneNumber"), "2");
    EXPECT_EQ(back.Text("Email1Address"), "");
    EXPECT_EQ(back.Text("Email3Address"), "c@x");
    EXPECT_EQ(back.Text("OtherAddressCity"), "Oslo");
}

TEST(VCardCodec, BadInputIsRefusedOrSkipped) {
    ItemData item(ItemKind::Contact);
    EXPECT_FALSE(ContactFromVCard("", item));
    EXPECT_FALSE(ContactFromVCard("hello\r\nworld", item));
    // An unterminated card still counts; lines without a colon are skipped.
    EXPECT_TRUE(ContactFromVCard("BEGIN:VCARD\r\nno colon here\r\nFN:X", item));
    EXPECT_EQ(item.Text("FullName"), "X");
    // Further cards of the file are kept.
    ItemData two(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard("BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n", two));
    EXPECT_EQ(two.Text("FullName"), "A");
    EXPECT_NE(ContactToVCard(two).find("FN:B"), std::string::npos);
}

TEST(VCardCodec, QuotedPrintableLinesReadBackAnyText) {
    std::mt19937 random(7);
    const std::string pieces[] = {"=", "a", " ", "\r\n", "\n", "\xC3\xA9", "\xE6\x97\xA5", ";", "\\", "==", "\t"};
    for (int round = 0; round < 200; ++round) {
        std::string value;
        const std::size_t n = random() % 120;
        for (std::size_t i = 0; i < n; ++i) value += pieces[random() % std::size(pieces)];
        const std::string line = QuotedPrintableLine("NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE", value);
        EXPECT_LE(LongestPhysicalLine(line), 76u);
        const auto cards = ParseVCards("BEGIN:VCARD\r\n" + line + "END:VCARD\r\n");
        ASSERT_EQ(cards.size(), 1u);
        ASSERT_EQ(cards[0].lines.size(), 1u) << line;
        EXPECT_EQ(cards[0].lines[0].value, value) << line;
    }
}

TEST(VCardCodec, SourceLinesCoverTheTextAndHeadsKeepTheirSpelling) {
    const std::string text = "\xEF\xBB\xBFX;a=1:x\r\n y\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\nb\r\nlast=";
    const auto lines = SourceLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].begin, 3u);
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].begin, lines[i - 1].end);
    EXPECT_EQ(lines.back().end, text.size());
    EXPECT_EQ(lines[0].text, "X;a=1:xy");
    EXPECT_EQ(lines[1].text, "NOTE;ENCODING=QUOTED-PRINTABLE:ab");  // a soft break joins
    EXPECT_FALSE(lines[2].openSoftBreak);                           // no quoted-printable there
    EXPECT_TRUE(SourceLines("NOTE;QUOTED-PRINTABLE:x=").back().openSoftBreak);

    VCardLine line;
    ASSERT_TRUE(ParseContentLine("item1.TEL;type=WORK;X-OUTLOOK-EOL=LF;VALUE=uri;Q=\"a;b:c\":tel:1", line));
    EXPECT_EQ(LineHead(line, {"X-OUTLOOK-EOL"}), "item1.TEL;type=WORK;VALUE=uri;Q=\"a;b:c\"");
    EXPECT_EQ(SplitRaw("a\\;b;c\\\\;", ';'), (std::vector<std::string>{"a\\;b", "c\\\\", ""}));
}

TEST(VCardCodec, NewValuesTakeTheFormOfTheCardsVersion) {
    struct Case {
        std::string card;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"BEGIN:VCARD\r\nVERSION:4.0\r\nFN:A\r\nEND:VCARD\r\n",
         {"\r\nTEL;PREF=1;TYPE=voice;VALUE=TEXT:1\r\n", "\r\nEMAIL:e@x\r\n", "\r\nBDAY:19800517\r\n",
          "\r\nADR;TYPE=work:;;St;;;;\r\n", "\r\nLANG:de\r\n", "\r\nGENDER:F\r\n"}},
        {"BEGIN:VCARD\r\nVERSION:2.1\r\nFN:A\r\nEND:VCARD\r\n",
         {"\r\nTEL;PREF;VOICE:1\r\n", "\r\nEMAIL;INTERNET:e@x\r\n", "\r\nBDAY:1980-05-17\r\n",
          "\r\nADR;WORK:;;St;;;;\r\n", "\r\nX-OUTLOOK-LANGUAGE:de\r\n", "\r\nX-OUTLOOK-GENDER:1\r\n"}},
    };
    for (const Case& c : cases) {
        ItemData item(ItemKind::Contact);
        ASSERT_TRUE(ContactFromVCard(c.card, item));
        item.SetText("PrimaryTelephoneNumber", "1");
        item.SetText("Email1Address", "e@x");
        item.SetText("BusinessAddressStreet", "St");
        item.SetText("Language", "de");
        item.SetInt("Gender", 1);
        item.SetDate("Birthday", 29358.0);
        const std::string text = ContactToVCard(item);
        EXPECT_EQ(text.rfind(c.card.substr(0, c.card.size() - 11), 0), 0u) << text;  // all up to END as it was
        for (const std::string& w : c.written) EXPECT_NE(text.find(w), std::string::npos) << w << "\n" << text;
        ItemData back(ItemKind::Contact);
        ASSERT_TRUE(ContactFromVCard(text, back));
        for (const char* p : {"PrimaryTelephoneNumber", "Email1Address", "BusinessAddressStreet", "Language"})
            EXPECT_EQ(back.Text(p), item.Text(p)) << p;
        EXPECT_EQ(back.Int("Gender"), 1);
        EXPECT_EQ(back.Date("Birthday"), 29358.0);
    }
}

TEST(VCardCodec, BirthdaysAtMidnightOfAnyZoneStayOnTheirDay) {
    fwtest::ScopedEnv tz("TZ", "America/New_York");
    ::tzset();
    for (const char* bday : {"1980-05-17", "19800517", "1980-05-17T00:00:00Z", "19800517T000000+0200"}) {
        ItemData item(ItemKind::Contact);
        ASSERT_TRUE(ContactFromVCard(std::string("BEGIN:VCARD\r\nBDAY:") + bday + "\r\nEND:VCARD\r\n", item));
        EXPECT_EQ(item.Date("Birthday"), 29358.0) << bday;
    }
    ItemData item(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard("BEGIN:VCARD\r\nREV:19800517T000000Z\r\nEND:VCARD\r\n", item));
    EXPECT_EQ(item.Date("LastModificationTime"), 29358.0 - 4.0 / 24);  // a time stamp is an instant
    ::unsetenv("TZ");
}

TEST(VCardCodec, LineBreaksOfEveryKindAndFilesOfOlderStoresReadBack) {
    ItemData old(ItemKind::Contact);
    ASSERT_TRUE(ContactFromVCard("BEGIN:VCARD\r\nNOTE;X-OUTLOOK-EOL=LF:a\\nb\\nc\r\nEND:VCARD\r\n", old));
    EXPECT_EQ(old.Text("Body"), "a\nb\nc");
    for (const std::string body : {"a\rb\nc\r\nd", "\n\n\r", "x\r\n\r\ny", "\r"}) {
        ItemData item(ItemKind::Contact);
        item.SetText("Body", body);
        item.SetText("HomeAddressStreet", body);
        item.SetText("HomeAddressCity", "\n" + body);
        ItemData back(ItemKind::Contact);
        ASSERT_TRUE(ContactFromVCard(ContactToVCard(item), back));
        EXPECT_EQ(back.Text("Body"), body);
        EXPECT_EQ(back.Text("HomeAddressStreet"), body);
        EXPECT_EQ(back.Text("HomeAddressCity"), "\n" + body);
    }
}

TEST(VCardCodec, ALineHasExactlyTheTypesItLists) {
    const char* lines[] = {"TEL;TYPE=work,VOICE:1",          "TEL;type=\"cell,pref\";TYPE=fax:1",
                           "TEL;WORK;Pref:1",                "EMAIL;PREF=1;TYPE=INTERNET:a@b",
                           "TEL;TYPE=\"x-a,b\",,isdn:1",     "ADR;LABEL=\"work,home\";TYPE=dom:;;",
                           "TEL;TYPE=:1",                    "item1.TEL;X-OUTLOOK-FIELD=Pager;TYPE=PAGER:1"};
    const char* asked[] = {"WORK", "work", "VOICE", "CELL", "PREF", "FAX", "INTERNET", "X-A", "B", "ISDN",
                           "HOME", "DOM", "PAGER", "", "\"x-a", "LABEL"};
    for (const char* text : lines) {
        VCardLine line;
        ASSERT_TRUE(ParseContentLine(text, line)) << text;
        const std::vector<std::string> types = line.Types();
        for (const char* type : asked) {
            bool listed = false;
            for (const std::string& t : types) listed = listed || platform::EqualsNoCase(t, type);
            EXPECT_EQ(line.HasType(type), listed) << text << " / " << type;
        }
    }
}

TEST(VCardCodec, EscapingAndFoldingAgreeWithTheRulesOnRandomTexts) {
    // Escaping by the rules, one character at a time.
    const auto escape = [](const std::string& text, bool comma) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // the LF writes the break
            if (c == '\r' || c == '\n')
                out += "\\n";
            else if (c == '\\' || c == ';' || (c == ',' && comma))
                out += std::string("\\") + c;
            else
                out += c;
        }
        return out;
    };
    const char* pieces[] = {"a", "Zz", " ", "\r\n", "\n", "\r", ",", ";", "\\", ":", "=", "<", "~",
                            "\xC3\xA9", "\xE6\x97\xA5", "\t", "0", "QUOTED-printable"};
    std::mt19937 random(7);
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int k = 0; k < length; ++k) text += pieces[random() % std::size(pieces)];
        const bool comma = random() % 2 == 0;
        ASSERT_EQ(EscapeText(text, comma), escape(text, comma)) << text;

        // A folded line unfolds to itself; a quoted-printable one never
        // ends a physical line in "=", which would read as a soft break.
        const bool qp = random() % 2 == 0;
        const std::string line = (qp ? "NOTE;ENCODING=quoted-printable:" : "NOTE:") + EscapeText(text);
        const std::string folded = FoldLine(line);
        ASSERT_EQ(folded.substr(folded.size() - 2), "\r\n");
        std::string unfolded;
        std::size_t start = 0;
        for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::string physical = folded.substr(start, end - start);
            ASSERT_LE(physical.size(), 75u);
            if (qp && end + 2 < folded.size()) {
                EXPECT_NE(physical.back(), '=') << line;
            }
            unfolded += start == 0 ? physical : physical.substr(1);
        }
        EXPECT_EQ(unfolded, line);
    }
}
