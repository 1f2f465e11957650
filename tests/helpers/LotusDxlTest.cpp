// The DXL reader of the Lotus Notes helpers: on the exports that
// tests/helpers/lotus_dxl.py writes as the Notes DXL exporter does, on
// hand-written documents for the value forms, rich text, broken and hostile
// files, and the four helper programs run as the program runs them, their
// data files read back through the program's own Lotus Notes bridges.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "common/misc/Base64.h"
#include "common/misc/CxFile.h"
#include "helpers/lotus/DxlItems.h"
#include "helpers/lotus/DxlReader.h"
#include "helpers/lotus/DxlRepeat.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/text/LittleEndianWriter.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/HelperStop.h"
#include "tests/support/LotusHelperRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimeZone.h"

namespace {

using lotus_helper::LnContact;
using lotus_helper::LnDocument;
using lotus_helper::LnEntry;
using lotus_helper::LnKind;
using lotus_helper::LnTodo;

// Berlin's rules: local time of every reading here and of the helpers.
constexpr const char* kLocalZone = "CET-1CEST,M3.5.0,M10.5.0/3";

std::string Fixture(const std::string& name) { return fwtest::ExportsWrittenBy("lotus_dxl.py") + name; }

struct Collect : lotus_helper::LnRecordSink {
    std::vector<LnContact> contacts;
    std::vector<LnEntry> entries;
    std::vector<LnTodo> todos;
    std::vector<LnDocument> documents;
    int proceeds = 0;
    int stopAfter = -1;  // Proceed answers false after this many calls

    bool Contact(const LnContact& r) override { return contacts.push_back(r), true; }
    bool Entry(const LnEntry& r) override { return entries.push_back(r), true; }
    bool Todo(const LnTodo& r) override { return todos.push_back(r), true; }
    bool Document(const LnDocument& r) override { return documents.push_back(r), true; }
    bool Proceed() override {
        ++proceeds;
        return stopAfter < 0 || proceeds < stopAfter;
    }
    std::size_t Count() const { return contacts.size() + entries.size() + todos.size() + documents.size(); }
};

struct Read {
    bool ok = false;
    std::string error;
    Collect got;
};

Read FromText(const std::string& text, LnKind kind) {
    Read r;
    r.ok = lotus_helper::ReadDxlText(text, kind, r.got, r.error);
    return r;
}

Read FromFile(const std::string& path, LnKind kind) {
    Read r;
    r.ok = lotus_helper::ReadDxlFile(path, kind, r.got, r.error);
    return r;
}

// A database of documents, as the exporter heads it.
std::string Database(const std::string& documents) {
    return "<?xml version='1.0' encoding='utf-8'?>\n<!DOCTYPE database>\n"
           "<database xmlns='http://www.lotus.com/dxl' version='9.0'>\n" +
           documents + "</database>\n";
}

std::string Doc(const std::string& form, const std::string& unid, const std::string& items) {
    return "<document form='" + form + "'><noteinfo noteid='9' unid='" + unid + "'/>" + items + "</document>\n";
}

std::string Item(const std::string& name, const std::string& value) {
    return "<item name='" + name + "'>" + value + "</item>";
}

std::string Dt(const std::string& v) { return "<datetime>" + v + "</datetime>"; }

class LotusDxlReader : public ::testing::Test {
protected:
    fwtest::ScopedTimeZone zone{kLocalZone};
};

const LnEntry* BySubject(const std::vector<LnEntry>& all, const std::string& subject) {
    for (const auto& e : all)
        if (e.subject == subject) return &e;
    return nullptr;
}

double Local(int y, int mo, int d, int h = 0, int mi = 0) { return fwtest::OleDate(y, mo, d, h, mi); }

}  // namespace

