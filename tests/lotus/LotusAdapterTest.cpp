// The Lotus Notes bridges over data files in the helpers' layout: the
// contact field catalogue and its compact record, the four conversions
// (with the weekday of the month of a monthly entry and the all-day entry),
// the custom field map, the parameter files, the debug-log lines of a load
// and its failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>

#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "helpers/exchange/HelperParams.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/LotusRecords.h"

namespace {

using fwtest::LnContact;
using fwtest::LnDocument;
using fwtest::LnEntry;
using fwtest::LnTodo;
using fwtest::OleDate;

// The id of an address part.
constexpr int Addr(int streetId, int part) { return streetId + part; }

struct LnLoad : fwtest::BridgeFixture {
    std::string source = folder + "source";
    fwtest::ScopedEnv copyFrom{"FWTH_SOURCE", source};
    fwtest::ScopedEnv wine{"WINEPREFIX", folder + "wine"};

    LnLoad() { platform::EnsureFolderTree(source); }

    template <class Bridge>
    std::unique_ptr<Bridge> Make() {
        auto b = std::make_unique<Bridge>();
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetDatabaseName("Primary1/Org1!!mail/aberg.nsf");
        b->SetIdFile("C:\\Notes\\Data\\user.id");
        return b;
    }
    // Writes the records into the kind's data file, which the test helper
    // hands over, and loads them.
    template <class Bridge, class Rec>
    std::unique_ptr<Bridge> Load(const std::vector<Rec>& records, const char* file,
                                 std::initializer_list<std::pair<int, int>> map = {}) {
        EXPECT_TRUE(fwtest::WriteLotusFile(source + "/" + file, records));
        auto b = Make<Bridge>();
        if constexpr (std::is_same_v<Bridge, CxLNAddrUtil>) {
            for (auto [slot, id] : map) EXPECT_TRUE(b->SetCustomFieldMap(slot, id));
        }
        EXPECT_TRUE(b->Load()) << b->GetErrorText();
        return b;
    }
    std::unique_ptr<CxLNDateUtil> LoadEntries(const std::vector<LnEntry>& e) {
        return Load<CxLNDateUtil>(e, "LNDate.dat");
    }
};

// A timed entry on a day, an hour long.
LnEntry Entry(const std::string& subject, int y, int mo, int d, int h = 9) {
    LnEntry e;
    e.subject = subject;
    e.start = e.displayStart = OleDate(y, mo, d, h);
    e.end = e.displayEnd = OleDate(y, mo, d, h + 1);
    return e;
}

}  // namespace

TEST(LnCatalogue, FiftyFourFieldsWithTheirKindsCapacitiesAndLookups) {
    ASSERT_EQ(CxLNAddrUtil::GetFieldCount(), 54);
    std::size_t plainBytes = 0;
    int dates = 0;
    for (int i = 0; i < 54; ++i) {
        const LNFieldInfo* f = CxLNAddrUtil::GetFieldInfo(i);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->FieldID, i + 1);
        EXPECT_EQ(CxLNAddrUtil::GetFieldID(i), i + 1);
        EXPECT_EQ(CxLNAddrUtil::FindFieldInfo(i + 1), f);
        EXPECT_STREQ(CxLNAddrUtil::GetFieldLabel(i), f->Label);
        EXPECT_LE(std::strlen(f->Label), 31u);
        if (f->FieldID <= kLNLastPlainField) {
            EXPECT_EQ(LNAddrFieldOffset(f->FieldID), static_cast<int>(plainBytes));
            plainBytes += static_cast<std::size_t>(f->Size);
        } else {
            EXPECT_EQ(LNAddrFieldOffset(f->FieldID), -1);
        }
        dates += f->Kind == kLNFieldDate;
        EXPECT_TRUE(f->Kind == kLNFieldText || (f->Kind == kLNFieldDate && f->Size == 8)) << f->Label;
    }
    EXPECT_EQ(dates, 2);
    EXPECT_EQ(plainBytes, kLNAddrFieldBytes);

    const struct {
        int id;
        const char* label;
        int kind, size;
    } samples[] = {{1, "ID", 1, 64},
                   {3, "Middle Name / Initial", 1, 64},
                   {6, "Display Name", 1, 256},
                   {15, "Assistant Phone", 1, 128},
                   {16, "Business Email 2", 1, 128},
                   {18, "Business Street", 1, 256},
                   {22, "Business Postal", 1, 32},
                   {23, "Home Street", 1, 256},
                   {31, "Other Country", 1, 32},
                   {39, "Pager", 1, 32},
                   {40, "Instant Messenger", 1, 64},
                   {44, "Children's Names", 1, 256},
                   {45, "Custom Field 1", 1, 256},
                   {50, "Custom Label 3", 1, 64},
                   {51, "Note", 1, 4096},
                   {52, "Category", 1, 256},
                   {53, "Birth Date", 6, 8},
                   {54, "Anniversary", 6, 8}};
    for (const auto& s : samples) {
        const LNFieldInfo* f = CxLNAddrUtil::FindFieldInfo(s.id);
        ASSERT_NE(f, nullptr) << s.id;
        EXPECT_STREQ(f->Label, s.label);
        EXPECT_EQ(f->Kind, s.kind) << s.label;
        EXPECT_EQ(f->Size, s.size) << s.label;
    }
    for (int bad : {-1, 54, 1000}) {
        EXPECT_EQ(CxLNAddrUtil::GetFieldInfo(bad), nullptr);
        EXPECT_EQ(CxLNAddrUtil::GetFieldID(bad), 0);
        EXPECT_STREQ(CxLNAddrUtil::GetFieldLabel(bad), "N/A");
    }
    for (int bad : {0, 55, -5}) EXPECT_EQ(CxLNAddrUtil::FindFieldInfo(bad), nullptr);
}

