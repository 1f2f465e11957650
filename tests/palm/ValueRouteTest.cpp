// Every value of a Palm contact reaches its common member or a labelled line
// of the note, in all three generations, read from files that the fixture
// writers make; values that do not fit are told and counted; dates keep
// their day in any time zone.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "common/palm/TdmMain.h"
#include "common/records/CommCutCount.h"
#include "tests/palm/PalmTestSupport.h"
#include "tests/support/TimeZone.h"
#include "tools/jetfixture/PalmTables.h"

namespace {

using jetfixture::PalmDatabase;
using jetfixture::PalmKind;
using jetfixture::PalmRecord;
using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

using Member = const char* (*)(const CommAddrRec&);
#define M(member) [](const CommAddrRec& r) -> const char* { return r.member; }

// Where a source value must arrive: a member, or (member null) a line
// "label: value" after the note.
struct Route {
    std::string field;  // column name (6.x) or position (.dat) as text
    std::string value;
    Member member;
    const char* label;
};

class ValueRouteTest : public palmtest::PalmTest {
protected:
    ValueRouteTest() { CommResetCutCounts(); }
    ~ValueRouteTest() override { TdmMain::Instance().CloseAll(); }

    std::string WriteDb(const PalmDatabase& db) {
        const std::string path = dir.File(jetfixture::PalmDatabaseFileName(db.Kind()));
        std::string error;
        EXPECT_TRUE(db.Write(path, error)) << error;
        return path;
    }

    // Checks every route against the contact, and that the note holds
    // nothing but the note and the labelled lines, in the routes' order.
    static void ExpectRoutes(const CommAddrRec& rec, const std::vector<Route>& routes, const std::string& note) {
        std::string expected = note;
        for (const Route& r : routes) {
            SCOPED_TRACE(r.field);
            if (r.member != nullptr) {
                EXPECT_EQ(std::string(r.member(rec)), r.value);
            } else {
                expected += (expected.empty() ? "" : "\r\n") + std::string(r.label) + ": " + r.value;
            }
        }
        EXPECT_EQ(std::string(rec.Note), expected);
    }