TEST_F(LotusDxlReader, DateTimeFormsAndZoneOffsets) {
    struct Case {
        const char* text;
        bool valid;
        double local;  // 0: no local value (a time of day alone)
    };
    const Case cases[] = {
        {"20260115T090000,00-05", true, Local(2026, 1, 15, 15)},
        {"20260210T153000,00+0530", true, Local(2026, 2, 10, 11)},
        {"20260210T153000,00+05:30", true, Local(2026, 2, 10, 11)},
        {"20260701T120000,00Z", true, Local(2026, 7, 1, 14)},
        {"20260701T120000,00+01", true, Local(2026, 7, 1, 13)},
        {"20261231T233000,00-10", true, Local(2027, 1, 1, 10, 30)},
        {" 20260315 ", true, Local(2026, 3, 15)},
        {"20260315T090000,00", true, Local(2026, 3, 15, 9)},
        {"20260315T0900", true, Local(2026, 3, 15, 9)},
        {"20240229", true, Local(2024, 2, 29)},
        {"T090000,00", true, 0.0},
        {"T090000,00+01", true, 0.0},
        {"2026-03-15", false, 0.0},
        {"20261315", false, 0.0},
        {"20250229", false, 0.0},
        {"20260315T250000", false, 0.0},
        {"20260315T096000", false, 0.0},
        {"20260315T090000,00+1", false, 0.0},
        {"20260315T090000,00+15", false, 0.0},
        {"20260315T090000,00 +01", false, 0.0},
        {"", false, 0.0},
        {"T", false, 0.0},
        {"2026031", false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto t = lotus_helper::ParseDxlTime(c.text);
        ASSERT_EQ(t.has_value(), c.valid);
        if (!t) continue;
        const auto local = lotus_helper::DxlTimeToLocal(*t);
        if (c.local == 0.0) {
            EXPECT_FALSE(local.has_value());
        } else {
            ASSERT_TRUE(local.has_value());
            EXPECT_NEAR(*local, c.local, 1e-6);
        }
    }
    // A whole day is the day as written, wherever the offset puts it.
    const auto late = lotus_helper::ParseDxlTime("20260619T233000,00-05");
    ASSERT_TRUE(late);
    EXPECT_EQ(*lotus_helper::DxlDayToLocal(*late), Local(2026, 6, 19));
}

TEST_F(LotusDxlReader, ValuesTextListsEntitiesAndRichText) {
    struct Case {
        const char* name;
        std::string value;  // the Comment item
        std::string note;
    };
    const Case cases[] = {
        {"entities", "<text>Fish &amp; chips &lt;3 &#xC5;land &#246;</text>", "Fish & chips <3 Åland ö"},
        {"cdata", "<text><![CDATA[a <b> & c]]></text>", "a <b> & c"},
        {"text list", "<textlist><text>one</text><text></text><text>two</text></textlist>", "one\r\ntwo"},
        {"bare line feeds", "<text>first\nsecond\r\nthird</text>", "first\r\nsecond\r\nthird"},
        {"line breaks in a text", "<text>first<break/>second</text>", "first\r\nsecond"},
        {"number", "<number>42.5</number>", "42.5"},
        {"paragraphs", "<richtext><pardef id='1'/><par def='1'>A</par><par def='1'>B</par></richtext>", "A\r\nB"},
        {"runs and a break",
         "<richtext><par><run><font style='bold'/>Bold</run> and <run>plain</run><break/>next</par></richtext>",
         "Bold and plain\r\nnext"},
        {"empty paragraphs", "<richtext><par>A</par><par/><par>B</par><par></par><par/></richtext>", "A\r\n\r\nB"},
        {"table cells",
         "<richtext><table><tablerow><tablecell><par>x</par></tablecell><tablecell><par>y</par>"
         "</tablecell></tablerow></table></richtext>",
         "x\r\ny"},
        {"pictures and attachments",
         "<richtext><par>See<picture><gif>R0lGOD==</gif></picture></par><par><attachmentref name='a.pdf'>"
         "<picture><notesbitmap>AAAA</notesbitmap></picture></attachmentref></par></richtext>",
         "See"},
        {"pretty-printed",
         "<richtext>\n  <pardef id='1'/>\n  <par def='1'>Line one</par>\n  <par def='1'>Line two"
         "</par>\n</richtext>",
         "Line one\r\nLine two"},
        {"unknown value kinds", "<object><file name='x'><filedata>QUJD</filedata></file></object><unavailable/>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = FromText(Database(Doc("Person", "U1", Item("Comment", c.value))), LnKind::Contacts);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.contacts.size(), 1u);
        EXPECT_EQ(r.got.contacts[0].note, c.note);
    }
    // Lists join with ", " where they are no lines; names match in any case.
    const Read r = FromText(Database(Doc("Person", "U2",
                                         Item("CATEGORIES", "<textlist><text>A</text><text>B</text></textlist>") +
                                             Item("children", "<textlist><text>C</text><text>D</text></textlist>"))),
                            LnKind::Contacts);
    ASSERT_EQ(r.got.contacts.size(), 1u);
    EXPECT_EQ(r.got.contacts[0].category, "A, B");
    EXPECT_EQ(r.got.contacts[0].text.at(kLNChildrensNames), "C, D");
}

// A body part as Notes keeps a MIME body: a MIME_PART item (version 2, the
// part's type and flags, the lengths of the boundary and the headers that
// precede its content), in Base64 lines as the exporter writes raw items.
std::string MimePartItem(unsigned partType, const std::string& boundary, const std::string& headers,
                         const std::string& content, std::uint32_t moreFlags = 0, const char* type = "19") {
    std::string raw;
    platform::AppendLE16(raw, 2);
    platform::AppendLE32(raw, moreFlags | (boundary.empty() ? 0u : 1u) | (headers.empty() ? 0u : 2u));
    raw += static_cast<char>(partType);
    raw += '\0';
    const std::size_t stored = (moreFlags & 4u) ? 0 : content.size();
    platform::AppendLE16(raw, boundary.size() + headers.size() + stored);
    platform::AppendLE16(raw, boundary.size());
    platform::AppendLE16(raw, headers.size());
    platform::AppendLE16(raw, 0);
    platform::AppendLE32(raw, 0);
    raw += boundary + headers + content.substr(0, stored);
    const std::string base64 = Base64Encode(raw);
    std::string lines;
    for (std::size_t at = 0; at < base64.size(); at += 72) lines += base64.substr(at, 72) + "\n";
    return "<item name='Body' summary='false'><rawitemdata type='" + std::string(type) + "'>\n" + lines +
           "</rawitemdata></item>";
}

TEST_F(LotusDxlReader, BodiesKeptAsMimeGiveTheirText) {
    const std::string qpHeaders =
        "Content-Type: text/plain;\r\n\tcharset=\"ISO-8859-1\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n";
    const std::string alternative = "Content-Type: multipart/alternative; boundary=\"==b1\"\r\n\r\n";
    const std::string next = "\r\n--==b1\r\n";
    struct Case {
        const char* name;
        std::string items;
        std::string body;
    };
    const Case cases[] = {
        {"quoted-printable Latin-1 with soft breaks",
         MimePartItem(2, "", qpHeaders, "Segla till =C5land och=\r\n vidare.=\r\n\r\nTv=E5 rader, 1=3D1 =\r\n"),
         "Segla till \xC3\x85land och vidare.\r\nTv\xC3\xA5 rader, 1=1"},
        {"alternative parts give the plain one",
         MimePartItem(1, "", alternative, "This is a multipart message in MIME format.\r\n") +
             MimePartItem(2, next,
                          "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n",
                          "TcO2dGUgaSBo\r\nYW1uZW4NCmts\r\nIDEw\r\n") +
             MimePartItem(2, next, "Content-Type: text/html; charset=UTF-8\r\n\r\n", "<p>Other</p>") +
             MimePartItem(3, "\r\n--==b1--\r\n", "", ""),
         "M\xC3\xB6te i hamnen\r\nkl 10"},
        {"HTML alone",
         MimePartItem(2, "", "Content-Type: text/html; charset=windows-1252\r\n\r\n",
                      "<html><head><style>p {color: red}</style><title>T</title></head><body><p>Fish &amp; "
                      "chips</p>\r\n<div>Line<br>two&nbsp;&#228; \x80</div><!-- <p>gone</p> --><table><tr><td>a</td>"
                      "<td>b</td></tr></table>&#12a; &#x110000; &unknown;</body></html>"),
         "Fish & chips\r\nLine\r\ntwo \xC3\xA4 \xE2\x82\xAC\r\na b\r\n&#12a; \xEF\xBF\xBD &unknown;"},
        {"HTML as people write it",
         MimePartItem(2, "", "Content-Type: text/html\r\n\r\n",
                      "<html><head><title>T</title><body>1 < 2 & 3 > 2<p>Text<style>p {}"),
         "1 < 2 & 3 > 2\r\nTextp {}"},  // an unclosed style: its text is kept
        {"attachments, parts kept apart and broken parts are left out",
         MimePartItem(2, "", "Content-Type: text/plain\r\nContent-Disposition: attachment; filename=a.txt\r\n\r\n",
                      "not the body") +
             MimePartItem(2, "", "Content-Type: text/plain\r\n\r\n", "in an attachment of the note", 4) +
             "<item name='Body'><rawitemdata type='19'>AgAAAA==</rawitemdata></item>" +
             MimePartItem(2, "", "Content-Type: text/plain; charset=x-none\r\n\r\n", "Kept \xFF"),
         "Kept \xEF\xBF\xBD"},
        {"raw items of other types", MimePartItem(2, "", "Content-Type: text/plain\r\n\r\n", "composite", 0, "1"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r =
            FromText(Database(Doc("Document", "U1", Item("Subject", "<text>S</text>") + c.items)), LnKind::Notebook);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.documents.size(), 1u);
        EXPECT_EQ(r.got.documents[0].body, c.body);
    }
}

TEST_F(LotusDxlReader, NamesExportGivesEachPersonWithEveryField) {
    const Read r = FromFile(Fixture("names.dxl"), LnKind::Contacts);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.got.contacts.size(), 3u);  // the group is no contact
    const LnContact& a = r.got.contacts[0];
    const std::map<int, std::string> expected = {
        {kLNID, "85257A2B0049F1C2C1257E0000000001"},
        {kLNFirstName, "Åsa"},
        {kLNMiddleName, "M."},
        {kLNLastName, "Öberg"},
        {kLNSuffix, "Jr."},
        {kLNDisplayName, "Åsa M. Öberg/Fleet/Ferry"},
        {kLNCompanyName, "Fährhaus & Söhne AG"},
        {kLNDepartment, "Flotte"},
        {kLNJobTitle, "Kapitänin"},
        {kLNLocation, "Deck 3"},
        {kLNAssistantName, "Bo Ek"},
        {kLNManagerName, "Carl Dahl"},
        {kLNBusinessEmail, "asa@ferry.example"},
        {kLNPersonalEmail, "asa@home.example"},
        {kLNAssistantPhone, "asa@other.example"},
        {kLNBusinessEmail2, "asa.oberg@ferry.example"},
        {kLNPersonalEmail2, "asa2@home.example"},
        {kLNBusinessStreet, "Hamnvägen 1\r\nBox 7"},
        {kLNBusinessStreet + 1, "Göteborg"},
        {kLNBusinessStreet + 2, "VG"},
        {kLNBusinessStreet + 3, "Sverige"},
        {kLNBusinessStreet + 4, "411 01"},
        {kLNHomeStreet, "Storgatan 5\r\nLgh 1102"},
        {kLNHomeStreet + 1, "Stockholm"},
        {kLNHomeStreet + 2, "AB"},
        {kLNHomeStreet + 3, "Sverige"},
        {kLNHomeStreet + 4, "114 51"},
        {kLNOtherStreet, "Sommarstigen 2"},
        {kLNOtherStreet + 1, "Visby"},
        {kLNOtherStreet + 2, "I"},
        {kLNOtherStreet + 3, "Sverige"},
        {kLNOtherStreet + 4, "621 00"},
        {kLNPrimaryPhone, "+46 8 100"},
        {kLNBusinessPhone, "+46 31 100"},
        {kLNHomePhone, "+46 8 200"},
        {kLNMobilePhone, "+46 70 300"},
        {kLNBusinessFax, "+46 31 101"},
        {kLNHomeFax, "+46 8 201"},
        {kLNPager, "+46 74 400"},
        {kLNInstantMessenger, "asa@im.example"},
        {kLNWebSite, "https://ferry.example"},
        {kLNBlogSite, "https://blog.example/asa"},
        {kLNSpouseName, "Erik Öberg"},
        {kLNChildrensNames, "Lisa, Nils"},
    };
    EXPECT_EQ(a.text, (std::map<std::int32_t, std::string>(expected.begin(), expected.end())));
    EXPECT_EQ(a.note, "Met at the regatta.\r\nPrefers <e-mail> & phone.");
    // The second addresses are carried on as custom values: the program
    // reads nothing from the second e-mail fields.
    EXPECT_EQ(a.customLabel[0], "Business Email");
    EXPECT_EQ(a.customValue[0], "asa.oberg@ferry.example");
    EXPECT_EQ(a.customLabel[1], "Personal Email");
    EXPECT_EQ(a.customValue[1], "asa2@home.example");
    EXPECT_EQ(a.customValue[2], "");
    EXPECT_EQ(a.category, "Friends, Sailing");
    EXPECT_EQ(a.birthDate, Local(1980, 1, 2));
    EXPECT_EQ(a.anniversary, Local(2005, 6, 18));
    EXPECT_EQ(r.got.contacts[1].text.at(kLNLastName), "Ek");
    EXPECT_EQ(r.got.contacts[1].note, "Line <one>");
    EXPECT_EQ(r.got.contacts[2].text.at(kLNFirstName), "Ζωή");
    EXPECT_EQ(r.got.contacts[2].text.at(kLNBusinessStreet + 1), "Πειραιάς");
    // Every document is a point to stop at, the skipped group too.
    EXPECT_EQ(r.got.proceeds, 4);
    for (LnKind other : {LnKind::Calendar, LnKind::Tasks, LnKind::Notebook}) {
        const Read none = FromFile(Fixture("names.dxl"), other);
        EXPECT_TRUE(none.ok) << none.error;
        EXPECT_EQ(none.got.Count(), 0u);
    }
}

TEST_F(LotusDxlReader, MailExportGivesEntriesWithTheirRulesAndWholeDays) {
    const Read r = FromFile(Fixture("mail.dxl"), LnKind::Calendar);
    ASSERT_TRUE(r.ok) << r.error;
    struct Expect {
        const char* subject;
        double start, end;
        const char *unit, *interval, *repeatOn;
        double until;
    };
    const Expect expected[] = {
        {"Ferry meeting", Local(2026, 1, 15, 15), Local(2026, 1, 15, 16, 30), "", "", "", 0},
        {"Midsummer", Local(2026, 6, 19), Local(2026, 6, 21), "", "", "", 0},
        {"Wedding day", Local(2026, 6, 18), Local(2026, 6, 19), "Y", "1", "", Local(2030, 6, 18)},
        {"Stand-up", Local(2026, 3, 2, 8, 30), Local(2026, 3, 2, 8, 45), "D", "1", "", Local(2026, 3, 6)},
        {"Gym", Local(2026, 3, 2, 18), Local(2026, 3, 2, 19), "W", "1", "42", Local(2026, 3, 13)},
        {"Rent", Local(2026, 1, 15, 10), Local(2026, 1, 15, 10, 30), "MD", "1", "15", Local(2026, 6, 15)},
        {"Board meeting", Local(2026, 1, 13, 14), Local(2026, 1, 13, 15), "MP", "1", "4", Local(2026, 4, 14)},
        {"Tax day", Local(2026, 4, 30, 12), Local(2026, 4, 30, 12, 30), "Y", "2", "", Local(2030, 4, 30)},
        {"Call mum", Local(2026, 3, 20, 17), Local(2026, 3, 20, 17), "", "", "", 0},
        {"Call Bangalore", Local(2026, 2, 10, 11), Local(2026, 2, 10, 12), "", "", "", 0},
    };
    // The dentist comes three times.
    ASSERT_EQ(r.got.entries.size(), std::size(expected) + 3);
    for (const Expect& x : expected) {
        SCOPED_TRACE(x.subject);
        const LnEntry* e = BySubject(r.got.entries, x.subject);
        ASSERT_NE(e, nullptr);
        EXPECT_NEAR(e->start, x.start, 1e-6);
        EXPECT_NEAR(e->end, x.end, 1e-6);
        EXPECT_EQ(e->displayStart, e->start);
        EXPECT_EQ(e->displayEnd, e->end);
        EXPECT_EQ(e->repeats, *x.unit ? "1" : "");
        EXPECT_EQ(e->unit, x.unit);
        EXPECT_EQ(e->interval, x.interval);
        EXPECT_EQ(e->repeatOn, x.repeatOn);
        EXPECT_NEAR(e->until, x.until, 1e-6);
    }
    const LnEntry* meeting = BySubject(r.got.entries, "Ferry meeting");
    EXPECT_EQ(meeting->id, "85257A2B0049F1C2C1257E0000001001");
    EXPECT_EQ(meeting->location, "Pier 4");
    EXPECT_EQ(meeting->body, "Agenda:\r\n1. Timetable");
    EXPECT_EQ(meeting->startZone, "Z=5$DO=1$DL=3 2 1 11 1 1$ZX=55$ZN=Eastern");
    EXPECT_EQ(meeting->endZone, meeting->startZone);
    EXPECT_TRUE(meeting->isPrivate);
    EXPECT_FALSE(BySubject(r.got.entries, "Gym")->isPrivate);
    EXPECT_EQ(BySubject(r.got.entries, "Call Bangalore")->startZone, "Z=-5.5$DO=0$ZX=38$ZN=India");
    // A custom repeat: one entry per date, each as long as the first, none
    // with a rule.
    struct Dates {
        const char* subject;
        const char* unid;
        double starts[3];
        double minutes;
    };
    for (const Dates& d : {Dates{"Dentist",
                                 "85257A2B0049F1C2C1257E0000001010",
                                 {Local(2026, 2, 3, 8), Local(2026, 3, 17, 8), Local(2026, 5, 5, 8)},
                                 45}}) {
        SCOPED_TRACE(d.subject);
        std::vector<const LnEntry*> all;
        for (const auto& e : r.got.entries)
            if (e.subject == d.subject) all.push_back(&e);
        ASSERT_EQ(all.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(all[i]->start, d.starts[i], 1e-6);
            EXPECT_NEAR(all[i]->end - all[i]->start, d.minutes / 1440, 1e-6);
            EXPECT_EQ(all[i]->repeats, "");
            EXPECT_EQ(all[i]->id, d.unid + ("-" + std::to_string(i + 1)));
        }
    }
    EXPECT_EQ(r.got.proceeds, 17);
}

TEST_F(LotusDxlReader, MailExportGivesToDosAndJournalGivesDocuments) {
    const Read tasks = FromFile(Fixture("mail.dxl"), LnKind::Tasks);
    ASSERT_TRUE(tasks.ok) << tasks.error;
    ASSERT_EQ(tasks.got.todos.size(), 3u);
    const LnTodo& open = tasks.got.todos[0];
    EXPECT_EQ(open.subject, "Buy charts");
    EXPECT_EQ(open.priority, 0);
    EXPECT_EQ(open.due, Local(2030, 12, 31));
    EXPECT_EQ(open.completed, 0.0);
    EXPECT_EQ(open.category, "Boat");
    EXPECT_NEAR(open.keptDate, Local(2030, 12, 1, 9), 1e-6);  // the start, for the detail window
    const LnTodo& done = tasks.got.todos[1];
    EXPECT_EQ(done.priority, 2);
    EXPECT_EQ(done.due, Local(2026, 1, 1));
    EXPECT_NEAR(done.completed, Local(2026, 1, 2, 10), 1e-6);
    const LnTodo& overdue = tasks.got.todos[2];
    EXPECT_EQ(overdue.priority, 1);
    EXPECT_EQ(overdue.body, "Two coats");
    EXPECT_EQ(overdue.due, Local(2025, 6, 1));

    const Read journal = FromFile(Fixture("journal.dxl"), LnKind::Notebook);
    ASSERT_TRUE(journal.ok) << journal.error;
    ASSERT_EQ(journal.got.documents.size(), 2u);
    EXPECT_EQ(journal.got.documents[0].subject, "Logbook day 1");
    EXPECT_EQ(journal.got.documents[0].body, "Left Visby at dawn.\r\nWind SW\r\n5 m/s\r\nCell A\r\nCell B");
    EXPECT_EQ(journal.got.documents[1].subject, "Idéer för sommaren");
    EXPECT_EQ(journal.got.documents[1].body, "Segla till Åland");
    EXPECT_EQ(journal.got.documents[1].id, "85257A2B0049F1C2C1257E0000003002");
    // For the detail window: the categories and the note information's
    // creation and edit times (10:10:10.1 at +02, local time here).
    EXPECT_EQ(journal.got.documents[1].kept, "Segling, Planer");
    EXPECT_NEAR(journal.got.documents[1].keptDates[1], Local(2025, 6, 1, 10, 10) + 10.1 / 86400, 5e-6);
    EXPECT_NEAR(journal.got.documents[1].keptDates[2], Local(2025, 10, 1, 10, 10) + 10.1 / 86400, 5e-6);
    // A <created> outside the note information is none.
    const Read outside =
        FromText(Database("<document form='Document'><noteinfo unid='A'/><created>" + Dt("20250601T101010,10+02") +
                          "</created><item name='Subject'><text>S</text></item></document>"),
                 LnKind::Notebook);
    ASSERT_EQ(outside.got.documents.size(), 1u);
    EXPECT_EQ(outside.got.documents[0].keptDates[1], 0.0);
}

TEST_F(LotusDxlReader, MimeBodiesOfAnExportGiveTheirText) {
    const Read documents = FromFile(Fixture("mime.dxl"), LnKind::Notebook);
    ASSERT_TRUE(documents.ok) << documents.error;
    ASSERT_EQ(documents.got.documents.size(), 2u);
    EXPECT_EQ(documents.got.documents[0].subject, "Från hamnen");
    EXPECT_EQ(documents.got.documents[0].body, "Färjan går 07:10.\r\nVi ses på kajen.");
    EXPECT_EQ(documents.got.documents[1].body, "Tack för resan & välkommen åter!\r\nRad två");
    const Read entries = FromFile(Fixture("mime.dxl"), LnKind::Calendar);
    ASSERT_TRUE(entries.ok) << entries.error;
    ASSERT_EQ(entries.got.entries.size(), 1u);
    EXPECT_EQ(entries.got.entries[0].body, "Plats: kaj 3\r\nTa med biljetten.");
}

TEST_F(LotusDxlReader, SeriesInstancesNeitherTwiceNorLost) {
    const std::string parent = Doc("Appointment", "P1",
                                   Item("Subject", "<text>Weekly</text>") + Item("Repeats", "<text>1</text>") +
                                       Item("RepeatUnit", "<text>W</text>") + Item("RepeatAdjust", "<text>2</text>") +
                                       Item("StartDateTime", "<datetimelist>" + Dt("20260106T100000,00+01") +
                                                                 Dt("20260113T100000,00+01") + "</datetimelist>") +
                                       Item("EndDateTime", Dt("20260106T110000,00+01")));
    auto child = [](const std::string& unid, const std::string& ref, const std::string& start) {
        return Doc("Appointment", unid,
                   Item("Subject", "<text>Weekly (moved)</text>") + Item("$REF", "<text>" + ref + "</text>") +
                       Item("Repeats", "<text>1</text>") + Item("StartDateTime", Dt(start)));
    };
    // Before and after its parent: left out; without a parent: kept.
    const Read r =
        FromText(Database(child("C1", "P1", "20260113T120000,00+01") + parent +
                          child("C2", "P1", "20260106T120000,00+01") + child("C3", "GONE", "20260120T090000,00+01")),
                 LnKind::Calendar);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.got.entries.size(), 2u);
    EXPECT_EQ(r.got.entries[0].id, "P1");
    EXPECT_EQ(r.got.entries[0].repeatOn, "4");
    EXPECT_NEAR(r.got.entries[0].until, Local(2026, 1, 13), 1e-6);
    EXPECT_EQ(r.got.entries[1].id, "C3");
    EXPECT_EQ(r.got.entries[1].repeats, "");
    EXPECT_NEAR(r.got.entries[1].start, Local(2026, 1, 20, 9), 1e-6);
}

TEST_F(LotusDxlReader, ASeriesWithAnInstanceMovedInTimeComesAsItsDates) {
    // The parent lists every start as it is now; the second moved to noon.
    const Read r =
        FromText(Database(Doc("Appointment", "P2",
                              Item("Subject", "<text>Weekly</text>") + Item("Repeats", "<text>1</text>") +
                                  Item("RepeatUnit", "<text>W</text>") + Item("RepeatAdjust", "<text>2</text>") +
                                  Item("RepeatInstanceDates", "<datetimelist>" + Dt("20260106T100000,00+01") +
                                                                  Dt("20260113T100000,00+01") + "</datetimelist>") +
                                  Item("StartDateTime", "<datetimelist>" + Dt("20260106T100000,00+01") +
                                                            Dt("20260113T120000,00+01") + "</datetimelist>") +
                                  Item("EndDateTime", "<datetimelist>" + Dt("20260106T110000,00+01") +
                                                          Dt("20260113T130000,00+01") + "</datetimelist>"))),
                 LnKind::Calendar);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.got.entries.size(), 2u);
    EXPECT_NEAR(r.got.entries[1].start, Local(2026, 1, 13, 12), 1e-6);
    EXPECT_NEAR(r.got.entries[1].end, Local(2026, 1, 13, 13), 1e-6);
    EXPECT_EQ(r.got.entries[1].repeats, "");
}

