// The Lotus Notes helpers on Notes' vCard and iCalendar exports: a vCard
// 2.1 address book written by hand as Notes writes it, a 3.0 one written by
// python3-vobject and iCalendar files written by python3-icalendar
// (tests/helpers/lotus_pim.py), read into records in process and by the
// helper programs as the program runs them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/bridge/CxHelperFiles.h"
#include "common/lotus/CxLNAddrFields.h"
#include "helpers/lotus/PimCalendar.h"
#include "helpers/lotus/PimExport.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/GoogleDataFiles.h"
#include "tests/support/LotusHelperRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimeZone.h"

namespace {

using namespace lotus_helper;
using fwtest::OleDate;

// Berlin's rules: the local time of every run.
constexpr const char* kLocalZone = "CET-1CEST,M3.5.0,M10.5.0/3";

std::string ExportPath(const char* name) { return fwtest::ExportsWrittenBy("lotus_pim.py") + name; }

// Every record a reader hands over; `limit` records, then it ends the reading.
struct Capture : LnRecordSink {
    std::vector<LnContact> contacts;
    std::vector<LnEntry> entries;
    std::vector<LnTodo> todos;
    std::vector<LnDocument> documents;
    std::size_t limit = 1000000;
    bool stop = false;  // "Stop" was chosen
    std::size_t Count() const { return contacts.size() + entries.size() + todos.size() + documents.size(); }
    bool Contact(const LnContact& r) override { return contacts.push_back(r), Count() < limit; }
    bool Entry(const LnEntry& r) override { return entries.push_back(r), Count() < limit; }
    bool Todo(const LnTodo& r) override { return todos.push_back(r), Count() < limit; }
    bool Document(const LnDocument& r) override { return documents.push_back(r), Count() < limit; }
    bool Proceed() override { return !stop; }
};

class LotusPim : public ::testing::Test {
protected:
    Capture ReadContacts(const std::string& text) {
        Capture c;
        std::string error;
        EXPECT_TRUE(ReadVCardExport(text, c, error)) << error;
        return c;
    }
    Capture ReadCalendar(const char* file, LnKind kind) {
        Capture c;
        std::string error;
        EXPECT_TRUE(ReadICalendarExport(fwtest::ReadFile(ExportPath(file)), kind, c, error)) << error;
        return c;
    }