    template <class Set>
    static const typename Set::CommRec* First(Set& set) {
        return set.GetCommonList()->GetFirstRecord();
    }
};

// ---- Contacts, field by field ----

TEST_F(ValueRouteTest, Palm6ContactFieldsReachTheirMembersOrLabelledLines) {
    // Labels: work, fax, mobile, home, main, pager, other.
    const std::int64_t labels[7] = {0, 2, 7, 1, 5, 6, 3};
    const std::vector<Route> routes = {
        {"Prefix", "Dr.", M(Prefix), nullptr},
        {"First Name", "Zo\xC3\xAB", M(FirstName), nullptr},
        {"Middle Name", "Ann", M(MiddleName), nullptr},
        {"Last Name", "M\xC3\xBCller", M(LastName), nullptr},
        {"Suffix", "Jr.", M(Suffix), nullptr},
        {"NickName", "Zo", M(NickName), nullptr},
        {"English Name", "Zoe Mueller", M(DisplayName), nullptr},
        {"Profession", "Surgeon", M(Profession), nullptr},
        {"Company", "Ferrywise", M(Company), nullptr},
        {"Job Title", "Chief", M(Title), nullptr},
        {"Assistant Name", "Ola", M(AssistantName), nullptr},
        {"Assistant Phone", "555 0100", M(AssistantPhone), nullptr},
        {"Work Street", "1 Quay", M(WorkAddress.Street), nullptr},
        {"Work City", "Bergen", M(WorkAddress.City), nullptr},
        {"Work State", "VL", M(WorkAddress.State), nullptr},
        {"Work Zip", "5003", M(WorkAddress.PostalCode), nullptr},
        {"Work Country", "Norway", M(WorkAddress.Country), nullptr},
        {"Home Street", "2 Lane", M(HomeAddress.Street), nullptr},
        {"Home City", "Malm\xC3\xB6", M(HomeAddress.City), nullptr},
        {"Home State", "SK", M(HomeAddress.State), nullptr},
        {"Home Zip", "211 20", M(HomeAddress.PostalCode), nullptr},
        {"Home Country", "Sweden", M(HomeAddress.Country), nullptr},
        {"Other Street", "3 Road", M(OtherAddress.Street), nullptr},
        {"Other City", "Kiel", M(OtherAddress.City), nullptr},
        {"Other State", "SH", M(OtherAddress.State), nullptr},
        {"Other Zip", "24103", M(OtherAddress.PostalCode), nullptr},
        {"Other Country", "Germany", M(OtherAddress.Country), nullptr},
        {"Work Phone", "555 0001", M(WorkPhone), nullptr},
        {"Work Fax", "555 0002", M(WorkFax), nullptr},
        {"Work Mobile", "555 0003", M(MobilePhone), nullptr},
        {"Home Phone", "555 0004", M(HomePhone), nullptr},
        {"Home Fax", "555 0005", M(PrimaryPhone), nullptr},
        {"Home Mobile", "555 0006", M(Pager), nullptr},
        {"Other Phone", "555 0007", M(OtherPhone), nullptr},
        {"Work E-mail", "zoe@work.example", M(Email), nullptr},
        {"E-mail 1", "zoe@home.example", M(Email2), nullptr},
        {"E-mail 2", "ZOE@WORK.example", M(Email), nullptr},  // already held: not again
        {"E-mail 3", "zm@club.example", M(Email3), nullptr},
        {"Chat1", "zoe-aim", M(Im1), nullptr},
        {"Chat2", "zoe-msn", M(Im2), nullptr},
        {"Website", "https://zoe.example", M(PersonalHomePage), nullptr},
        {"Custom 1", "c1", M(CustomValue[0]), nullptr},
        {"Custom 4", "c4", M(CustomValue[3]), nullptr},
        {"Custom 5", "c5", M(CustomValue[4]), nullptr},
        {"Custom 10", "c10", M(CustomValue[9]), nullptr},
        // No member of their own, in this order after the note.
        {"Pager", "555 0008", nullptr, "Pager"},  // the pager slot holds another number
        {"Other Fax", "555 0009", nullptr, "Other Fax"},
        {"Other Mobile", "555 0010", nullptr, "Other Mobile"},
        {"Custom 11", "c11", nullptr, "Custom 11"},
        {"Custom 12", "c12", nullptr, "Custom 12"},
        {"Custom 13", "c13", nullptr, "Custom 13"},
        {"Custom 14", "c14", nullptr, "Custom 14"},
        {"First Yomi", "zo", nullptr, "First Yomi"},
        {"Last Yomi", "myu", nullptr, "Last Yomi"},
        {"Company Yomi", "feri", nullptr, "Company Yomi"},
    };
    PalmDatabase db(PalmKind::Contacts);
    db.AddCategory({4, "Caf\xC3\xA9", 0, 0});
    PalmRecord record{
        {"Record ID", std::int64_t{17}}, {"Category", std::int64_t{4}}, {"Note", std::string("Likes tea.")}};
    for (int i = 0; i < 7; ++i) record.push_back({"Phone Label" + std::to_string(i + 1), labels[i]});
    for (const Route& r : routes) record.push_back({r.field, r.value});
    std::string error;
    ASSERT_TRUE(db.AddRecord(record, error)) << error;
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(WriteDb(db).c_str()));
    const CommAddrRec& rec = *First(set);
    std::vector<Route> expected = routes;
    for (Route& r : expected)
        if (r.field == "E-mail 2") r.value = "zoe@work.example";  // Email keeps the first spelling
    ExpectRoutes(rec, expected, "Likes tea.");
    EXPECT_STREQ(rec.Category, "Caf\xC3\xA9");
    EXPECT_EQ(CommGetCutCount(CommKindAddr), 0u);
}