TEST_F(LotusDxlReader, RulesTheDataFileCannotHoldBecomeOneEntryPerDate) {
    struct Case {
        const char* name;
        std::string unit, adjust, start;
        std::vector<std::string> dates;
        std::size_t entries;
        const char* expectUnit;
    };
    const Case cases[] = {
        {"two days of the month",
         "MD",
         "<textlist><text>1</text><text>15</text></textlist>",
         "20260101T090000,00+01",
         {"20260101T090000,00+01", "20260115T090000,00+01", "20260201T090000,00+01"},
         3,
         ""},
        {"a weekday of another week",
         "MP",
         "<text>4.5</text>",
         "20260130T090000,00+01",
         {"20260130T090000,00+01", "20260227T090000,00+01"},
         2,
         ""},
        {"weekdays moved by the zone",
         "W",
         "<text>1</text>",
         "20260105T200000,00-05",
         {"20260105T200000,00-05", "20260112T200000,00-05"},
         2,
         ""},
        {"dates without their time", "C", "", "20260105T090000,00+01", {"20260105", "20260107", "20260110"}, 3, ""},
        {"one date only", "C", "", "20260105T090000,00+01", {"20260105T090000,00+01"}, 1, ""},
        {"a rule without dates", "D", "", "20260105T090000,00+01", {}, 1, "D"},
        {"a deleted instance",
         "W",
         "<text>1</text>",
         "20260105T090000,00+01",
         {"20260105T090000,00+01", "20260119T090000,00+01", "20260126T090000,00+01"},
         3,
         ""},
        {"an instance moved to another day",
         "D",
         "",
         "20260105T090000,00+01",
         {"20260105T090000,00+01", "20260107T090000,00+01", "20260107T150000,00+01"},
         3,
         ""},
        {"every instance of its rule",
         "W",
         "<textlist><text>1</text><text>4</text></textlist>",
         "20260105T090000,00+01",
         {"20260105T090000,00+01", "20260108T090000,00+01", "20260112T090000,00+01", "20260115T090000,00+01"},
         1,
         "W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dates;
        for (const std::string& d : c.dates) dates += Dt(d);
        std::string items = Item("Subject", "<text>S</text>") + Item("Repeats", "<text>1</text>") +
                            Item("RepeatUnit", "<text>" + c.unit + "</text>") + Item("StartDateTime", Dt(c.start)) +
                            Item("EndDateTime", Dt(std::string(c.start).replace(9, 2, "23").substr(0, 15)));
        if (!c.adjust.empty()) items += Item("RepeatAdjust", c.adjust);
        if (!dates.empty()) items += Item("RepeatInstanceDates", "<datetimelist>" + dates + "</datetimelist>");
        const Read r = FromText(Database(Doc("Appointment", "S1", items)), LnKind::Calendar);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.entries.size(), c.entries);
        EXPECT_EQ(r.got.entries[0].unit, c.expectUnit);
        if (c.name == std::string("dates without their time")) {
            EXPECT_NEAR(r.got.entries[2].start, Local(2026, 1, 10, 9), 1e-6);
        }
    }
}