// Every field of the record keeps its own value: a shifted or mis-sized
// field would hand its neighbour's bytes to the conversion.
TEST_F(LnLoad, EachContactFieldReadsItsOwnValueCutToItsCapacity) {
    LnContact c;
    for (int id = 1; id <= kLNLastPlainField; ++id)
        c.text[id] = "F" + std::to_string(id) + std::string(300, static_cast<char>('a' + id % 26));
    c.note = std::string(5000, 'n');
    c.category = std::string(300, 'c');
    for (int i = 0; i < 10; ++i) {
        c.customValue[i] = "V" + std::to_string(i) + std::string(300, 'v');
        c.customLabel[i] = "L" + std::to_string(i) + std::string(100, 'l');
    }
    c.birthDate = OleDate(1970, 2, 14);
    c.anniversary = OleDate(1999, 6, 1);
    auto b = Load<CxLNAddrUtil>(std::vector<LnContact>{c, LnContact{}}, "LNAddr.dat");
    ASSERT_EQ(b->GetRecordCount(), 2u);
    const LNAddrRec& r = *b->GetRecordAt(0);
    for (int id = 1; id <= kLNLastPlainField; ++id) {
        const LNFieldInfo* f = CxLNAddrUtil::FindFieldInfo(id);
        int size = 0;
        ASSERT_NE(CxLNAddrUtil::GetFieldValue(r, id, &size), nullptr);
        EXPECT_EQ(size, f->Size);
        EXPECT_EQ(CxLNAddrUtil::GetFieldText(r, id), c.text[id].substr(0, static_cast<std::size_t>(f->Size - 1)))
            << f->Label;
    }
    EXPECT_EQ(std::string(CxLNAddrUtil::GetFieldText(r, kLNNote)), std::string(4095, 'n'));
    EXPECT_EQ(std::string(CxLNAddrUtil::GetFieldText(r, kLNCategory)), std::string(255, 'c'));
    for (int id = kLNCustomField1; id < kLNNote; ++id) {
        EXPECT_EQ(CxLNAddrUtil::GetFieldValue(r, id, nullptr), nullptr) << id;
        EXPECT_EQ(CxLNAddrUtil::GetFieldText(r, id), nullptr) << id;
    }
    EXPECT_EQ(CxLNAddrUtil::GetFieldText(r, kLNBirthDate), nullptr);
    EXPECT_EQ(CxLNAddrUtil::GetFieldDate(r, kLNBirthDate), OleDate(1970, 2, 14));
    EXPECT_EQ(CxLNAddrUtil::GetFieldDate(r, kLNAnniversary), OleDate(1999, 6, 1));
    EXPECT_EQ(CxLNAddrUtil::GetFieldDate(r, kLNFirstName), 0.0);
    EXPECT_EQ(std::string(r.CustomValue[9]), c.customValue[9].substr(0, 255));
    EXPECT_EQ(std::string(r.CustomLabel[9]), c.customLabel[9].substr(0, 63));
    EXPECT_STREQ(CxLNAddrUtil::GetFieldText(*b->GetRecordAt(1), kLNLastName), "");
}