TEST_F(ValueRouteTest, Palm6ContactEmailSlotsAndRepeatedLabels) {
    PalmDatabase db(PalmKind::Contacts);
    std::string error;
    // An e-mail in a phone slot, the same address in "E-mail 1", two work
    // phones, two faxes and an unknown label.
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{5}},
                              {"Work Phone", std::string("a@x.example")},
                              {"Phone Label1", std::int64_t{4}},
                              {"Work Fax", std::string("111")},
                              {"Phone Label2", std::int64_t{2}},
                              {"Work Mobile", std::string("222")},
                              {"Phone Label3", std::int64_t{2}},
                              {"Home Phone", std::string("333")},
                              {"Phone Label4", std::int64_t{0}},
                              {"Home Fax", std::string("444")},
                              {"Phone Label5", std::int64_t{0}},
                              {"Home Mobile", std::string("555")},
                              {"Phone Label6", std::int64_t{12}},
                              {"E-mail 1", std::string("A@X.example")},
                              {"Pager", std::string("666")}},
                             error))
        << error;
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(WriteDb(db).c_str()));
    const CommAddrRec& rec = *First(set);
    EXPECT_STREQ(rec.Email, "a@x.example");
    EXPECT_STREQ(rec.Email2, "");
    EXPECT_STREQ(rec.WorkFax, "222");     // the later fax takes the member
    EXPECT_STREQ(rec.WorkPhone, "444");   // the later work phone too ...
    EXPECT_STREQ(rec.WorkPhone2, "333");  // ... and the earlier one moves on
    EXPECT_STREQ(rec.Pager, "666");       // no slot had the pager label
    EXPECT_EQ(std::string(rec.Note), "Fax: 111\r\nWork Phone: 555");
}

TEST_F(ValueRouteTest, Palm414ContactPositionsReachTheirMembersOrLabelledLines) {
    struct Pos {
        int position;
        std::string value;
        Member member;
    };
    const std::vector<Pos> texts = {
        {13, "Zo\xEB", M(FirstName)},  // windows-1252 in the file
        {14, "Berg", M(LastName)},
        {15, "Chief", M(Title)},
        {16, "Ferrywise", M(Company)},
        {33, "c1", M(CustomValue[0])},
        {41, "c9", M(CustomValue[8])},
        {43, "1 Quay", M(WorkAddress.Street)},
        {44, "Bergen", M(WorkAddress.City)},
        {45, "VL", M(WorkAddress.State)},
        {46, "5003", M(WorkAddress.PostalCode)},
        {47, "Norway", M(WorkAddress.Country)},
        {49, "2 Lane", M(HomeAddress.Street)},
        {53, "Sweden", M(HomeAddress.Country)},
        {55, "3 Road", M(OtherAddress.Street)},
        {59, "Germany", M(OtherAddress.Country)},
        {60, "zoe-aim", M(Im1)},
        {61, "zoe-yahoo", M(Im2)},
        {64, "https://zoe.example", M(PersonalHomePage)},
    };
    // Phone slots 19 to 25 with their labels at 26 to 32.
    const std::vector<std::pair<std::int32_t, Member>> phones = {
        {0, M(WorkPhone)}, {1, M(HomePhone)}, {2, M(WorkFax)},     {3, M(OtherPhone)},
        {4, M(Email)},     {6, M(Pager)},     {7, M(MobilePhone)},
    };
    palmdat::DatFile f = palmdat::NewFile(Kind::Address, Format::V414);
    f.categories = {{1, 9, 0, "Kunden", ""}};
    palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::V414);
    r[0] = Value::Long(31);
    r[5] = Value::Long(9);
    r[18] = Value::Text("Line one\r\nLine two");
    for (const Pos& p : texts) r[p.position] = Value::Text(p.value);
    for (std::size_t i = 0; i < phones.size(); ++i) {
        r[19 + i] = Value::Text("p" + std::to_string(i));
        r[26 + i] = Value::Long(phones[i].first);
    }
    r[62] = Value::Long(1);
    r[63] = Value::Long(3);
    f.records.push_back(r);
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(Write(f).c_str()));
    const CommAddrRec& rec = *First(set);
    for (const Pos& p : texts) {
        SCOPED_TRACE(p.position);
        EXPECT_EQ(std::string(p.member(rec)), p.position == 13 ? "Zo\xC3\xAB" : p.value);
    }
    for (std::size_t i = 0; i < phones.size(); ++i)
        EXPECT_EQ(std::string(phones[i].second(rec)), "p" + std::to_string(i)) << phones[i].first;
    EXPECT_STREQ(rec.Category, "Kunden");
    EXPECT_STREQ(rec.Note, "Line one\r\nLine two");
}

