// The ACT! bridges over data files in the helpers' layout: the contact
// field catalogue and its compact record, the four conversions, the custom
// field map, the debug-log lines of a load and its failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"
#include "tests/support/ActRecords.h"
#include "tests/support/BridgeFixture.h"

namespace {

using fwtest::ActActivity;
using fwtest::ActContact;
using fwtest::ActNote;
using fwtest::ActTodo;
using fwtest::OleDate;

// The id of an address part.
constexpr int Addr(int countryId, int part) { return countryId + part; }

struct ActLoad : fwtest::BridgeFixture {
    std::string source = folder + "source";
    fwtest::ScopedEnv copyFrom{"FWTH_SOURCE", source};

    ActLoad() { platform::EnsureFolderTree(source); }

    template <class Bridge>
    std::unique_ptr<Bridge> Make() {
        auto b = std::make_unique<Bridge>();
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetPadName("/home/anna/Documents/ACT/Sales/Databases/Sales.pad");
        b->SetUserName("Anna");
        return b;
    }
    // Writes the records into the kind's data file, which the test helper
    // hands over, and loads them.
    template <class Bridge, class Rec>
    std::unique_ptr<Bridge> Load(const std::vector<Rec>& records, const char* file,
                                 std::initializer_list<std::pair<int, int>> map = {}) {
        EXPECT_TRUE(fwtest::WriteActFile(source + "/" + file, records));
        auto b = Make<Bridge>();
        if constexpr (std::is_same_v<Bridge, CxACTAddrUtil>) {
            for (auto [slot, id] : map) EXPECT_TRUE(b->SetCustomFieldMap(slot, id));
        }
        EXPECT_TRUE(b->Load()) << b->GetErrorText();
        return b;
    }
    std::unique_ptr<CxACTAddrUtil> LoadContacts(const std::vector<ActContact>& c,
                                                std::initializer_list<std::pair<int, int>> map = {}) {
        return Load<CxACTAddrUtil>(c, "ACTAddr.dat", map);
    }
};

}  // namespace

TEST(ActCatalogue, EightyNineFieldsWithTheirKindsCapacitiesAndLookups) {
    ASSERT_EQ(CxACTAddrUtil::GetFieldCount(), 89);
    std::size_t bytes = 0;
    int texts = 0, flags = 0, dates = 0;
    for (int i = 0; i < 89; ++i) {
        const ACTFieldInfo* f = CxACTAddrUtil::GetFieldInfo(i);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->FieldID, i + 1);
        EXPECT_EQ(CxACTAddrUtil::GetFieldID(i), i + 1);
        EXPECT_EQ(CxACTAddrUtil::FindFieldInfo(i + 1), f);
        EXPECT_STREQ(CxACTAddrUtil::GetFieldLabel(i), f->Label);
        EXPECT_LE(std::strlen(f->Label), 31u);
        EXPECT_EQ(ACTAddrFieldOffset(f->FieldID), static_cast<int>(bytes));
        bytes += static_cast<std::size_t>(f->Size);
        texts += f->Kind == kACTFieldText;
        flags += f->Kind == kACTFieldFlag;
        dates += f->Kind == kACTFieldDate;
        EXPECT_EQ(f->Size, f->Kind == kACTFieldFlag ? 4 : (f->Kind == kACTFieldDate ? 8 : f->Size)) << f->Label;
    }
    EXPECT_EQ(texts, 77);
    EXPECT_EQ(flags, 4);
    EXPECT_EQ(dates, 8);
    // The record holds each field at its own capacity, not 89 full texts.
    EXPECT_EQ(bytes, kACTAddrFieldBytes);
    EXPECT_LT(sizeof(ACTAddrRec), 6000u);

    const struct {
        int id;
        const char* label;
        int kind, size;
    } samples[] = {{1, "Record ID", 1, 64},
                   {5, "Category", 1, 256},
                   {16, "Title", 1, 32},
                   {21, "Business Address 2", 1, 256},
                   {23, "Business Postal", 1, 16},
                   {39, "Business Phone Extension", 1, 24},
                   {45, "Website", 1, 256},
                   {57, "User Defined 10", 1, 64},
                   {59, "Is User", 3, 4},
                   {62, "Birthday", 6, 8},
                   {69, "Last Letter", 6, 8},
                   {81, "Secondary Postal", 1, 16},
                   {88, "Secondary Category", 1, 256},
                   {89, "Secondary Is Private", 3, 4}};
    for (const auto& s : samples) {
        const ACTFieldInfo* f = CxACTAddrUtil::FindFieldInfo(s.id);
        ASSERT_NE(f, nullptr) << s.id;
        EXPECT_STREQ(f->Label, s.label);
        EXPECT_EQ(f->Kind, s.kind) << s.label;
        EXPECT_EQ(f->Size, s.size) << s.label;
    }
    for (int bad : {-1, 89, 1000}) {
        EXPECT_EQ(CxACTAddrUtil::GetFieldInfo(bad), nullptr);
        EXPECT_EQ(CxACTAddrUtil::GetFieldID(bad), 0);
        EXPECT_STREQ(CxACTAddrUtil::GetFieldLabel(bad), "N/A");
    }
    for (int bad : {0, 90, -5}) {
        EXPECT_EQ(CxACTAddrUtil::FindFieldInfo(bad), nullptr);
        EXPECT_EQ(ACTAddrFieldOffset(bad), -1);
    }
}