TEST_F(LnLoad, AContactCarriesItsFieldsAndOnlyThose) {
    LnContact c;
    c.text = {{kLNID, "OU=not carried"},
              {kLNFirstName, "Åsa"},
              {kLNMiddleName, "M"},
              {kLNLastName, "Öberg"},
              {kLNSuffix, "Jr."},
              {kLNDisplayName, "Åsa M Öberg"},
              {kLNCompanyName, "Acme AB"},
              {kLNDepartment, "Board"},
              {kLNJobTitle, "CEO"},
              {kLNLocation, "Floor 3"},
              {kLNAssistantName, "Per"},
              {kLNManagerName, "Eva"},
              {kLNBusinessEmail, "asa@acme.example"},
              {kLNPersonalEmail, "asa@home.example"},
              {kLNAssistantPhone, "third@acme.example"},
              {kLNBusinessEmail2, "second.work@acme.example"},
              {kLNPersonalEmail2, "second.home@home.example"},
              {kLNBusinessStreet, "Storgatan 1\r\nBox 5"},
              {Addr(kLNBusinessStreet, kLNAddrCity), "Stockholm"},
              {Addr(kLNBusinessStreet, kLNAddrState), "Stockholms län"},
              {Addr(kLNBusinessStreet, kLNAddrCountry), "Sweden"},
              {Addr(kLNBusinessStreet, kLNAddrPostal), "111 22"},
              {kLNHomeStreet, "Hemvägen 2"},
              {Addr(kLNHomeStreet, kLNAddrCity), "Lund"},
              {Addr(kLNOtherStreet, kLNAddrPostal), "999 99"},
              {kLNPrimaryPhone, "+46 1"},
              {kLNBusinessPhone, "+46 2"},
              {kLNHomePhone, "+46 3"},
              {kLNMobilePhone, "+46 4"},
              {kLNBusinessFax, "+46 5"},
              {kLNHomeFax, "+46 6"},
              {kLNPager, "+46 7"},
              {kLNInstantMessenger, "asa.im"},
              {kLNWebSite, "https://acme.example"},
              {kLNBlogSite, "https://blog.example"},
              {kLNSpouseName, "Bo"},
              {kLNChildrensNames, "Ida, Ola"}};
    c.note = "Met at the fair.\r\nCall in May.";
    c.category = "VIP";
    c.customValue[0] = "first";
    c.customLabel[0] = "Shoe size";
    c.customValue[9] = "tenth";
    c.birthDate = OleDate(1980, 2, 29);
    c.anniversary = OleDate(2005, 8, 20);
    auto b = Load<CxLNAddrUtil>(std::vector<LnContact>{c}, "LNAddr.dat");
    const CommAddrRec* rec = b->GetDataMgr()->GetRecordAt(0);
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->FirstName, "Åsa");
    EXPECT_STREQ(rec->MiddleName, "M");
    EXPECT_STREQ(rec->LastName, "Öberg");
    EXPECT_STREQ(rec->Suffix, "Jr.");
    EXPECT_STREQ(rec->DisplayName, "Åsa M Öberg");
    EXPECT_STREQ(rec->Company, "Acme AB");
    EXPECT_STREQ(rec->Department, "Board");
    EXPECT_STREQ(rec->Title, "CEO");
    EXPECT_STREQ(rec->Location, "Floor 3");
    EXPECT_STREQ(rec->AssistantName, "Per");
    EXPECT_STREQ(rec->ManagerName, "Eva");
    EXPECT_STREQ(rec->Email, "asa@acme.example");
    EXPECT_STREQ(rec->Email2, "asa@home.example");
    EXPECT_STREQ(rec->Email3, "third@acme.example");
    EXPECT_STREQ(rec->WorkAddress.Street, "Storgatan 1\r\nBox 5");
    EXPECT_STREQ(rec->WorkAddress.City, "Stockholm");
    EXPECT_STREQ(rec->WorkAddress.State, "Stockholms län");
    EXPECT_STREQ(rec->WorkAddress.Country, "Sweden");
    EXPECT_STREQ(rec->WorkAddress.PostalCode, "111 22");
    EXPECT_STREQ(rec->HomeAddress.Street, "Hemvägen 2");
    EXPECT_STREQ(rec->HomeAddress.City, "Lund");
    EXPECT_STREQ(rec->OtherAddress.PostalCode, "999 99");
    EXPECT_STREQ(rec->PrimaryPhone, "+46 1");
    EXPECT_STREQ(rec->WorkPhone, "+46 2");
    EXPECT_STREQ(rec->HomePhone, "+46 3");
    EXPECT_STREQ(rec->MobilePhone, "+46 4");
    EXPECT_STREQ(rec->WorkFax, "+46 5");
    EXPECT_STREQ(rec->HomeFax, "+46 6");
    EXPECT_STREQ(rec->Pager, "+46 7");
    EXPECT_STREQ(rec->Im1, "asa.im");
    EXPECT_STREQ(rec->WorkHomePage, "https://acme.example");
    EXPECT_STREQ(rec->PersonalHomePage, "https://blog.example");
    EXPECT_STREQ(rec->SpouseName, "Bo");
    EXPECT_STREQ(rec->ChildrensNames, "Ida, Ola");
    EXPECT_STREQ(rec->Category, "VIP");
    EXPECT_STREQ(rec->Note, "Met at the fair.\r\nCall in May.");
    EXPECT_EQ(rec->Birthday, OleDate(1980, 2, 29));
    EXPECT_EQ(rec->Anniversary, OleDate(2005, 8, 20));
    EXPECT_STREQ(rec->CustomValue[0], "first");
    EXPECT_STREQ(rec->CustomLabel[0], "Shoe size");
    EXPECT_STREQ(rec->CustomValue[9], "tenth");
    EXPECT_EQ(rec->SourceType, 9);
    EXPECT_EQ(rec->NativeRecord, b->GetRecordAt(0));
    EXPECT_EQ(rec->NativeSize, 0u);
    // "ID", "Business Email 2" and "Personal Email 2" reach no common field.
    const auto* bytes = reinterpret_cast<const char*>(rec);
    const std::string whole(bytes, sizeof *rec);
    for (const char* absent : {"second.work@", "second.home@", "OU=not carried"})
        EXPECT_EQ(whole.find(absent), std::string::npos) << absent;
    for (const auto& mapped : rec->MappedCustomValue) EXPECT_STREQ(mapped, "");
}