TEST_F(ValueRouteTest, EarlierContactPositionsReachTheirMembers) {
    palmdat::DatFile f = palmdat::NewFile(Kind::Address, Format::Earlier);
    palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::Earlier);
    r[0] = Value::Long(3);
    r[3] = Value::Text("Berg");
    r[4] = Value::Text("Zoe");
    r[5] = Value::Text("Chief");
    r[6] = Value::Text("Ferrywise");
    // Slots: main, work, work, an unknown label, home.
    const std::int32_t labels[5] = {5, 0, 0, 9, 1};
    for (int i = 0; i < 5; ++i) {
        r[7 + 2 * i] = Value::Long(labels[i]);
        r[8 + 2 * i] = Value::Text("p" + std::to_string(i));
    }
    for (int i = 0; i < 5; ++i) r[17 + i] = Value::Text("a" + std::to_string(i));
    r[22] = Value::Text("Note");
    for (int i = 0; i < 4; ++i) r[25 + i] = Value::Text("c" + std::to_string(i + 1));
    f.records.push_back(r);
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(Write(f).c_str()));
    const CommAddrRec& rec = *First(set);
    EXPECT_STREQ(rec.LastName, "Berg");
    EXPECT_STREQ(rec.FirstName, "Zoe");
    EXPECT_STREQ(rec.Title, "Chief");
    EXPECT_STREQ(rec.Company, "Ferrywise");
    EXPECT_STREQ(rec.PrimaryPhone, "p0");
    EXPECT_STREQ(rec.WorkPhone, "p2");
    EXPECT_STREQ(rec.WorkPhone2, "p1");
    EXPECT_STREQ(rec.HomePhone, "p4");
    EXPECT_STREQ(rec.WorkAddress.Street, "a0");
    EXPECT_STREQ(rec.WorkAddress.Country, "a4");
    EXPECT_STREQ(rec.CustomValue[3], "c4");
    EXPECT_EQ(std::string(rec.Note), "Note\r\nWork Phone: p3");  // an unknown label reads "Work Phone"
}

TEST_F(ValueRouteTest, AnUnchangedContactGivesTheSameNoteEveryTime) {
    PalmDatabase db(PalmKind::Contacts);
    std::string error;
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{8}},
                              {"Custom 12", std::string("twelve")},
                              {"Other Fax", std::string("1")},
                              {"Note", std::string("n")}},
                             error));
    const std::string path = WriteDb(db);
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(path.c_str()));
    const std::string first = First(set)->Note;
    ASSERT_TRUE(set.LoadByFile(path.c_str()));
    EXPECT_EQ(std::string(First(set)->Note), first);
    EXPECT_EQ(first, "n\r\nOther Fax: 1\r\nCustom 12: twelve");
}

// ---- Values that do not fit ----

TEST_F(ValueRouteTest, LongValuesAreToldAndCountedOnce) {
    PalmDatabase db(PalmKind::Contacts);
    db.AddCategory({9, std::string(80, 'k'), 0, 0});
    std::string error;
    std::string accents;
    for (int i = 0; i < 20; ++i) accents += "\xC3\xA9";  // 40 bytes
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{17}},
                              {"Note", std::string(10000, 'n')},
                              {"Work Phone", accents},
                              {"Phone Label1", std::int64_t{0}},
                              {"Company", std::string(100, 'c')},
                              {"Category", std::int64_t{9}},
                              {"First Name", std::string("Kurz")}},
                             error))
        << error;
    ClearLog();
    PmAddrInfo set;
    ASSERT_TRUE(set.LoadByFile(WriteDb(db).c_str()));
    const CommAddrRec& rec = *First(set);
    EXPECT_EQ(std::string(rec.Note), std::string(8191, 'n'));
    EXPECT_EQ(std::string(rec.WorkPhone), accents.substr(0, 22));  // whole characters only
    EXPECT_EQ(std::string(rec.Company), std::string(63, 'c'));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 17, field \"Note\", 10000 bytes cut to 8191.", true));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 17, field \"Work Phone\", 40 bytes cut to 22.", true));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 17, field \"Company\", 100 bytes cut to 63.", true));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 17, field \"Category\", 80 bytes cut to 63.", true));
    EXPECT_EQ(std::string(rec.Category), std::string(63, 'k'));
    EXPECT_EQ(CommGetCutCount(CommKindAddr), 4u);
    EXPECT_EQ(CommGetCutCount(CommKindNote), 0u);
    CommResetCutCounts();
    EXPECT_EQ(CommGetCutCount(CommKindAddr), 0u);

    // A .dat value cut by the reader and again by the conversion counts once.
    palmdat::DatFile f = palmdat::NewFile(Kind::Address, Format::V414);
    palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::V414);
    r[0] = Value::Long(4);
    r[16] = Value::Text(std::string(300, 'k'), true);
    f.records.push_back(r);
    ClearLog();
    ASSERT_TRUE(set.LoadByFile(Write(f).c_str()));
    EXPECT_EQ(std::string(First(set)->Company), std::string(63, 'k'));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 4, field \"Company\", 300 bytes cut to 255.", true));
    EXPECT_TRUE(Logged("Value shortened: Palm contact 4, field \"Company\", 255 bytes cut to 63.", true));
    EXPECT_EQ(CommGetCutCount(CommKindAddr), 1u);
}