    fwtest::ScopedTimeZone zone{kLocalZone};
};

std::string Field(const LnContact& c, int id) {
    const auto it = c.text.find(id);
    return it == c.text.end() ? std::string() : it->second;
}

int Addr(int street, int part) { return street + part; }

const LnContact* ById(const std::vector<LnContact>& all, const std::string& id) {
    for (const LnContact& c : all)
        if (Field(c, kLNID) == id) return &c;
    return nullptr;
}

TEST_F(LotusPim, NotesVCard21FillsTheCatalogueFields) {
    const Capture got = ReadContacts(fwtest::ReadFile(ExportPath("notes21.vcf")));
    ASSERT_EQ(got.contacts.size(), 2u);
    const LnContact* g = ById(got.contacts, "goran-1");
    ASSERT_NE(g, nullptr);
    const std::pair<int, const char*> fields[] = {
        {kLNFirstName, "Göran"},
        {kLNMiddleName, "Erik"},
        {kLNLastName, "Jönsson"},
        {kLNSuffix, "Jr."},
        {kLNDisplayName, "Göran Erik Jönsson"},
        {kLNCompanyName, "Färjebolaget AB"},
        {kLNDepartment, "Utveckling"},
        {kLNJobTitle, "Kapten"},
        {kLNAssistantName, "Stina"},
        {kLNManagerName, "Olle"},
        {kLNBusinessEmail, "goran@ferry.example"},
        {kLNPersonalEmail, "goran@home.example"},
        {kLNAssistantPhone, "goran.third@example.com"},  // the third e-mail
        {kLNBusinessEmail2, ""},                         // carried nowhere: not used
        {kLNPrimaryPhone, "+46 8 700"},
        {kLNBusinessPhone, "+46 8 100"},
        {kLNHomePhone, "+46 8 200"},
        {kLNMobilePhone, "+46 70 300"},
        {kLNBusinessFax, "+46 8 400"},
        {kLNHomeFax, "+46 8 500"},
        {kLNPager, "+46 74 600"},
        {Addr(kLNBusinessStreet, kLNAddrStreet), "Hamngatan 1\r\nKaj 4"},
        {Addr(kLNBusinessStreet, kLNAddrCity), "Göteborg"},
        {Addr(kLNBusinessStreet, kLNAddrState), "VG"},
        {Addr(kLNBusinessStreet, kLNAddrCountry), "Sverige"},
        {Addr(kLNBusinessStreet, kLNAddrPostal), "411 06"},
        {Addr(kLNHomeStreet, kLNAddrStreet), "Storgatan 2"},
        {Addr(kLNHomeStreet, kLNAddrCity), "Malmö"},
        {Addr(kLNOtherStreet, kLNAddrStreet), "Box 12"},
        {Addr(kLNOtherStreet, kLNAddrCity), "Lund"},
        {kLNWebSite, "https://ferry.example"},
        {kLNBlogSite, "https://blog.example/goran"},
        {kLNSpouseName, "Karin Jönsson"},  // no CHARSET and no UTF-8: windows-1252
    };
    for (const auto& [id, value] : fields) EXPECT_EQ(Field(*g, id), value) << "field " << id;
    // The fourth e-mail address finds no field: a custom value, not lost.
    EXPECT_EQ(g->customLabel[0], "Email");
    EXPECT_EQ(g->customValue[0], "goran.fourth@ferry.example");
    EXPECT_EQ(g->customValue[1], "");
    EXPECT_EQ(g->category, "Kunder, Segling");
    EXPECT_EQ(g->note, "Första raden\r\nAndra raden med en lång text som bryts mjukt");
    EXPECT_EQ(g->birthDate, OleDate(1970, 3, 4));
    EXPECT_EQ(g->anniversary, OleDate(1995, 6, 7));

    const LnContact* z = ById(got.contacts, "zoe-2");
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(Field(*z, kLNDisplayName), "Zo€ Café");
    EXPECT_EQ(Field(*z, kLNFirstName), "Zo€");
    EXPECT_EQ(Field(*z, kLNBusinessEmail), "zoe@example.com");  // untyped: the first free
}

TEST_F(LotusPim, VobjectVCard30WithFoldedLines) {
    const Capture got = ReadContacts(fwtest::ReadFile(ExportPath("notes30.vcf")));
    ASSERT_EQ(got.contacts.size(), 1u);
    const LnContact& a = got.contacts[0];
    EXPECT_EQ(Field(a, kLNID), "asa-3");
    EXPECT_EQ(Field(a, kLNFirstName), "Åsa");
    EXPECT_EQ(Field(a, kLNLastName), "Åberg");
    EXPECT_EQ(Field(a, kLNCompanyName), "Skärgårdsfärjor AB");
    EXPECT_EQ(Field(a, kLNDepartment), "Trafik");
    EXPECT_EQ(Field(a, kLNBusinessEmail), "asa@skargard.example");
    EXPECT_EQ(Field(a, kLNPersonalEmail), "asa@home.example");
    EXPECT_EQ(Field(a, kLNBusinessPhone), "+46 8 111");
    EXPECT_EQ(Field(a, kLNMobilePhone), "+46 70 222");
    EXPECT_EQ(Field(a, kLNBusinessStreet), "Strandvägen 7\r\nTrappa 2");
    EXPECT_EQ(Field(a, Addr(kLNBusinessStreet, kLNAddrPostal)), "114 56");
    EXPECT_EQ(a.birthDate, OleDate(1982, 11, 30));
    std::string note = "En lång anteckning ";
    for (int i = 0; i < 12; ++i) note += "som fortsätter ";
    EXPECT_EQ(a.note, note + "och slutar här.");
    EXPECT_EQ(a.category, "Kollegor");
}

TEST_F(LotusPim, EveryCharacterSetArrivesAsUtf8) {
    struct Case {
        const char* head;  // the parameters of the FN line
        std::string bytes;
        const char* utf8;
    };
    const Case cases[] = {
        {";CHARSET=ISO-8859-1", "J\xF6rg M\xFCller", "Jörg Müller"},
        {";CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE", "J=F6rg", "Jörg"},
        {";CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE", "=80 =93Zitat=94", "€ “Zitat”"},
        {";CHARSET=ISO-8859-15", "\xA4 \xBD", "€ œ"},
        {";CHARSET=Shift_JIS", "\x93\xFA\x96\x7B", "日本"},
        {";CHARSET=Shift_JIS", "\x95\x5C", "表"},  // a second byte that is a backslash
        {";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE", "Zo=C3=AB", "Zoë"},
        {"", "Caf\xE9 \x80 \x81", "Café € \xC2\x81"},  // no UTF-8: windows-1252, its gaps as ISO 8859-1
        {"", "Café", "Café"},                          // UTF-8 already
        {";CHARSET=X-UNKNOWN", "Café", "Café"},        // a set no one knows: UTF-8 kept
        {";CHARSET=X-UNKNOWN", "Caf\xE9", "Café"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head + std::string(" ") + c.utf8);
        const Capture got = ReadContacts("BEGIN:VCARD\r\nVERSION:2.1\r\nFN" + std::string(c.head) + ":" + c.bytes +
                                         "\r\nEND:VCARD\r\n");
        ASSERT_EQ(got.contacts.size(), 1u);
        EXPECT_EQ(Field(got.contacts[0], kLNDisplayName), c.utf8);
    }
}

TEST_F(LotusPim, ValuesWithoutAFieldBecomeCustomValuesThenNoteLines) {
    std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:Note\r\n";
    for (int i = 0; i < 14; ++i) card += "EMAIL;TYPE=WORK:w" + std::to_string(i) + "@example.com\r\n";
    card +=
        "item1.X-CUSTOM:38\r\nitem1.X-ABLabel:Shoe size\r\nRELATED;TYPE=child:Ida\r\nRELATED;TYPE=child:Max\r\n"
        "ADR;TYPE=HOME:;;A 1;X;;;\r\nADR;TYPE=HOME:;;B 2;Y;;;\r\nADR;TYPE=HOME:;;C 3;Z;;;\r\nADR;TYPE=HOME:;;D "
        "4;W;;;\r\n"
        "END:VCARD\r\n";
    const Capture got = ReadContacts(card);
    ASSERT_EQ(got.contacts.size(), 1u);
    const LnContact& c = got.contacts[0];
    EXPECT_EQ(Field(c, kLNBusinessEmail), "w0@example.com");
    EXPECT_EQ(Field(c, kLNPersonalEmail), "");  // a work address never takes the home field
    EXPECT_EQ(Field(c, kLNAssistantPhone), "w1@example.com");
    // Four home addresses: home, then the other and the work fields, the
    // last one after the e-mail addresses that came first.
    EXPECT_EQ(Field(c, kLNHomeStreet), "A 1");
    EXPECT_EQ(Field(c, kLNOtherStreet), "B 2");
    EXPECT_EQ(Field(c, kLNBusinessStreet), "C 3");
    EXPECT_EQ(Field(c, kLNChildrensNames), "Ida, Max");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(c.customLabel[static_cast<std::size_t>(i)], "Email");
        EXPECT_EQ(c.customValue[static_cast<std::size_t>(i)], "w" + std::to_string(i + 2) + "@example.com");
    }
    EXPECT_EQ(c.note,
              "Note\r\nEmail: w12@example.com\r\nEmail: w13@example.com\r\nAddress: D 4\r\nW\r\n"
              "Shoe size: 38");
}