// Every field of the record keeps its own value: a shifted or mis-sized
// field would hand its neighbour's bytes to the conversion.
TEST_F(ActLoad, EachCatalogueFieldReadsItsOwnValueCutToItsCapacity) {
    ActContact c;
    for (const ACTFieldInfo& f : ACTAddrFields()) {
        if (f.Kind == kACTFieldText)
            c.text[f.FieldID] =
                "F" + std::to_string(f.FieldID) + std::string(300, static_cast<char>('a' + f.FieldID % 26));
        else if (f.Kind == kACTFieldFlag)
            c.flag[f.FieldID] = f.FieldID % 2 == 1;
        else
            c.date[f.FieldID] = 40000.25 + f.FieldID;
    }
    auto b = LoadContacts({c, ActContact{}});
    ASSERT_EQ(b->GetRecordCount(), 2u);
    const ACTAddrRec& r = *b->GetRecordAt(0);
    for (const ACTFieldInfo& f : ACTAddrFields()) {
        int size = 0;
        ASSERT_NE(CxACTAddrUtil::GetFieldValue(r, f.FieldID, &size), nullptr);
        EXPECT_EQ(size, f.Size);
        if (f.Kind == kACTFieldText) {
            EXPECT_EQ(CxACTAddrUtil::GetFieldText(r, f.FieldID),
                      c.text[f.FieldID].substr(0, static_cast<std::size_t>(f.Size - 1)))
                << f.Label;
            EXPECT_EQ(CxACTAddrUtil::GetFieldFlag(r, f.FieldID), 0);
        } else if (f.Kind == kACTFieldFlag) {
            EXPECT_EQ(CxACTAddrUtil::GetFieldFlag(r, f.FieldID), f.FieldID % 2) << f.Label;
            EXPECT_EQ(CxACTAddrUtil::GetFieldText(r, f.FieldID), nullptr);
        } else {
            EXPECT_EQ(CxACTAddrUtil::GetFieldDate(r, f.FieldID), 40000.25 + f.FieldID) << f.Label;
        }
    }
    EXPECT_EQ(CxACTAddrUtil::GetFieldValue(r, 90, nullptr), nullptr);
    EXPECT_STREQ(CxACTAddrUtil::GetFieldText(*b->GetRecordAt(1), kACTLastName), "");
}