TEST_F(LotusDxlReader, SingleDocumentFilesEmptyDatabasesAndStrayContent) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t contacts;
    };
    const Case cases[] = {
        {"a single document",
         "<?xml version='1.0'?><document xmlns='http://www.lotus.com/dxl' form='Person'><noteinfo unid='X'/>"
         "<item name='LastName'><text>Solo</text></item></document>",
         1},
        {"an empty database", "<?xml version='1.0'?><database xmlns='http://www.lotus.com/dxl'/>", 0},
        {"a database without namespace", "<database><document form='Person'/></database>", 1},
        {"design notes and nested items",
         Database("<form name='Person'><item name='LastName'><text>Design</text></item></form>" +
                  Doc("Person", "D", Item("LastName", "<text>Real</text>"))),
         1},
        {"a form given as item only",
         Database("<document><noteinfo unid='F'/>" + Item("Form", "<text>Person</text>") + "</document>"), 1},
        {"an unbound prefix",
         Database("<document form='Person'><x:extra/>" + Item("LastName", "<text>Ok</text>") + "</document>"), 1},
        {"an internal entity left unexpanded",
         "<?xml version='1.0'?><!DOCTYPE database [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;&a;'>]>"
         "<database xmlns='http://www.lotus.com/dxl'><document form='Person'>"
         "<item name='LastName'><text>x&b;y</text></item></document></database>",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = FromText(c.text, LnKind::Contacts);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.contacts.size(), c.contacts);
        if (c.contacts && r.got.contacts[0].text.count(kLNLastName)) {
            EXPECT_NE(r.got.contacts[0].text.at(kLNLastName), "Design");
        }
    }
}