TEST_F(LnLoad, MappedCustomFieldsTakeTextFieldsWithAValueOnly) {
    LnContact c;
    c.text = {{kLNJobTitle, "CEO"}, {kLNChildrensNames, std::string(100, 'x')}};
    c.customValue[0] = "own custom value";
    c.customLabel[0] = "own label";
    c.note = "A note";
    c.birthDate = OleDate(1990, 1, 1);
    auto b = Load<CxLNAddrUtil>(std::vector<LnContact>{c}, "LNAddr.dat",
                                {{0, kLNJobTitle},
                                 {1, kLNCustomField1},  // no value of its own
                                 {2, kLNCustomLabel1 + 2},
                                 {3, kLNBirthDate},  // a date
                                 {4, kLNNote},
                                 {5, 4242},
                                 {9, kLNChildrensNames}});
    const CommAddrRec* rec = b->GetDataMgr()->GetRecordAt(0);
    EXPECT_STREQ(rec->MappedCustomValue[0], "CEO");
    EXPECT_STREQ(rec->MappedCustomValue[1], "");
    EXPECT_STREQ(rec->MappedCustomValue[2], "");
    EXPECT_STREQ(rec->MappedCustomValue[3], "");
    EXPECT_STREQ(rec->MappedCustomValue[4], "A note");
    EXPECT_STREQ(rec->MappedCustomValue[5], "");
    EXPECT_EQ(std::string(rec->MappedCustomValue[9]), std::string(63, 'x'));

    CxLNAddrUtil bridge;
    for (int slot : {-1, 10, 100}) EXPECT_FALSE(bridge.SetCustomFieldMap(slot, kLNJobTitle)) << slot;
    EXPECT_TRUE(bridge.SetCustomFieldMap(9, kLNJobTitle));
    EXPECT_EQ(bridge.GetCustomFieldMap(9), kLNJobTitle);
    EXPECT_EQ(bridge.GetCustomFieldMap(10), 0);
}