TEST_F(ActLoad, AContactCarriesItsFieldsAndOnlyThose) {
    ActContact c;
    c.text = {{kACTFirstName, "Åsa"},
              {kACTMiddleName, "M"},
              {kACTLastName, "Öberg"},
              {kACTFullName, "Åsa M Öberg"},
              {kACTSalutation, "Åsa"},
              {kACTCompany, "Acme AB"},
              {kACTTitle, "CEO"},
              {kACTDepartment, "Board"},
              {kACTSpouseName, "Bo"},
              {kACTBusinessPhone, "+46 8 123 45"},
              {kACTBusinessPhoneExtension, "12"},
              {kACTHomePhone, "+46 8 555"},
              {kACTMobilePhoneExtension, "9"},  // no phone: nothing
              {kACTFax, "+46 8 999"},
              {kACTPager, "777"},
              {kACTPagerExtension, "3"},
              {kACTAlternatePhone, "not carried"},
              {kACTBusinessEmail, "asa@acme.example"},
              {kACTPersonalEmail, "asa@home.example"},
              {kACTWebsite, "https://acme.example"},
              {kACTInstantMessenger, "asa.im"},
              {kACTCategory, "VIP"},
              {kACTUserDefined1, "first"},
              {kACTUserDefined1 + 9, "tenth"},
              {Addr(kACTBusinessCountry, kACTAddrLine2), "Lone line 2"},
              {Addr(kACTBusinessCountry, kACTAddrCity), "Stockholm"},
              {Addr(kACTBusinessCountry, kACTAddrPostal), "111 22"},
              {Addr(kACTHomeCountry, kACTAddrLine1), "Storgatan 1"},
              {Addr(kACTHomeCountry, kACTAddrLine3), "Box 5"},
              {Addr(kACTHomeCountry, kACTAddrCountry), "Sweden"},
              {Addr(kACTSecondaryCountry, kACTAddrLine1), "Other 1"},
              {Addr(kACTSecondaryCountry, kACTAddrLine2), "Other 2"},
              {Addr(kACTSecondaryCountry, kACTAddrLine3), "Other 3"},
              {Addr(kACTSecondaryCountry, kACTAddrState), "Skåne"},
              {kACTSecondaryPhone, "not carried"},
              {kACTSecondaryFirstName, "not carried"}};
    c.date = {{kACTBirthday, OleDate(1980, 2, 29)},
              {kACTCreateDate, OleDate(2020, 1, 2, 3, 4)},
              {kACTEditDate, OleDate(2024, 5, 6, 7, 8)}};
    auto b = LoadContacts({c});
    const CommAddrRec* rec = b->GetDataMgr()->GetRecordAt(0);
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->FirstName, "Åsa");
    EXPECT_STREQ(rec->MiddleName, "M");
    EXPECT_STREQ(rec->LastName, "Öberg");
    EXPECT_STREQ(rec->DisplayName, "Åsa M Öberg");
    EXPECT_STREQ(rec->Salutation, "Åsa");
    EXPECT_STREQ(rec->Company, "Acme AB");
    EXPECT_STREQ(rec->Title, "CEO");
    EXPECT_STREQ(rec->Department, "Board");
    EXPECT_STREQ(rec->SpouseName, "Bo");
    EXPECT_STREQ(rec->WorkPhone, "+46 8 123 45x12");
    EXPECT_STREQ(rec->HomePhone, "+46 8 555");
    EXPECT_STREQ(rec->MobilePhone, "");
    EXPECT_STREQ(rec->WorkFax, "+46 8 999");
    EXPECT_STREQ(rec->Pager, "777x3");
    EXPECT_STREQ(rec->OtherPhone, "");
    EXPECT_STREQ(rec->Email, "asa@acme.example");
    EXPECT_STREQ(rec->Email2, "asa@home.example");
    EXPECT_STREQ(rec->WorkHomePage, "https://acme.example");
    EXPECT_STREQ(rec->Im1, "asa.im");
    EXPECT_STREQ(rec->Category, "VIP");
    EXPECT_STREQ(rec->CustomValue[0], "first");
    EXPECT_STREQ(rec->CustomValue[9], "tenth");
    EXPECT_STREQ(rec->WorkAddress.Street, "Lone line 2");
    EXPECT_STREQ(rec->WorkAddress.City, "Stockholm");
    EXPECT_STREQ(rec->WorkAddress.PostalCode, "111 22");
    EXPECT_STREQ(rec->HomeAddress.Street, "Storgatan 1\r\nBox 5");
    EXPECT_STREQ(rec->HomeAddress.Country, "Sweden");
    EXPECT_STREQ(rec->OtherAddress.Street, "Other 1\r\nOther 2\r\nOther 3");
    EXPECT_STREQ(rec->OtherAddress.State, "Skåne");
    EXPECT_EQ(rec->Birthday, OleDate(1980, 2, 29));
    EXPECT_EQ(rec->CreationTime, OleDate(2020, 1, 2, 3, 4));
    EXPECT_EQ(rec->LastModificationTime, OleDate(2024, 5, 6, 7, 8));
    EXPECT_EQ(rec->SourceType, 17);
    EXPECT_EQ(rec->NativeRecord, b->GetRecordAt(0));
    EXPECT_EQ(rec->NativeSize, 0u);
    for (const auto& mapped : rec->MappedCustomValue) EXPECT_STREQ(mapped, "");
}