TEST_F(LotusDxlReader, AHugeValueIsCutAtACharacter) {
    std::string huge = "a";
    for (int i = 0; i < 800000; ++i) huge += "\xC3\x85";  // 1.6 MB of "Å"
    const Read r =
        FromText(Database(Doc("Person", "H", Item("LastName", "<text>" + huge + "</text>"))), LnKind::Contacts);
    ASSERT_TRUE(r.ok) << r.error;
    const std::string& kept = r.got.contacts.at(0).text.at(kLNLastName);
    EXPECT_LE(kept.size(), 1u << 20);
    EXPECT_GT(kept.size(), 1000000u);
    EXPECT_EQ(kept.substr(kept.size() - 2), "\xC3\x85");
}

TEST_F(LotusDxlReader, BrokenAndForeignFilesFailWithAMessage) {
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const std::string whole = Database(Doc("Person", "A", Item("LastName", "<text>Ek</text>")));
    const Case cases[] = {
        {"cut inside a document", whole.substr(0, whole.size() / 2), "damaged or cut short"},
        {"cut before the end", whole.substr(0, whole.size() - 4), "damaged or cut short"},
        {"unclosed element", Database("<document form='Person'><item name='x'><text>y</item></document>"),
         "damaged or cut short"},
        {"no XML", "BEGIN:VCARD\r\nFN:Bo\r\nEND:VCARD\r\n", "damaged or cut short"},
        {"binary", std::string("\0\x01\x02\xff", 4), "damaged or cut short"},
        {"XML but no DXL", "<?xml version='1.0'?><html><body>hi</body></html>", "no DXL export"},
        {"a foreign namespace", "<database xmlns='urn:other'/>", "no DXL export"},
        {"an empty text", "", "empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = FromText(c.text, LnKind::Contacts);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.message), std::string::npos) << r.error;
    }
    const Read missing = FromFile("/nonexistent/names.dxl", LnKind::Contacts);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("/nonexistent/names.dxl"), std::string::npos) << missing.error;
}