TEST_F(LotusPim, EventsBecomeEntriesWithTheirRepeats) {
    const Capture got = ReadCalendar("mail.ics", LnKind::Calendar);
    EXPECT_TRUE(got.todos.empty());
    struct Expect {
        const char* subject;
        double start, end;
        const char* unit;
        const char* interval;
        const char* repeatOn;
        double until;  // the day of the last instance
    };
    const Expect expected[] = {
        {"Single", OleDate(2026, 3, 10, 9), OleDate(2026, 3, 10, 10), "", "", "", 0},
        {"New York call", OleDate(2026, 3, 10, 14), OleDate(2026, 3, 10, 15), "", "", "", 0},
        {"Conference", OleDate(2026, 3, 12), OleDate(2026, 3, 14), "", "", "", 0},
        {"Daily", OleDate(2026, 3, 2, 8), OleDate(2026, 3, 2, 8, 15), "D", "1", "", OleDate(2026, 3, 6)},
        {"Weekly MWF", OleDate(2026, 3, 2, 12), OleDate(2026, 3, 2, 13), "W", "1", "42", OleDate(2026, 4, 30)},
        {"Every weekday", OleDate(2026, 3, 2, 7, 30), OleDate(2026, 3, 2, 7, 45), "W", "1", "62", 0},
        {"Every other Tuesday", OleDate(2026, 3, 3, 15), OleDate(2026, 3, 3, 16), "W", "2", "4", 0},
        {"Monthly on the 15th", OleDate(2026, 3, 15, 10), OleDate(2026, 3, 15, 11), "MD", "1", "15",
         OleDate(2026, 8, 15)},
        {"Second Tuesday", OleDate(2026, 3, 10, 14), OleDate(2026, 3, 10, 15), "MP", "1", "4", 0},
        {"Anniversary", OleDate(2026, 5, 20, 18), OleDate(2026, 5, 20, 20), "Y", "1", "", 0},
        // The fourth Thursday of November: the same week every twelve months.
        {"Thanksgiving", OleDate(2026, 11, 26, 18), OleDate(2026, 11, 26, 20), "MP", "12", "16", 0},
        {"Doctor", OleDate(2026, 3, 11, 8), OleDate(2026, 3, 11, 9), "", "", "", 0},
        {"Daily (moved)", OleDate(2026, 3, 4, 11), OleDate(2026, 3, 4, 11, 15), "", "", "", 0},
        // Listed dates: the start, one more date; the moved and the excluded
        // ones are no entries of their own.
        {"Listed dates", OleDate(2026, 4, 7, 10), OleDate(2026, 4, 7, 11), "", "", "", 0},
        {"Listed dates", OleDate(2026, 4, 14, 10), OleDate(2026, 4, 14, 11), "", "", "", 0},
        {"Listed dates (moved)", OleDate(2026, 4, 28, 14), OleDate(2026, 4, 28, 15), "", "", "", 0},
    };
    ASSERT_EQ(got.entries.size(), std::size(expected));
    for (std::size_t i = 0; i < got.entries.size(); ++i) {
        const LnEntry& e = got.entries[i];
        const Expect& x = expected[i];
        SCOPED_TRACE(x.subject);
        EXPECT_EQ(e.subject, x.subject);
        EXPECT_NEAR(e.start, x.start, 1e-6);
        EXPECT_NEAR(e.end, x.end, 1e-6);
        EXPECT_EQ(e.displayStart, e.start);
        EXPECT_EQ(e.repeats, *x.unit ? "1" : "");
        EXPECT_EQ(e.unit, x.unit);
        EXPECT_EQ(e.interval, x.interval);
        EXPECT_EQ(e.repeatOn, x.repeatOn);
        EXPECT_NEAR(std::floor(e.until), x.until, 1e-6);
        EXPECT_EQ(e.isPrivate, std::string(x.subject) == "Doctor");
    }
    EXPECT_EQ(got.entries[0].id, "e-single");
    EXPECT_EQ(got.entries[0].location, "Bryggan");
    EXPECT_EQ(got.entries[0].body, "Rad ett\nRad två");
}