TEST_F(ActLoad, MappedCustomFieldsTakeTextFieldsOnlyFromTheirSlots) {
    ActContact c;
    c.text = {{kACTLastResults, "Called back"}, {88, std::string(100, 'x')}};
    c.date = {{kACTBirthday, OleDate(1990, 1, 1)}};
    c.flag = {{kACTIsPrivate, true}};
    auto b = LoadContacts({c}, {{0, kACTLastResults}, {3, kACTBirthday}, {4, kACTIsPrivate}, {9, 88}, {5, 4242}});
    const CommAddrRec* rec = b->GetDataMgr()->GetRecordAt(0);
    EXPECT_STREQ(rec->MappedCustomValue[0], "Called back");
    EXPECT_STREQ(rec->MappedCustomValue[3], "");  // a date
    EXPECT_STREQ(rec->MappedCustomValue[4], "");  // a flag
    EXPECT_STREQ(rec->MappedCustomValue[5], "");  // no such field
    EXPECT_EQ(std::string(rec->MappedCustomValue[9]), std::string(63, 'x'));

    CxACTAddrUtil bridge;
    for (int slot : {-1, 10, 100}) EXPECT_FALSE(bridge.SetCustomFieldMap(slot, kACTLastResults)) << slot;
    EXPECT_TRUE(bridge.SetCustomFieldMap(9, kACTLastResults));
    EXPECT_EQ(bridge.GetCustomFieldMap(9), kACTLastResults);
    EXPECT_EQ(bridge.GetCustomFieldMap(10), 0);
}