TEST_F(LotusDxlReader, AnExternalEntityIsNeverFetched) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("secret.txt"), "TOP-SECRET");
    const std::string text = "<?xml version='1.0'?><!DOCTYPE database [<!ENTITY s SYSTEM 'file://" +
                             dir.File("secret.txt") +
                             "'>]><database xmlns='http://www.lotus.com/dxl'><document form='Person'>"
                             "<item name='LastName'><text>a&s;b</text></item></document></database>";
    fwtest::WriteFile(dir.File("x.dxl"), text);
    for (const Read& r : {FromText(text, LnKind::Contacts), FromFile(dir.File("x.dxl"), LnKind::Contacts)}) {
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.contacts.size(), 1u);
        EXPECT_EQ(r.got.contacts[0].text.at(kLNLastName).find("SECRET"), std::string::npos);
    }
}

TEST_F(LotusDxlReader, ASinkThatEndsTheReadingEndsItAtOnce) {
    std::string docs;
    for (int i = 0; i < 10; ++i)
        docs += Doc(i % 2 ? "Memo" : "Task", "T" + std::to_string(i), Item("Subject", "<text>s</text>"));
    Read r;
    r.got.stopAfter = 3;  // after a to-do, a memo and a to-do
    r.ok = lotus_helper::ReadDxlText(Database(docs), LnKind::Tasks, r.got, r.error);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.got.todos.size(), 2u);
    EXPECT_EQ(r.got.proceeds, 3);
}

// The helper programs as the program runs them.
namespace {

template <class Bridge>
struct Peek : Bridge {
    using Bridge::ConvertRecord_;
    using Bridge::LoadRecFromFile_;
};

// The records of a data file with their common records.
template <class Bridge, class Comm>
struct Loaded {
    std::vector<std::unique_ptr<typename Bridge::RawRecord>> raw;
    std::vector<std::unique_ptr<Comm>> comm;
};

template <class Bridge, class Comm>
Loaded<Bridge, Comm> LoadDataFile(const std::string& path) {
    Loaded<Bridge, Comm> out;
    Peek<Bridge> bridge;
    CxFile file;
    if (!file.Open(path.c_str(), "rb")) return out;
    std::int32_t count = 0;
    file.ReadInt(count);
    for (std::int32_t i = 0; i < count && !file.HadShortRead(); ++i) {
        auto raw = std::make_unique<typename Bridge::RawRecord>();
        bridge.LoadRecFromFile_(file, *raw);
        auto comm = std::make_unique<Comm>();
        bridge.ConvertRecord_(*raw, *comm);
        out.raw.push_back(std::move(raw));
        out.comm.push_back(std::move(comm));
    }
    EXPECT_FALSE(file.HadShortRead()) << path;
    return out;
}

class LotusDxlHelper : public fwtest::LotusHelperRun {
protected:
    LotusDxlHelper() {
        zone = kLocalZone;
        idFile = "C:\\Notes\\Data\\user.id";
    }