TEST_F(LotusPim, TodosAndJournalEntries) {
    const Capture got = ReadCalendar("mail.ics", LnKind::Tasks);
    EXPECT_TRUE(got.entries.empty());
    ASSERT_EQ(got.todos.size(), 4u);
    const LnTodo& open = got.todos[0];
    EXPECT_EQ(open.id, "t-open");
    EXPECT_EQ(open.subject, "Open to-do");
    EXPECT_EQ(open.body, "Ska göras");
    EXPECT_EQ(open.category, "Arbete, Båt");
    EXPECT_EQ(open.priority, 0);
    EXPECT_EQ(open.due, OleDate(2030, 6, 1));
    EXPECT_EQ(open.completed, 0.0);
    const LnTodo& done = got.todos[1];
    EXPECT_EQ(done.priority, 2);
    EXPECT_NEAR(done.completed, OleDate(2026, 2, 2, 11), 1e-6);
    const LnTodo& overdue = got.todos[2];
    EXPECT_EQ(overdue.priority, 1);
    EXPECT_TRUE(overdue.isPrivate);
    EXPECT_EQ(overdue.due, OleDate(2020, 1, 1));
    EXPECT_EQ(overdue.completed, 0.0);
    // Completed without a date: the time stamp says when.
    EXPECT_NEAR(got.todos[3].completed, OleDate(2026, 1, 7, 10, 30), 1e-6);

    const Capture notes = ReadCalendar("notebook.ics", LnKind::Notebook);
    ASSERT_EQ(notes.documents.size(), 2u);
    EXPECT_EQ(notes.documents[0].id, "j-1");
    EXPECT_EQ(notes.documents[0].subject, "Idéer");
    EXPECT_EQ(notes.documents[0].body, "Första idén\nAndra idén");
    // The categories, the diary date and the creation and edit times, for
    // the detail window.
    EXPECT_EQ(notes.documents[0].kept, "Sommar, Idéer");
    const double kept[] = {OleDate(2026, 2, 1), OleDate(2026, 1, 30, 8), OleDate(2026, 1, 31, 19, 45)};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(notes.documents[0].keptDates[i], kept[i], 1e-6) << i;
    EXPECT_EQ(notes.documents[1].keptDates[1], 0.0);
    EXPECT_EQ(notes.documents[1].subject, "Packlista");
    // Each kind reads its own components only; none of them is no error.
    EXPECT_EQ(ReadCalendar("mail.ics", LnKind::Notebook).Count(), 0u);
    EXPECT_EQ(ReadCalendar("notebook.ics", LnKind::Calendar).Count(), 0u);
    EXPECT_EQ(ReadCalendar("events.ics", LnKind::Tasks).Count(), 0u);
}