TEST_F(ActLoad, ActivitiesConvertTheirRecurrenceByCodeAndOnDateFlag) {
    const struct {
        int code, onDate, dayValue, instance, month, interval;
        int type, mask, dayOfMonth, wantInstance, wantMonth, wantInterval;
    } cases[] = {
        {0, 0, 5, 2, 3, 4, 0, 0, 0, 0, 0, 0},        // none
        {1, 0, 5, 2, 3, 4, 1, 0, 0, 0, 0, 4},        // daily
        {2, 1, 0x2A, 2, 3, 2, 2, 0x2A, 0, 0, 0, 2},  // weekly: the mask whatever the flag
        {3, 1, 15, 2, 3, 1, 4, 0, 15, 0, 0, 1},      // monthly on a date
        {3, 0, 4, 2, 3, 1, 3, 4, 0, 2, 0, 1},        // monthly on a weekday
        {4, 1, 24, 5, 12, 1, 6, 0, 24, 0, 12, 1},    // yearly on a date
        {4, 0, 2, 5, 5, 1, 5, 2, 0, 5, 5, 1},        // yearly on a weekday
        {4, 2, 2, 1, 5, 1, 5, 2, 0, 1, 5, 1},        // any flag but 1 is a weekday
        {7, 1, 2, 1, 5, 1, 0, 0, 0, 0, 0, 0},        // unknown code
        {-1, 1, 2, 1, 5, 1, 0, 0, 0, 0, 0, 0},
    };
    std::vector<ActActivity> acts;
    for (const auto& c : cases) {
        ActActivity a;
        a.description = "Code " + std::to_string(c.code);
        a.start = OleDate(2026, 3, 2, 9);
        a.end = OleDate(2026, 3, 2, 10);
        a.recurrence = c.code;
        a.onDate = c.onDate;
        a.dayValue = c.dayValue;
        a.instance = c.instance;
        a.month = c.month;
        a.interval = c.interval;
        a.recurrenceEnd = OleDate(2027, 1, 31);
        acts.push_back(a);
    }
    auto b = Load<CxACTDateUtil>(acts, "ACTDate.dat");
    ASSERT_EQ(b->GetRecordCount(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const CommRepeatInfo& r = b->GetDataMgr()->GetRecordAt(i)->Repeat;
        SCOPED_TRACE("code " + std::to_string(c.code) + " on-a-date " + std::to_string(c.onDate));
        EXPECT_EQ(r.Type, c.type);
        EXPECT_EQ(r.DayOfWeekMask, c.mask);
        EXPECT_EQ(r.DayOfMonth, c.dayOfMonth);
        EXPECT_EQ(r.Instance, c.wantInstance);
        EXPECT_EQ(r.MonthOfYear, c.wantMonth);
        EXPECT_EQ(r.Interval, c.wantInterval);
        EXPECT_EQ(r.HasEnd, c.type != 0 ? 1 : 0);
        EXPECT_EQ(fwtest::MinuteText(r.EndDate), c.type != 0 ? "2027-01-31 00:00" : "0000-00-00 00:00");
    }
}

TEST_F(ActLoad, ActivityFieldsAndRecurrenceEndsOfNoDay) {
    ActActivity a;
    a.description = std::string(300, 'd');
    a.location = "Room 1";
    a.notes = "Line 1\r\nLine 2";
    a.type = 2;
    a.start = OleDate(2026, 6, 19, 8, 30);
    a.end = OleDate(2026, 6, 19, 9, 45);
    a.isPrivate = true;
    a.allDay = true;
    a.recurrence = 1;
    a.interval = 1;
    ActActivity noEnd = a;
    noEnd.type = 9;
    noEnd.recurrenceEnd = 0.0;
    ActActivity dayOne = a;
    dayOne.type = -1;
    dayOne.recurrenceEnd = 1.0;  // 31 December 1899: no end either
    ActActivity dayTwo = a;
    dayTwo.recurrenceEnd = 2.0;
    auto b = Load<CxACTDateUtil>(std::vector<ActActivity>{a, noEnd, dayOne, dayTwo}, "ACTDate.dat");
    const CommDateRec* rec = b->GetDataMgr()->GetRecordAt(0);
    EXPECT_EQ(std::string(rec->Subject), std::string(255, 'd'));
    EXPECT_STREQ(rec->Location, "Room 1");
    EXPECT_STREQ(rec->Note, "Line 1\r\nLine 2");
    EXPECT_EQ(rec->EventType, 2);
    // All day: its day from midnight to midnight.
    EXPECT_EQ(fwtest::MinuteText(rec->Start), "2026-06-19 00:00");
    EXPECT_EQ(fwtest::MinuteText(rec->End), "2026-06-20 00:00");
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->AllDay, 1);
    EXPECT_EQ(rec->SourceType, 17);
    EXPECT_EQ(b->GetDataMgr()->GetRecordAt(1)->EventType, 0);
    EXPECT_EQ(b->GetDataMgr()->GetRecordAt(2)->EventType, 0);
    EXPECT_EQ(b->GetDataMgr()->GetRecordAt(1)->Repeat.HasEnd, 0);
    EXPECT_EQ(b->GetDataMgr()->GetRecordAt(2)->Repeat.HasEnd, 0);
    EXPECT_EQ(b->GetDataMgr()->GetRecordAt(3)->Repeat.HasEnd, 1);
    EXPECT_EQ(fwtest::MinuteText(b->GetDataMgr()->GetRecordAt(3)->Repeat.EndDate), "1900-01-01 00:00");
}