    template <class Bridge, class Comm>
    Loaded<Bridge, Comm> Records(CxHelperKindId id, const std::string& database) {
        EXPECT_EQ(Run(id, database), 0) << LastError(id);
        return LoadDataFile<Bridge, Comm>(DataPath(id));
    }

    fwtest::ScopedTimeZone localZone{kLocalZone};
};

const CommDateRec* ByCommSubject(const Loaded<CxLNDateUtil, CommDateRec>& all, const char* subject) {
    for (const auto& c : all.comm)
        if (std::strcmp(c->Subject, subject) == 0) return c.get();
    return nullptr;
}

}  // namespace

TEST_F(LotusDxlHelper, TheFourHelpersReadTheirKindFromTheExports) {
    const auto contacts = Records<CxLNAddrUtil, CommAddrRec>(kHelperLNAddr, Fixture("names.dxl"));
    ASSERT_EQ(contacts.comm.size(), 3u);
    const CommAddrRec& asa = *contacts.comm[0];
    EXPECT_STREQ(asa.FirstName, "Åsa");
    EXPECT_STREQ(asa.Email, "asa@ferry.example");
    EXPECT_STREQ(asa.Email2, "asa@home.example");
    EXPECT_STREQ(asa.Email3, "asa@other.example");
    EXPECT_STREQ(asa.CustomValue[0], "asa.oberg@ferry.example");
    EXPECT_STREQ(asa.CustomValue[1], "asa2@home.example");
    EXPECT_STREQ(asa.WorkAddress.Street, "Hamnvägen 1\r\nBox 7");
    EXPECT_STREQ(asa.HomeAddress.City, "Stockholm");
    EXPECT_STREQ(asa.ChildrensNames, "Lisa, Nils");
    EXPECT_EQ(asa.Birthday, fwtest::OleDate(1980, 1, 2));
    EXPECT_STREQ(CxLNAddrUtil::GetFieldText(*contacts.raw[0], kLNBusinessEmail2), "asa.oberg@ferry.example");

    const auto entries = Records<CxLNDateUtil, CommDateRec>(kHelperLNDate, Fixture("mail.dxl"));
    ASSERT_EQ(entries.comm.size(), 13u);
    // Every second year, as a rule with its interval.
    const CommDateRec* tax = ByCommSubject(entries, "Tax day");
    ASSERT_NE(tax, nullptr);
    EXPECT_EQ(tax->Repeat.Type, CommRepeatYearlyByDate);
    EXPECT_EQ(tax->Repeat.Interval, 2);
    EXPECT_EQ(tax->Repeat.MonthOfYear, 4);
    EXPECT_EQ(tax->Repeat.DayOfMonth, 30);
    const CommDateRec* midsummer = ByCommSubject(entries, "Midsummer");
    ASSERT_NE(midsummer, nullptr);
    EXPECT_TRUE(midsummer->AllDay);
    EXPECT_EQ(fwtest::MinuteText(midsummer->End), "2026-06-21 00:00");
    const CommDateRec* gym = ByCommSubject(entries, "Gym");
    ASSERT_NE(gym, nullptr);
    EXPECT_EQ(gym->Repeat.Type, CommRepeatWeekly);
    EXPECT_EQ(gym->Repeat.DayOfWeekMask, 42);
    EXPECT_TRUE(gym->Repeat.HasEnd);
    EXPECT_EQ(fwtest::MinuteText(gym->Repeat.EndDate).substr(0, 10), "2026-03-13");
    const CommDateRec* board = ByCommSubject(entries, "Board meeting");
    EXPECT_EQ(board->Repeat.Type, CommRepeatMonthlyByDay);
    EXPECT_EQ(board->Repeat.Instance, 2);
    EXPECT_EQ(board->Repeat.DayOfWeekMask, 4);
    const CommDateRec* wedding = ByCommSubject(entries, "Wedding day");
    EXPECT_EQ(wedding->Repeat.Type, CommRepeatYearlyByDate);
    EXPECT_EQ(wedding->Repeat.MonthOfYear, 6);
    EXPECT_EQ(wedding->Repeat.DayOfMonth, 18);
    EXPECT_TRUE(wedding->AllDay);
    EXPECT_EQ(fwtest::MinuteText(ByCommSubject(entries, "Ferry meeting")->Start), "2026-01-15 15:00");
    EXPECT_TRUE(ByCommSubject(entries, "Ferry meeting")->Private);

    const auto todos = Records<CxLNTaskUtil, CommTaskRec>(kHelperLNTask, Fixture("mail.dxl"));
    ASSERT_EQ(todos.comm.size(), 3u);
    EXPECT_STREQ(todos.comm[0]->Subject, "Buy charts");
    EXPECT_FALSE(todos.comm[0]->Completed);
    EXPECT_EQ(todos.comm[0]->Priority, 1);
    EXPECT_TRUE(todos.comm[1]->Completed);
    EXPECT_EQ(todos.comm[1]->Priority, 2);
    EXPECT_FALSE(todos.comm[2]->Completed);

    const auto notes = Records<CxLNNoteUtil, CommNoteRec>(kHelperLNNote, Fixture("journal.dxl"));
    ASSERT_EQ(notes.comm.size(), 2u);
    EXPECT_STREQ(notes.comm[1]->Subject, "Idéer för sommaren");
    EXPECT_EQ(fwtest::ReadFile(dir.File("LNNoteStatus.dat")), "Done\r\n");
}

TEST_F(LotusDxlHelper, AFolderOfExportsIsReadFileByFile) {
    fwtest::TempDir folder;
    fwtest::WriteFile(folder.File("a.dxl"), fwtest::ReadFile(Fixture("names.dxl")));
    fwtest::WriteFile(folder.File("b.xml"),
                      "<document xmlns='http://www.lotus.com/dxl' form='Person'><noteinfo unid='B'/>"
                      "<item name='LastName'><text>Single</text></item></document>");
    fwtest::WriteFile(folder.File("c.txt"), "not read");
    const auto contacts = Records<CxLNAddrUtil, CommAddrRec>(kHelperLNAddr, folder.Path());
    ASSERT_EQ(contacts.comm.size(), 4u);
    EXPECT_STREQ(contacts.comm[3]->LastName, "Single");
}