TEST_F(LotusPim, TodoStatusPriorityAndPartsTable) {
    struct Case {
        const char* lines;
        int priority;
        double completed;
    };
    const Case cases[] = {
        {"PRIORITY:4\r\n", 0, 0},
        {"PRIORITY:5\r\n", 1, 0},
        {"PRIORITY:6\r\n", 2, 0},
        {"PRIORITY:0\r\n", 1, 0},
        {"STATUS:COMPLETED\r\nLAST-MODIFIED:20260301T080000Z\r\nDTSTAMP:20260101T080000Z\r\n", 1,
         OleDate(2026, 3, 1, 9)},
        {"STATUS:COMPLETED\r\nDUE;VALUE=DATE:20250704\r\n", 1, OleDate(2025, 7, 4)},
        {"STATUS:NEEDS-ACTION\r\nDTSTAMP:20260101T080000Z\r\n", 1, 0},
    };
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (const Case& c : cases) text += std::string("BEGIN:VTODO\r\nSUMMARY:x\r\n") + c.lines + "END:VTODO\r\n";
    text += "END:VCALENDAR\r\n";
    // Read whole and read one to-do at a time give the same.
    for (std::size_t part : {std::size_t{1} << 20, std::size_t{1}}) {
        std::vector<LnTodo> todos;
        ASSERT_TRUE(ReadTodos(
            text, [&](const LnTodo& t) { return todos.push_back(t), true; }, {}, part));
        ASSERT_EQ(todos.size(), std::size(cases));
        for (std::size_t i = 0; i < todos.size(); ++i) {
            SCOPED_TRACE(cases[i].lines);
            EXPECT_EQ(todos[i].priority, cases[i].priority);
            EXPECT_NEAR(todos[i].completed, cases[i].completed, 1e-6);
        }
    }
}