TEST_F(ValueRouteTest, LongMemosKeepWhatTheNoteHolds) {
    std::string text = "Title\r\n";
    while (text.size() < 70000) text += "Eine Zeile mit \xC3\xA4\xC3\xB6\xC3\xBC. ";
    PalmDatabase db(PalmKind::Memos);
    std::string error;
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{40}}, {"Note", text}}, error)) << error;
    PmMemoInfo memos;
    ASSERT_TRUE(memos.LoadByFile(WriteDb(db).c_str()));
    const CommNoteRec& note = *First(memos);
    const std::size_t kept = std::string(note.Note).size();
    EXPECT_GE(kept, sizeof note.Note - 4);  // all but a split character
    EXPECT_EQ(std::string(note.Note), text.substr(0, kept));
    EXPECT_STREQ(note.Subject, "Title");
    EXPECT_EQ(CommGetCutCount(CommKindNote), 1u);

    // A 4.1.4 memo longer than the old text limit of the reader.
    CommResetCutCounts();
    palmdat::DatFile f = palmdat::NewFile(Kind::Memo, Format::V414);
    palmdat::Record r = palmdat::NewRecord(Kind::Memo, Format::V414);
    r[0] = Value::Long(41);
    r[13] = Value::Text(std::string(15000, 'm'), true);
    f.records.push_back(r);
    ASSERT_TRUE(memos.LoadByFile(Write(f).c_str()));
    EXPECT_EQ(std::string(First(memos)->Note), std::string(15000, 'm'));
    EXPECT_EQ(CommGetCutCount(CommKindNote), 0u);
}

// ---- Dates ----

using palmtest::LocalSeconds;

constexpr std::int32_t kUtcMidnight20240310 = 1710028800;  // 2024-03-10 00:00 UTC