TEST_F(LnLoad, EntriesConvertTheirRepeatByUnit) {
    const struct {
        const char* repeats;
        const char* unit;
        const char* interval;
        const char* on;
        int day;  // of March 2026 (the 2nd is a Monday)
        int type, mask, dayOfMonth, instance, month, wantInterval;
    } cases[] = {
        {"", "D", "1", "", 2, 0, 0, 0, 0, 0, 0},  // not repeating
        {"0", "W", "1", "42", 2, 0, 0, 0, 0, 0, 0},
        {"1", "D", "3", "", 2, 1, 0, 0, 0, 0, 3},
        {"1", "W", "1", "42", 2, 2, 42, 0, 0, 0, 1},  // Monday, Wednesday, Friday
        {"1", "W", "2x", " 42 days", 2, 2, 42, 0, 0, 0, 2},
        {"1", "MD", "1", "15", 15, 4, 0, 15, 0, 0, 1},
        {"1", "MP", "1", "4", 2, 3, 4, 0, 1, 0, 1},  // first Tuesday... of the week the entry starts in
        {"1", "MP", "1", "2", 7, 3, 2, 0, 1, 0, 1},
        {"1", "MP", "1", "2", 8, 3, 2, 0, 2, 0, 1},
        {"1", "MP", "2", "2", 16, 3, 2, 0, 3, 0, 2},
        {"1", "MP", "1", "2", 22, 3, 2, 0, 4, 0, 1},
        {"1", "MP", "1", "2", 29, 3, 2, 0, 5, 0, 1},
        {"1", "Y", "1", "", 14, 6, 0, 14, 0, 3, 1},
        {"1", "X", "1", "3", 2, 0, 0, 0, 0, 0, 0},
        {"1yes", "D", "abc", "", 2, 1, 0, 0, 0, 0, 0},
    };
    std::vector<LnEntry> entries;
    for (const auto& c : cases) {
        LnEntry e = Entry(std::string(c.unit) + " " + c.on, 2026, 3, c.day);
        e.repeats = c.repeats;
        e.unit = c.unit;
        e.interval = c.interval;
        e.repeatOn = c.on;
        e.until = OleDate(2027, 1, 31);
        entries.push_back(e);
    }
    // A yearly entry from 14 February takes its month and day from the start.
    LnEntry valentine = Entry("Valentine", 2026, 2, 14);
    valentine.repeats = "1";
    valentine.unit = "Y";
    valentine.interval = "1";
    entries.push_back(valentine);
    auto b = LoadEntries(entries);
    ASSERT_EQ(b->GetRecordCount(), entries.size());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const CommRepeatInfo& r = b->GetDataMgr()->GetRecordAt(i)->Repeat;
        SCOPED_TRACE(std::string("case ") + std::to_string(i) + ": " + c.repeats + " " + c.unit + " on " + c.on);
        EXPECT_EQ(r.Type, c.type);
        EXPECT_EQ(r.DayOfWeekMask, c.mask);
        EXPECT_EQ(r.DayOfMonth, c.dayOfMonth);
        EXPECT_EQ(r.Instance, c.instance);
        EXPECT_EQ(r.MonthOfYear, c.month);
        EXPECT_EQ(r.Interval, c.wantInterval);
        EXPECT_EQ(r.HasEnd, c.type != 0 ? 1 : 0);
        EXPECT_EQ(fwtest::MinuteText(r.EndDate), c.type != 0 ? "2027-01-31 00:00" : "0000-00-00 00:00");
    }
    const CommRepeatInfo& y = b->GetDataMgr()->GetRecordAt(std::size(cases))->Repeat;
    EXPECT_EQ(y.Type, CommRepeatYearlyByDate);
    EXPECT_EQ(y.MonthOfYear, 2);
    EXPECT_EQ(y.DayOfMonth, 14);
    EXPECT_EQ(y.HasEnd, 0);
}