TEST_F(LotusDxlHelper, DatabasesAndBrokenExportsFailWithTheirMessage) {
    EXPECT_EQ(Run(kHelperLNDate, "C:\\Notes\\Data\\mail\\aoberg.nsf"), 1);
    EXPECT_NE(LastError(kHelperLNDate).find("DXL Utilities"), std::string::npos) << LastError(kHelperLNDate);
    fwtest::WriteFile(dir.File("cut.dxl"), fwtest::ReadFile(Fixture("mail.dxl")).substr(0, 3000));
    EXPECT_EQ(Run(kHelperLNTask, dir.File("cut.dxl")), 1);
    EXPECT_NE(LastError(kHelperLNTask).find("damaged or cut short"), std::string::npos) << LastError(kHelperLNTask);
    EXPECT_EQ(fwtest::ReadFile(dir.File("LNTaskStatus.dat")), "Failed\r\n");
}

TEST_F(LotusDxlHelper, StopIsHonouredWithinASecond) {
    // A large mail file of memos only: the calendar helper reads on and
    // finds nothing while it is asked to stop.
    std::string memos;
    const std::string memo =
        "<document form='Memo'><noteinfo unid='M'/><item name='Subject'><text>Memo</text></item>"
        "<item name='Body'><richtext><par>Some text of a memo</par></richtext></item></document>\n";
    for (int i = 0; i < 400000; ++i) memos += memo;
    fwtest::WriteFile(dir.File("big.dxl"), Database(memos));
    memos.clear();
    const std::string control = dir.File(GetHelperKind(kHelperLNDate).controlFile);
    EXPECT_LT(fwtest::StopRunningHelper(Command(kHelperLNDate, dir.File("big.dxl")), control),
              std::chrono::milliseconds(1000));
    EXPECT_EQ(LastError(kHelperLNDate), "Reading from Lotus Notes was stopped.");
    EXPECT_EQ(platform::ReadProfileString(control, "Status", "Running").value_or(""), "0");
}

TEST_F(LotusDxlReader, RuleDaysAsTheProgramRepeatsThem) {
    struct Case {
        const char *name, *unit, *interval, *repeatOn;
        double start, until;
        std::vector<double> days;
    };
    const Case cases[] = {
        {"every second day",
         "D",
         "2",
         "",
         Local(2026, 1, 30, 9),
         Local(2026, 2, 5),
         {Local(2026, 1, 30), Local(2026, 2, 1), Local(2026, 2, 3), Local(2026, 2, 5)}},
        {"Monday and Friday every second week",
         "W",
         "2",
         "34",
         Local(2026, 1, 9, 9),
         Local(2026, 2, 2),
         {Local(2026, 1, 9), Local(2026, 1, 19), Local(2026, 1, 23), Local(2026, 2, 2)}},
        {"the 31st skips short months",
         "MD",
         "1",
         "31",
         Local(2026, 1, 31, 9),
         Local(2026, 5, 31),
         {Local(2026, 1, 31), Local(2026, 3, 31), Local(2026, 5, 31)}},
        {"the last Friday",
         "MP",
         "1",
         "32",
         Local(2026, 1, 30, 9),
         Local(2026, 3, 31),
         {Local(2026, 1, 30), Local(2026, 2, 27), Local(2026, 3, 27)}},
        {"every second month's second Tuesday",
         "MP",
         "2",
         "4",
         Local(2026, 1, 13, 9),
         Local(2026, 5, 31),
         {Local(2026, 1, 13), Local(2026, 3, 10), Local(2026, 5, 12)}},
        {"the 29th of February",
         "Y",
         "1",
         "",
         Local(2024, 2, 29),
         Local(2029, 1, 1),
         {Local(2024, 2, 29), Local(2028, 2, 29)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LnEntry e;
        e.repeats = "1";
        e.unit = c.unit;
        e.interval = c.interval;
        e.repeatOn = c.repeatOn;
        e.start = c.start;
        e.until = c.until;
        const auto days = lotus_helper::RuleDays(e, 100);
        ASSERT_TRUE(days.has_value());
        EXPECT_EQ(std::vector<double>(days->begin(), days->end()), c.days);
    }
    LnEntry endless;
    endless.repeats = "1";
    endless.unit = "D";
    endless.interval = "1";
    endless.start = Local(2026, 1, 1);
    EXPECT_FALSE(lotus_helper::RuleDays(endless, 100));
    endless.until = Local(2030, 1, 1);
    EXPECT_FALSE(lotus_helper::RuleDays(endless, 100));  // more days than asked for
    endless.unit = "C";
    EXPECT_FALSE(lotus_helper::RuleDays(endless, 100000));
}

TEST_F(LotusDxlReader, DeclaredEncodingsBecomeUtf8AndBrokenUtf8Fails) {
    auto person = [](const std::string& declaration, const std::string& lastName) {
        return "<?xml version='1.0'" + declaration + "?><document xmlns='http://www.lotus.com/dxl' form='Person'>" +
               "<item name='LastName'><text>" + lastName + "</text></item></document>";
    };
    for (const auto& [declaration, bytes] :
         {std::pair<std::string, std::string>{" encoding='windows-1252'", "\xC5land \x80"},
          {" encoding='ISO-8859-1'", "\xC5land"},
          {"", "\xC3\x85land"}}) {
        SCOPED_TRACE(declaration);
        const Read r = FromText(person(declaration, bytes), LnKind::Contacts);
        ASSERT_TRUE(r.ok) << r.error;
        ASSERT_EQ(r.got.contacts.size(), 1u);
        EXPECT_EQ(r.got.contacts[0].text.at(kLNLastName).substr(0, 6), "\xC3\x85land");
    }
    EXPECT_EQ(FromText(person(" encoding='windows-1252'", "\xC5land \x80"), LnKind::Contacts)
                  .got.contacts[0]
                  .text.at(kLNLastName),
              "\xC3\x85land \xE2\x82\xAC");
    const Read broken = FromText(person(" encoding='utf-8'", "\xC5land"), LnKind::Contacts);
    EXPECT_FALSE(broken.ok);
    EXPECT_NE(broken.error.find("damaged"), std::string::npos) << broken.error;
}