TEST_F(ValueRouteTest, EventsKeepTheirDayAndWallClockInEveryZone) {
    for (const char* zone : {fwtest::kUtcZone, fwtest::kNewYorkZone, fwtest::kTokyoZone}) {
        SCOPED_TRACE(zone);
        fwtest::ScopedTimeZone use(zone);
        struct Event {
            bool untimed;
            std::int32_t start, end;
        };
        // 10 March 2024 is the day daylight saving time begins in New York.
        const Event events[] = {
            {true, LocalSeconds(2024, 3, 10), LocalSeconds(2024, 3, 10)},  // as Palm Desktop writes it here
            {true, kUtcMidnight20240310, kUtcMidnight20240310},            // a date alone
            {false, LocalSeconds(2024, 3, 10, 9, 30), LocalSeconds(2024, 3, 10, 11, 0)},
        };
        for (int generation : {kPmGenEarly, kPmGenEx, kPmGenEx2}) {
            SCOPED_TRACE(generation);
            PmDateInfo calendar;
            if (generation == kPmGenEx2) {
                PalmDatabase db(PalmKind::Calendar);
                std::string error;
                for (std::size_t i = 0; i < std::size(events); ++i)
                    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t(i + 1)},
                                              {"Start Time", std::int64_t{events[i].start}},
                                              {"End Time", std::int64_t{events[i].end}},
                                              {"Untimed", events[i].untimed}},
                                             error));
                ASSERT_TRUE(calendar.LoadByFile(WriteDb(db).c_str()));
            } else {
                const Format format = generation == kPmGenEx ? Format::V414 : Format::Earlier;
                const int startPos = generation == kPmGenEx ? 13 : 3, untimedPos = generation == kPmGenEx ? 18 : 8;
                palmdat::DatFile f = palmdat::NewFile(Kind::Datebook, format);
                for (std::size_t i = 0; i < std::size(events); ++i) {
                    palmdat::Record r = palmdat::NewRecord(Kind::Datebook, format);
                    r[0] = Value::Long(static_cast<std::int32_t>(i + 1));
                    r[startPos] = Value::Long(events[i].start, 3);
                    r[startPos + 1] = Value::Long(events[i].end, 3);
                    r[untimedPos] = Value::Long(events[i].untimed ? 1 : 0, 6);
                    f.records.push_back(r);
                }
                ASSERT_TRUE(calendar.LoadByFile(Write(f).c_str()));
            }
            ASSERT_EQ(calendar.GetCommonList()->GetRecordCount(), 3u);
            const CommDateRec* rec = calendar.GetCommonList()->GetFirstRecord();
            for (int i = 0; i < 2; ++i, rec = calendar.GetCommonList()->GetNextRecord()) {
                SCOPED_TRACE(i);
                EXPECT_EQ(rec->AllDay, 1);
                EXPECT_EQ(rec->Start.wMonth * 100 + rec->Start.wDay, 310);
                EXPECT_EQ(rec->Start.wHour * 60 + rec->Start.wMinute, 0);
                EXPECT_EQ(rec->Start.wDayOfWeek, 0);  // a Sunday
                EXPECT_EQ(rec->End.wMonth * 100 + rec->End.wDay, 311);
                EXPECT_EQ(rec->End.wHour * 60 + rec->End.wMinute, 0);
            }
            EXPECT_EQ(rec->AllDay, 0);
            EXPECT_EQ(rec->Start.wDay, 10);
            EXPECT_EQ(rec->Start.wHour * 100 + rec->Start.wMinute, 930);
            EXPECT_EQ(rec->End.wHour * 100 + rec->End.wMinute, 1100);
        }
    }
}

TEST_F(ValueRouteTest, UndatedToDosHaveNoDueDateAndDatedOnesKeepTheirDay) {
    for (const char* zone : {fwtest::kUtcZone, fwtest::kNewYorkZone, fwtest::kTokyoZone}) {
        SCOPED_TRACE(zone);
        fwtest::ScopedTimeZone use(zone);
        // Palm's "no date" (0xFFFFFFFF), 0, local midnight and a date alone.
        const std::int32_t dues[] = {-1, 0, LocalSeconds(2024, 3, 10), kUtcMidnight20240310};
        const std::int32_t wanted[] = {0, 0, LocalSeconds(2024, 3, 10), LocalSeconds(2024, 3, 10)};
        for (int generation : {kPmGenEarly, kPmGenEx, kPmGenEx2}) {
            SCOPED_TRACE(generation);
            PmTodoInfo tasks;
            if (generation == kPmGenEx2) {
                PalmDatabase db(PalmKind::Tasks);
                std::string error;
                for (std::size_t i = 0; i < std::size(dues); ++i)
                    ASSERT_TRUE(
                        db.AddRecord({{"Record ID", std::int64_t(i + 1)}, {"Due Date", std::int64_t{dues[i]}}}, error));
                ASSERT_TRUE(tasks.LoadByFile(WriteDb(db).c_str()));
            } else {
                const Format format = generation == kPmGenEx ? Format::V414 : Format::Earlier;
                palmdat::DatFile f = palmdat::NewFile(Kind::Todo, format);
                for (std::size_t i = 0; i < std::size(dues); ++i) {
                    palmdat::Record r = palmdat::NewRecord(Kind::Todo, format);
                    r[0] = Value::Long(static_cast<std::int32_t>(i + 1));
                    r[generation == kPmGenEx ? 14 : 4] = Value::Long(dues[i], 3);
                    f.records.push_back(r);
                }
                ASSERT_TRUE(tasks.LoadByFile(Write(f).c_str()));
            }
            ASSERT_EQ(tasks.GetCommonList()->GetRecordCount(), std::size(dues));
            int i = 0;
            for (const CommTaskRec* rec = tasks.GetCommonList()->GetFirstRecord(); rec != nullptr;
                 rec = tasks.GetCommonList()->GetNextRecord(), ++i)
                EXPECT_EQ(rec->DueDate, wanted[i]) << i;
        }
    }
}

}  // namespace