TEST_F(LnLoad, EntryFieldsAndAllDayEntries) {
    LnEntry timed = Entry(std::string(300, 's'), 2026, 6, 19, 8);
    timed.location = "Room 1";
    timed.body = std::string(9000, 'b');
    timed.displayStart = OleDate(2026, 6, 19, 10);  // shown only; not converted
    timed.isPrivate = true;
    timed.startZone = "Z=-1 DO=1";
    timed.keptValue = 7;
    timed.keptTexts = {"k1", "k2"};
    LnEntry oneDay;
    oneDay.subject = "Midsummer";
    oneDay.start = OleDate(2026, 6, 19);
    oneDay.end = OleDate(2026, 6, 20);
    LnEntry threeDays = oneDay;
    threeDays.subject = "Holiday";
    threeDays.end = OleDate(2026, 6, 22);
    LnEntry atMidnight = oneDay;  // no length: a reminder at midnight, not a day
    atMidnight.subject = "Midnight";
    atMidnight.end = atMidnight.start;
    LnEntry untilNoon = oneDay;
    untilNoon.subject = "Until noon";
    untilNoon.end = OleDate(2026, 6, 20, 12);
    LnEntry noDates;
    noDates.subject = "No dates";
    auto b = LoadEntries({timed, oneDay, threeDays, atMidnight, untilNoon, noDates});
    const CommDateRec* rec = b->GetDataMgr()->GetRecordAt(0);
    EXPECT_EQ(std::string(rec->Subject), std::string(255, 's'));
    EXPECT_STREQ(rec->Location, "Room 1");
    EXPECT_EQ(std::string(rec->Note), std::string(8191, 'b'));
    EXPECT_EQ(fwtest::MinuteText(rec->Start), "2026-06-19 08:00");
    EXPECT_EQ(fwtest::MinuteText(rec->End), "2026-06-19 09:00");
    EXPECT_EQ(rec->AllDay, 0);
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->SourceType, 9);
    EXPECT_STREQ(b->GetRecordAt(0)->KeptTexts[1], "k2");
    EXPECT_EQ(b->GetRecordAt(0)->KeptValue, 7);
    EXPECT_EQ(std::string(b->GetRecordAt(0)->Body).size(), 9000u);
    const struct {
        std::size_t at;
        int allDay;
        const char* start;
        const char* end;
    } days[] = {{1, 1, "2026-06-19 00:00", "2026-06-20 00:00"},
                {2, 1, "2026-06-19 00:00", "2026-06-22 00:00"},
                {3, 0, "2026-06-19 00:00", "2026-06-19 00:00"},
                {4, 0, "2026-06-19 00:00", "2026-06-20 12:00"},
                {5, 0, "0000-00-00 00:00", "0000-00-00 00:00"}};
    for (const auto& d : days) {
        const CommDateRec* r = b->GetDataMgr()->GetRecordAt(d.at);
        EXPECT_EQ(r->AllDay, d.allDay) << r->Subject;
        EXPECT_EQ(fwtest::MinuteText(r->Start), d.start) << r->Subject;
        EXPECT_EQ(fwtest::MinuteText(r->End), d.end) << r->Subject;
    }
}

TEST_F(LnLoad, TodosMapPriorityDueDateAndCompletion) {
    std::time_t now = std::time(nullptr);
    std::tm today{};
    ::localtime_r(&now, &today);
    const double midnight = OleDate(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
    const struct {
        int priority;
        double completed;
        int wantPriority, wantCompleted;
    } cases[] = {{0, 0.0, CommPriorityHigh, 0},     {1, midnight + 1.0, CommPriorityNormal, 0},
                 {2, midnight, CommPriorityLow, 1}, {3, midnight - 1.0, CommPriorityNormal, 1},
                 {-1, -5.0, CommPriorityNormal, 0}, {0, midnight + 2.5, CommPriorityHigh, 0}};
    std::vector<LnTodo> todos;
    for (const auto& c : cases) {
        LnTodo t;
        t.subject = "Priority " + std::to_string(c.priority);
        t.priority = c.priority;
        t.completed = c.completed;
        todos.push_back(t);
    }
    LnTodo due;
    due.subject = "Call Bo";
    due.body = "About the offer";
    due.category = "not carried";
    due.due = OleDate(2026, 3, 31, 17, 0);
    due.isPrivate = true;
    due.kept6 = std::string(400, 'k');
    todos.push_back(due);
    auto b = Load<CxLNTaskUtil>(todos, "LNTask.dat");
    ASSERT_EQ(b->GetRecordCount(), todos.size());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CommTaskRec* rec = b->GetDataMgr()->GetRecordAt(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(rec->Priority, cases[i].wantPriority);
        EXPECT_EQ(rec->Completed, cases[i].wantCompleted);
        EXPECT_EQ(rec->DueDate, 0);
    }
    const CommTaskRec* rec = b->GetDataMgr()->GetRecordAt(std::size(cases));
    EXPECT_STREQ(rec->Subject, "Call Bo");
    EXPECT_STREQ(rec->Note, "About the offer");
    EXPECT_EQ(rec->DueDate, fwtest::LocalSeconds(2026, 3, 31, 17, 0));
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->SourceType, 9);
    EXPECT_EQ(std::string(b->GetRecordAt(std::size(cases))->KeptText6), std::string(389, 'k'));
}