TEST_F(ActLoad, TodosMapPriorityAndDueDate) {
    const struct {
        int actPriority, priority;
    } priorities[] = {{0, CommPriorityHigh},
                      {1, CommPriorityNormal},
                      {2, CommPriorityLow},
                      {3, CommPriorityNormal},
                      {-1, CommPriorityNormal}};
    std::vector<ActTodo> todos;
    for (const auto& p : priorities) {
        ActTodo t;
        t.description = "Priority " + std::to_string(p.actPriority);
        t.priority = p.actPriority;
        todos.push_back(t);
    }
    ActTodo due;
    due.description = "Call Bo";
    due.regarding = "kept";
    due.notes = "About the offer";
    due.due = OleDate(2026, 3, 31, 17, 0);
    due.isPrivate = true;
    due.completed = true;
    due.kept = {1, 2, 3, 4, 5, 6};
    due.keptDate = OleDate(2026, 1, 1);
    todos.push_back(due);
    auto b = Load<CxACTTaskUtil>(todos, "ACTTask.dat");
    ASSERT_EQ(b->GetRecordCount(), todos.size());
    for (std::size_t i = 0; i < std::size(priorities); ++i) {
        const CommTaskRec* rec = b->GetDataMgr()->GetRecordAt(i);
        EXPECT_EQ(rec->Priority, priorities[i].priority) << priorities[i].actPriority;
        EXPECT_EQ(rec->DueDate, 0);
        EXPECT_EQ(rec->Completed, 0);
    }
    const CommTaskRec* rec = b->GetDataMgr()->GetRecordAt(std::size(priorities));
    EXPECT_STREQ(rec->Subject, "Call Bo");
    EXPECT_STREQ(rec->Note, "About the offer");
    EXPECT_EQ(rec->DueDate, fwtest::LocalSeconds(2026, 3, 31, 17, 0));
    EXPECT_EQ(rec->Private, 1);
    EXPECT_EQ(rec->Completed, 1);
    EXPECT_EQ(rec->SourceType, 17);
    EXPECT_EQ(b->GetRecordAt(std::size(priorities))->Kept[5], 6);
}