TEST_F(LotusPim, TextsOfAnotherTypeAndStops) {
    Capture c;
    std::string error;
    EXPECT_FALSE(ReadVCardExport("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", c, error));
    EXPECT_NE(error.find("no vCard"), std::string::npos) << error;
    for (LnKind kind : {LnKind::Calendar, LnKind::Tasks, LnKind::Notebook}) {
        error.clear();
        EXPECT_FALSE(ReadICalendarExport("BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\n", kind, c, error));
        EXPECT_NE(error.find("no iCalendar"), std::string::npos) << error;
        EXPECT_FALSE(ReadICalendarExport("", kind, c, error));
    }
    EXPECT_EQ(c.Count(), 0u);
    // A sink that ends the reading ends it at once, with no message.
    for (LnKind kind : {LnKind::Calendar, LnKind::Tasks}) {
        Capture one;
        one.limit = 1;
        EXPECT_FALSE(ReadICalendarExport(fwtest::ReadFile(ExportPath("mail.ics")), kind, one, error));
        EXPECT_EQ(error, "");
        EXPECT_EQ(one.Count(), 1u);
    }
    // "Stop" ends a reading that finds none of its records too.
    for (LnKind kind : {LnKind::Calendar, LnKind::Tasks, LnKind::Notebook}) {
        Capture stopped;
        stopped.stop = true;
        EXPECT_FALSE(ReadICalendarExport(fwtest::ReadFile(ExportPath("events.ics")), kind, stopped, error));
        EXPECT_EQ(error, "");
    }
    Capture one;
    one.limit = 1;
    EXPECT_FALSE(ReadVCardExport(fwtest::ReadFile(ExportPath("notes21.vcf")), one, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(one.Count(), 1u);
}

// The helper programs as the program runs them.
class LotusPimHelper : public fwtest::LotusHelperRun {
protected:
    LotusPimHelper() { zone = kLocalZone; }

    struct Result {
        int status = -1;
        int count = -1;  // records in the data file
        std::string error, status_line;
    };

    Result Run(CxHelperKindId id, const std::string& database) {
        Result r;
        r.status = LotusHelperRun::Run(id, database);
        r.count = RecordCount(id);
        r.error = LastError(id);
        r.status_line = StatusLine(id);
        return r;
    }
};

TEST_F(LotusPimHelper, EachProgramReadsItsKindOfExport) {
    struct Case {
        CxHelperKindId id;
        const char* file;
        int count;
    };
    for (const Case& c : {Case{kHelperLNAddr, "notes21.vcf", 2}, Case{kHelperLNAddr, "notes30.vcf", 1},
                          Case{kHelperLNDate, "mail.ics", 16}, Case{kHelperLNTask, "mail.ics", 4},
                          Case{kHelperLNNote, "notebook.ics", 2}, Case{kHelperLNTask, "events.ics", 0},
                          Case{kHelperLNNote, "mail.ics", 0}}) {
        SCOPED_TRACE(c.file);
        const Result r = Run(c.id, ExportPath(c.file));
        EXPECT_EQ(r.status, 0) << r.error;
        EXPECT_EQ(r.count, c.count);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.status_line, "Done\r\n");
    }
    // A log line tells that the export holds none of the kind.
    EXPECT_NE(fwtest::ReadFile(dir.File("appdebug.log")).find("holds no notebook documents"), std::string::npos);
}

TEST_F(LotusPimHelper, AnExportOfTheWrongTypeIsAnError) {
    Result r = Run(kHelperLNDate, ExportPath("notes21.vcf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.error.find("is no export of a Lotus Notes mail database"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("iCalendar file (.ics)"), std::string::npos) << r.error;
    r = Run(kHelperLNAddr, ExportPath("mail.ics"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.error.find("address book"), std::string::npos) << r.error;
    // An .ics file that holds a vCard: the reader's message.
    const std::string wrong = dir.File("wrong.ics");
    fwtest::WriteFile(wrong, fwtest::ReadFile(ExportPath("notes21.vcf")));
    r = Run(kHelperLNTask, wrong);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.error.find("no iCalendar"), std::string::npos) << r.error;
}

}  // namespace