// An Outlook note shows the first line of its text as its subject: the
// document's subject leads the text, so that it is not lost and the note is
// found the same on the next run.
TEST_F(LnLoad, NotebookDocumentsLeadWithTheirSubject) {
    const struct {
        std::string subject, body, note, wantSubject;
    } cases[] = {
        {"Ideas", "Line 1\r\nLine 2", "Ideas\r\nLine 1\r\nLine 2", "Ideas"},
        {"Ideas", "Ideas\r\nLine 2", "Ideas\r\nLine 2", "Ideas"},
        {"Ideas", "Ideas", "Ideas", "Ideas"},
        {"", "First\nmore", "First\nmore", "First"},
        {"Title only", "", "Title only", "Title only"},
        {"", "", "", ""},
        {std::string(300, 's'), std::string(9000, 'b'), std::string(255, 's') + "\r\n" + std::string(8191, 'b'),
         std::string(255, 's')},
    };
    std::vector<LnDocument> docs;
    for (const auto& c : cases) {
        LnDocument d;
        d.subject = c.subject;
        d.body = c.body;
        d.keptDates = {OleDate(2025, 1, 1), 0.0, OleDate(2025, 1, 2)};
        docs.push_back(d);
    }
    auto b = Load<CxLNNoteUtil>(docs, "LNNote.dat");
    ASSERT_EQ(b->GetRecordCount(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CommNoteRec* rec = b->GetDataMgr()->GetRecordAt(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(rec->Note, cases[i].note);
        EXPECT_EQ(rec->Subject, cases[i].wantSubject);
        EXPECT_EQ(rec->SourceType, 9);
        EXPECT_EQ(b->GetRecordAt(i)->KeptDates[2], OleDate(2025, 1, 2));
    }
}

TEST_F(LnLoad, EachKindLogsItsLinesInOrderAndWritesItsParameters) {
    Load<CxLNAddrUtil>(std::vector<LnContact>(3), "LNAddr.dat");
    ExpectLinesInOrder(
        {"Start loading Lotus Notes Contacts.", "Start loading Lotus Notes Contacts from temperary file: LNAddr.dat",
         "There are 3 Contact records in total.", "Load Lotus Notes Contact information from file successfully.",
         "Load Lotus Notes Contacts information successfully."});
    Load<CxLNDateUtil>(std::vector<LnEntry>(2), "LNDate.dat");
    ExpectLinesInOrder(
        {"Start loading Lotus Notes Calendar.", "Start loading Lotus Notes Calendar from temperary file: LNDate.dat",
         "There are 2 Calendar records in total.", "Load Lotus Notes Calendar information from file successfully.",
         "Load Lotus Notes Calendar information successfully."});
    Load<CxLNTaskUtil>(std::vector<LnTodo>(4), "LNTask.dat");
    ExpectLinesInOrder(
        {"Start loading Lotus Notes Tasks.", "Start loading Lotus Notes Tasks from temperary file: LNTask.dat",
         "There are 4 Task records in total.", "Load Lotus Notes Tasks information from file successfully.",
         "Load Lotus Notes Tasks information successfully."});
    const std::string before = Log();
    Load<CxLNNoteUtil>(std::vector<LnDocument>(1), "LNNote.dat");
    const std::string notebook = Log().substr(before.size());
    EXPECT_EQ(notebook.find("Lotus Notes Note"), std::string::npos) << notebook;
    EXPECT_EQ(notebook.find("There are"), std::string::npos) << notebook;

    // The parameter files as a helper reads them: contacts name their
    // database under 1009, the other kinds under 1008.
    const struct {
        const char* name;
        std::int32_t dbId, otherId;
    } kinds[] = {{"Addr", 1009, 1008}, {"Date", 1008, 1009}, {"Task", 1008, 1009}, {"Note", 1008, 1009}};
    for (const auto& k : kinds) {
        HelperParams p;
        ASSERT_TRUE(p.Load(folder + "LN" + k.name + "Param.dat")) << k.name;
        EXPECT_EQ(p.Count(), 14u) << k.name;
        EXPECT_EQ(p.Text(k.dbId), "Primary1/Org1!!mail/aberg.nsf") << k.name;
        EXPECT_FALSE(p.Get(k.otherId).has_value()) << k.name;
        for (int empty : {1000, 1001, 1002}) EXPECT_EQ(p.Get(empty), std::string()) << k.name;
        EXPECT_EQ(p.Text(1003), std::string("LN") + k.name + ".dat");
        EXPECT_EQ(p.Text(1004), folder);
        EXPECT_EQ(p.Int(1005, 0), 1);
        EXPECT_EQ(p.Text(1006), std::string("LN") + k.name + "Err.dat");
        EXPECT_EQ(p.Text(1007), std::string("LN") + k.name + "Status.dat");
        EXPECT_EQ(p.Text(1011), "appdebug.log");
        EXPECT_EQ(p.Text(1014), "C:\\Notes\\Data\\user.id");
    }
}

TEST_F(LnLoad, AMissingDataFileFailsEachKindWithItsLines) {
    fwtest::ScopedEnv noData("FWTH_NODATA", "1");
    const struct {
        std::function<std::unique_ptr<CxHelperBridge>()> make;
        std::string openFailure, failure;
    } kinds[] = {
        {[&] { return Make<CxLNAddrUtil>(); }, "Failed to open file: " + folder + "LNAddr.dat",
         "Failed to load Lotus Notes Contacts information."},
        {[&] { return Make<CxLNDateUtil>(); }, "Failed to open file: " + folder + "LNDate.dat",
         "Failed to load Lotus Notes Calendar information."},
        {[&] { return Make<CxLNTaskUtil>(); }, "Failed to open file: " + folder + "LNTask.dat",
         "Failed to load Lotus Notes Tasks information."},
        {[&] { return Make<CxLNNoteUtil>(); },
         "Cannot load Lotus Notes Note records from temperary file: " + folder + "LNNote.dat", ""},
    };
    for (const auto& k : kinds) {
        auto b = k.make();
        EXPECT_FALSE(b->Load());
        EXPECT_TRUE(b->HasError());
        if (k.failure.empty())
            ExpectLinesInOrder({k.openFailure});
        else
            ExpectLinesInOrder({k.openFailure, k.failure});
    }
}

// The helper's message in its error file (for example which export an
// ".nsf" path needs) is what the wizard and batch mode show; it does not
// outlive the run that wrote it.
TEST_F(LnLoad, TheErrorFileGivesTheMessageOfThisRunOnly) {
    auto b = Make<CxLNDateUtil>();
    {
        fwtest::ScopedEnv noData("FWTH_NODATA", "1");
        fwtest::ScopedEnv errors("FWTH_ERRORS", "2");
        EXPECT_FALSE(b->Load());
        EXPECT_STREQ(b->GetErrorText(), "problem 2");
    }
    ASSERT_TRUE(fwtest::WriteLotusFile(source + "/LNDate.dat", std::vector<LnEntry>(1)));
    EXPECT_TRUE(b->Load());
    EXPECT_FALSE(b->HasError());
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 1u);
}

TEST_F(LnLoad, ACutDataFileFailsTheLoad) {
    ASSERT_TRUE(fwtest::WriteLotusFile(source + "/LNAddr.dat", std::vector<LnContact>(3)));
    std::string bytes = fwtest::ReadFile(source + "/LNAddr.dat");
    bytes.resize(bytes.size() - 5);
    fwtest::WriteFile(source + "/LNAddr.dat", bytes);
    auto b = Make<CxLNAddrUtil>();
    EXPECT_FALSE(b->Load());
    EXPECT_TRUE(b->HasError());
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 2u);
    EXPECT_TRUE(Logged("Failed to load Lotus Notes Contacts information."));
}