// ACT! notes have no subject; the first line stands in for one, as Outlook
// shows it, so that a note migrated once is found the same on the next run.
TEST_F(ActLoad, NotesTakeTheirFirstLineAsSubject) {
    const struct {
        std::string text, subject;
    } cases[] = {{"Lunch with Bo\r\nAt noon", "Lunch with Bo"},
                 {"Unix\nline", "Unix"},
                 {"Old Mac\rline", "Old Mac"},
                 {"One line only", "One line only"},
                 {"", ""},
                 {"\r\nSecond", ""},
                 {std::string(300, 's') + "\nmore", std::string(255, 's')}};
    std::vector<ActNote> notes;
    for (const auto& c : cases) {
        ActNote n;
        n.text = c.text;
        n.createUser = "Anna";
        n.created = OleDate(2025, 1, 2, 3, 4);
        n.edited = OleDate(2025, 2, 3, 4, 5);
        notes.push_back(n);
    }
    auto b = Load<CxACTNoteUtil>(notes, "ACTNote.dat");
    ASSERT_EQ(b->GetRecordCount(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CommNoteRec* rec = b->GetDataMgr()->GetRecordAt(i);
        EXPECT_EQ(rec->Subject, cases[i].subject);
        EXPECT_EQ(rec->Note, cases[i].text);
        EXPECT_EQ(rec->CreationTime, OleDate(2025, 1, 2, 3, 4));
        EXPECT_EQ(rec->LastModificationTime, OleDate(2025, 2, 3, 4, 5));
        EXPECT_EQ(rec->SourceType, 17);
    }
    EXPECT_STREQ(b->GetRecordAt(0)->CreateUser, "Anna");
}

TEST_F(ActLoad, EachKindLogsItsLinesInOrder) {
    Load<CxACTAddrUtil>(std::vector<ActContact>(3), "ACTAddr.dat");
    ExpectLinesInOrder({"Start loading ACT! Contacts.", "Start loading ACT! Contacts from temperary file: ACTAddr.dat",
                        "There are 3 Contact records in total.",
                        "Load ACT! Contacts information from file successfully.",
                        "Load ACT! Contacts information successfully."});
    Load<CxACTDateUtil>(std::vector<ActActivity>(2), "ACTDate.dat");
    ExpectLinesInOrder({"Start loading ACT! Calendar Events.",
                        "Start loading ACT! Calendar events information from temperary file: ACTDate.dat",
                        "There are 2 Calendar event records in total.",
                        "Load ACT! Calendar event information from file successfully.",
                        "Load ACT! Calendar events information successfully."});
    Load<CxACTTaskUtil>(std::vector<ActTodo>(4), "ACTTask.dat");
    ExpectLinesInOrder({"Start loading ACT! Todos and Opportunities.",
                        "Start loading ACT! Todos and Opportunities information from temperary file: ACTTask.dat",
                        "There are 4 records in total.",
                        "Load ACT! Todos and Opportunities information successfully."});
    Load<CxACTNoteUtil>(std::vector<ActNote>(1), "ACTNote.dat");
    ExpectLinesInOrder({"Start loading ACT! Notes.",
                        "Start loading ACT! Notes information from temperary file: ACTNote.dat",
                        "Load ACT! Notes information successfully."});
    EXPECT_FALSE(Logged("There are 1 "));  // notes log no count
}

TEST_F(ActLoad, AMissingDataFileFailsEachKindWithItsLines) {
    fwtest::ScopedEnv noData("FWTH_NODATA", "1");
    const struct {
        std::function<std::unique_ptr<CxHelperBridge>()> make;
        std::string openFailure, failure;
    } kinds[] = {
        {[&] { return Make<CxACTAddrUtil>(); }, "Failed to open file: " + folder + "ACTAddr.dat",
         "Failed to load ACT! Contacts information."},
        {[&] { return Make<CxACTDateUtil>(); }, "Failed to open file: " + folder + "ACTDate.dat",
         "Failed to load ACT! Calendar events information."},
        {[&] { return Make<CxACTTaskUtil>(); }, "Failed to open file: " + folder + "ACTTask.dat",
         "Failed to load ACT! Todos and Opportunities information."},
        {[&] { return Make<CxACTNoteUtil>(); },
         "Cannot load ACT! Notes records from temperary file: " + folder + "ACTNote.dat",
         "Failed to load ACT! Notes information."},
    };
    for (const auto& k : kinds) {
        auto b = k.make();
        EXPECT_FALSE(b->Load());
        EXPECT_TRUE(b->HasError());
        ExpectLinesInOrder({k.openFailure, k.failure});
    }
}

// The helper's message in its error file is what the wizard and batch mode
// show; an error file from an earlier failed run is not taken for the
// message of the next one.
TEST_F(ActLoad, TheErrorFileGivesTheMessageOfThisRunOnly) {
    auto b = Make<CxACTAddrUtil>();
    {
        fwtest::ScopedEnv noData("FWTH_NODATA", "1");
        fwtest::ScopedEnv errors("FWTH_ERRORS", "2");
        EXPECT_FALSE(b->Load());
        EXPECT_STREQ(b->GetErrorText(), "problem 2");
    }
    ASSERT_TRUE(fwtest::WriteActFile(source + "/ACTAddr.dat", std::vector<ActContact>(1)));
    EXPECT_TRUE(b->Load());
    EXPECT_FALSE(b->HasError());
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 1u);
}

TEST_F(ActLoad, ACutDataFileFailsTheLoad) {
    ASSERT_TRUE(fwtest::WriteActFile(source + "/ACTTask.dat", std::vector<ActTodo>(3)));
    // The last record ends five bytes early.
    std::string bytes = fwtest::ReadFile(source + "/ACTTask.dat");
    bytes.resize(bytes.size() - 5);
    fwtest::WriteFile(source + "/ACTTask.dat", bytes);
    auto b = Make<CxACTTaskUtil>();
    EXPECT_FALSE(b->Load());
    EXPECT_TRUE(b->HasError());
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 2u);
    EXPECT_TRUE(Logged("Failed to load ACT! Todos and Opportunities information."));
}
