// The Google contacts and calendar bridges over data files in the helpers'
// layout: the conversions, the field catalogue and custom field map, the
// recurrence text, all-day events, reminders and the failures of a load.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "common/google/CxGRecurText.h"
#include "tests/support/BridgeFixture.h"
#include "tests/support/GoogleRecords.h"
#include "tests/support/TestBridges.h"

namespace {

std::string Text(const SYSTEMTIME& st) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                  st.wSecond);
    return buf;
}

struct GoogleLoad : fwtest::BridgeFixture {
    std::string source = folder + "source";
    fwtest::ScopedEnv copyFrom{"FWTH_SOURCE", source};

    GoogleLoad() { platform::EnsureFolderTree(source); }

    template <class Bridge>
    std::unique_ptr<Bridge> Make() {
        auto b = std::make_unique<Bridge>();
        b->SetFolder(folder.c_str());
        b->SetLogFolder(folder.c_str());
        b->SetExportPath("/exports/Takeout.zip");
        return b;
    }
    std::unique_ptr<CxGAddrUtil> LoadContacts(const std::vector<fwtest::GContact>& contacts,
                                              std::initializer_list<std::pair<int, int>> map = {}) {
        EXPECT_TRUE(fwtest::WriteGAddrFile(source + "/GAddr.dat", contacts));
        auto b = Make<CxGAddrUtil>();
        for (auto [slot, id] : map) b->SetCustomFieldMap(slot, id);
        EXPECT_TRUE(b->Load());
        return b;
    }
    std::unique_ptr<CxGDateUtil> LoadEvents(const std::vector<fwtest::GEvent>& events) {
        EXPECT_TRUE(fwtest::WriteGDateFile(source + "/GDate.dat", events));
        EXPECT_TRUE(fwtest::WriteGCalFile(source + "/GCal.dat",
                                          {{"Work", "work@group.calendar.google.com", "", "Europe/Stockholm"}}));
        auto b = Make<CxGDateUtil>();
        EXPECT_TRUE(b->Load());
        return b;
    }
};

fwtest::GContact FullContact() {
    fwtest::GContact c;
    c.first = "Anna";
    c.middle = "Maria";
    c.last = "Berg";
    c.display = "Anna Berg";
    c.nick = "Annie";
    c.company = "Acme AB";
    c.title = "Engineer";
    c.emails = {{1, "anna@home.example"}, {2, "anna@acme.example"}, {2, "second@acme.example"}, {3, "a@other.example"}};
    c.primaryEmail = "anna@acme.example";
    c.addresses = {{1, "Home formatted", "Uppsala", "Uppland", "Sweden", "75310", "Storgatan 1", "PB 1", "Fjärdingen"},
                   {2, "Work formatted", "Stockholm", "", "Sweden", "11122", "Kungsgatan 2", "", ""},
                   {3, "", "Lund", "", "", "", "Other 3", "", ""}};
    c.phones = {{7, "+46 7"}, {1, "+46 1"}, {2, "+46 2"}, {3, "+46 3"}, {4, "+46 4"}, {5, "+46 5"}, {6, "+46 6"}};
    c.primaryPhone = "+46 1";
    c.webs = {{3, "https://anna.example"}};
    c.ims = {{6, "anna@msn"}, {1, "anna@gtalk"}, {4, "anna.skype"}};
    c.customLabels = {"Shoe size"};
    c.customValues = {"38"};
    c.dates = {{3, fwtest::OleDate(2001, 5, 5)}, {1, fwtest::OleDate(1980, 2, 29)}, {2, fwtest::OleDate(2005, 6, 18)}};
    c.relations = {{3, "Mother Berg"}, {1, "Erik Berg"}, {11, "Boss"}, {12, "Helper"}};
    c.notes = "Line one\r\nLine two";
    c.group = "Friends";
    c.created = fwtest::OleDate(2010, 1, 2, 3, 4, 5);
    return c;
}

}  // namespace

TEST_F(GoogleLoad, AContactCarriesEveryMappedFieldAndKeepsItsRawRecord) {
    auto b = LoadContacts({FullContact()});
    CommAddrMgr* mgr = b->GetDataMgr();
    ASSERT_EQ(mgr->GetRecordCount(), 1u);
    const CommAddrRec& r = *mgr->GetFirstRecord();
    EXPECT_STREQ(r.FirstName, "Anna");
    EXPECT_STREQ(r.MiddleName, "Maria");
    EXPECT_STREQ(r.LastName, "Berg");
    EXPECT_STREQ(r.DisplayName, "Anna Berg");
    EXPECT_STREQ(r.NickName, "Annie");
    EXPECT_STREQ(r.Company, "Acme AB");
    EXPECT_STREQ(r.Title, "Engineer");
    // Two work slots: the first one.
    EXPECT_STREQ(r.Email, "anna@acme.example");
    EXPECT_STREQ(r.Email2, "anna@home.example");
    EXPECT_STREQ(r.Email3, "a@other.example");
    EXPECT_STREQ(r.WorkAddress.Street, "Kungsgatan 2");
    EXPECT_STREQ(r.WorkAddress.City, "Stockholm");
    EXPECT_STREQ(r.WorkAddress.PostalCode, "11122");
    EXPECT_STREQ(r.HomeAddress.City, "Uppsala");
    EXPECT_STREQ(r.HomeAddress.State, "Uppland");
    EXPECT_STREQ(r.HomeAddress.Country, "Sweden");
    EXPECT_STREQ(r.HomeAddress.PoBox, "PB 1");
    EXPECT_STREQ(r.HomeAddress.Neighborhood, "Fjärdingen");
    EXPECT_STREQ(r.OtherAddress.Street, "Other 3");
    EXPECT_STREQ(r.OtherAddress.City, "Lund");
    const std::pair<const char*, const char*> phones[] = {
        {r.HomePhone, "+46 1"}, {r.WorkPhone, "+46 2"}, {r.MobilePhone, "+46 3"}, {r.HomeFax, "+46 4"},
        {r.WorkFax, "+46 5"},   {r.Pager, "+46 6"},     {r.OtherPhone, "+46 7"},  {r.PrimaryPhone, "+46 1"}};
    for (auto [got, want] : phones) EXPECT_STREQ(got, want);
    EXPECT_DOUBLE_EQ(r.Birthday, fwtest::OleDate(1980, 2, 29));
    EXPECT_DOUBLE_EQ(r.Anniversary, fwtest::OleDate(2005, 6, 18));
    EXPECT_STREQ(r.Im1, "anna@gtalk");
    EXPECT_STREQ(r.Im2, "anna@msn");
    EXPECT_STREQ(r.SpouseName, "Erik Berg");
    EXPECT_STREQ(r.ManagerName, "Boss");
    EXPECT_STREQ(r.AssistantName, "Helper");
    EXPECT_STREQ(r.CustomLabel[0], "Shoe size");
    EXPECT_STREQ(r.CustomValue[0], "38");
    EXPECT_STREQ(r.Note, "Line one\r\nLine two");
    EXPECT_STREQ(r.Category, "Friends");
    EXPECT_EQ(r.SourceType, 8);
    EXPECT_EQ(r.NativeRecord, b->GetRecordAt(0));
    EXPECT_EQ(r.NativeSize, 0u);
    // What the common record has no room for stays in the raw record.
    EXPECT_STREQ(b->GetRecordAt(0)->Web[0], "https://anna.example");
    EXPECT_STREQ(b->GetRecordAt(0)->FormattedAddress[1], "Work formatted");
    EXPECT_TRUE(Logged("Start loading Google Contacts."));
    EXPECT_TRUE(Logged("Start loading Google Contacts from temperary file: GAddr.dat"));
    EXPECT_TRUE(Logged("There are 1 Contact records in total."));
    EXPECT_TRUE(Logged("Load Google Contacts information from file successfully."));
    EXPECT_TRUE(Logged("Load Google Contacts successfully."));
}

TEST_F(GoogleLoad, ThePrimaryEmailStandsInForAMissingWorkEmail) {
    fwtest::GContact onlyPrimary;
    onlyPrimary.primaryEmail = "solo@example.org";
    fwtest::GContact homeOnly;
    homeOnly.emails = {{1, "home@example.org"}};
    homeOnly.primaryEmail = "home@example.org";
    fwtest::GContact emptyWork;  // a work slot with no address
    emptyWork.emails = {{2, ""}};
    emptyWork.primaryEmail = "p@example.org";
    auto b = LoadContacts({onlyPrimary, homeOnly, emptyWork});
    CommAddrMgr* mgr = b->GetDataMgr();
    const CommAddrRec* r = mgr->GetFirstRecord();
    EXPECT_STREQ(r->Email, "solo@example.org");
    EXPECT_STREQ(r->Email2, "");
    r = mgr->GetNextRecord();
    EXPECT_STREQ(r->Email, "home@example.org");
    EXPECT_STREQ(r->Email2, "home@example.org");
    r = mgr->GetNextRecord();
    EXPECT_STREQ(r->Email, "p@example.org");
}

TEST_F(GoogleLoad, MappedCustomFieldsTakeTextFieldsOnly) {
    CxGAddrUtil probe;
    EXPECT_FALSE(probe.SetCustomFieldMap(10, 36));
    EXPECT_FALSE(probe.SetCustomFieldMap(-1, 36));
    EXPECT_TRUE(probe.SetCustomFieldMap(9, 36));
    // Home phone, birthday (a date), work formatted address, an id the
    // catalogue lacks, a field the contact leaves empty, mother.
    auto b = LoadContacts({FullContact()}, {{0, 36}, {1, 81}, {2, 13}, {3, 89}, {4, 59}, {9, 85}});
    const CommAddrRec& r = *b->GetDataMgr()->GetFirstRecord();
    EXPECT_STREQ(r.MappedCustomValue[0], "+46 1");
    EXPECT_STREQ(r.MappedCustomValue[1], "");
    EXPECT_STREQ(r.MappedCustomValue[2], "Work formatted");
    EXPECT_STREQ(r.MappedCustomValue[3], "");
    EXPECT_STREQ(r.MappedCustomValue[4], "");
    EXPECT_STREQ(r.MappedCustomValue[9], "Mother Berg");
}

TEST(GoogleCatalogue, NinetyOneEntriesWithoutId89AndTheirKinds) {
    ASSERT_EQ(CxGAddrUtil::GetFieldCount(), 91);
    EXPECT_EQ(CxGAddrUtil::GetFieldInfo(91), nullptr);
    EXPECT_EQ(CxGAddrUtil::GetFieldInfo(-1), nullptr);
    EXPECT_STREQ(CxGAddrUtil::GetFieldLabel(91), "N/A");
    EXPECT_EQ(CxGAddrUtil::GetFieldID(91), 0);
    EXPECT_EQ(CxGAddrUtil::FindFieldInfo(89), nullptr);
    EXPECT_EQ(CxGAddrUtil::FindFieldInfo(0), nullptr);
    std::set<int> ids;
    int previous = 0;
    for (int i = 0; i < 91; ++i) {
        const GFieldInfo* f = CxGAddrUtil::GetFieldInfo(i);
        ASSERT_NE(f, nullptr);
        EXPECT_GT(f->FieldID, previous);
        previous = f->FieldID;
        ids.insert(f->FieldID);
        EXPECT_LE(std::string(f->Label).size(), 31u);
        EXPECT_EQ(CxGAddrUtil::FindFieldInfo(f->FieldID), f);
        const bool date = f->FieldID >= 81 && f->FieldID <= 83 ? true : f->FieldID >= 91;
        EXPECT_EQ(f->Kind, date ? kGFieldDate : kGFieldText) << f->FieldID;
        if (date) {
            EXPECT_EQ(f->Size, 8);
        }
    }
    EXPECT_EQ(ids.size(), 91u);
    EXPECT_EQ(*ids.rbegin(), 92);
    const std::pair<int, int> sizes[] = {{1, 64},  {11, 64},  {12, 256}, {15, 32}, {18, 16}, {21, 16},
                                         {24, 32}, {27, 128}, {30, 32},  {33, 64}, {36, 32}, {44, 256},
                                         {52, 64}, {61, 64},  {71, 64},  {84, 64}, {88, 64}, {90, 10240}};
    for (auto [id, size] : sizes) EXPECT_EQ(CxGAddrUtil::FindFieldInfo(id)->Size, size) << id;
    EXPECT_STREQ(CxGAddrUtil::FindFieldInfo(41)->Label, "Pager");
    EXPECT_STREQ(CxGAddrUtil::FindFieldInfo(70)->Label, "Custom Label 10");
    EXPECT_STREQ(CxGAddrUtil::FindFieldInfo(92)->Label, "Last Modification Time");
}

TEST(GoogleCatalogue, EachFieldReadsItsOwnValue) {
    // Every text of the record distinct, so that a field reading another's
    // value shows.
    GAddrRec r{};
    std::snprintf(r.FirstName, sizeof r.FirstName, "first");
    std::snprintf(r.JobTitle, sizeof r.JobTitle, "title");
    r.EmailType[0] = 3, r.EmailType[1] = 1, r.EmailType[2] = 3;
    std::snprintf(r.Email[0], 64, "other1");
    std::snprintf(r.Email[1], 64, "home");
    std::snprintf(r.Email[2], 64, "other2");
    std::snprintf(r.PrimaryEmail, 64, "primary");
    r.AddressType[0] = 2;
    r.AddressType[1] = 3;
    std::snprintf(r.Neighborhood[1], 64, "other-hood");
    std::snprintf(r.State[0], 16, "work-state");
    r.PhoneType[4] = 6;
    std::snprintf(r.Phone[4], 32, "pager");
    r.WebType[0] = 4;
    std::snprintf(r.Web[0], 256, "ftp");
    r.ImType[2] = 8;
    std::snprintf(r.Im[2], 64, "jabber");
    std::snprintf(r.CustomLabel[9], 64, "label10");
    std::snprintf(r.CustomValue[0], 64, "value1");
    r.RelationType[19] = 4;
    std::snprintf(r.Relation[19], 64, "father");
    std::snprintf(r.Notes, sizeof r.Notes, "notes");
    r.DateType[4] = 2;
    r.Date[4] = fwtest::OleDate(2005, 6, 18);
    r.LastModificationTime = fwtest::OleDate(2011, 12, 24, 18, 30, 15);
    const std::pair<int, const char*> expected[] = {{1, "first"},
                                                    {7, "title"},
                                                    {8, "home"},
                                                    {9, ""},
                                                    {10, "other1"},
                                                    {11, "primary"},
                                                    {19, "work-state"},
                                                    {18, ""},
                                                    {35, "other-hood"},
                                                    {41, "pager"},
                                                    {47, "ftp"},
                                                    {59, "jabber"},
                                                    {70, "label10"},
                                                    {71, "value1"},
                                                    {86, "father"},
                                                    {90, "notes"},
                                                    {82, "06/18/2005"},
                                                    {81, ""},
                                                    {92, "12/24/2011 18:30:15"},
                                                    {91, ""},
                                                    {89, ""}};
    for (auto [id, text] : expected) EXPECT_EQ(CxGAddrUtil::GetFieldText(r, id), text) << id;
}

// ---- the recurrence text ----

struct RuleCase {
    const char* text;
    int type, interval;  // after the text, from type 3 and interval 7
    const char* start;   // after the text, from 2008-01-01 08:00:00
};

TEST(GoogleRecurrence, TheRuleLineSetsTypeAndIntervalAsItSays) {
    const RuleCase cases[] = {
        {"", 0, 7, "2008-01-01 08:00:00"},
        {"DTSTART:20080102T093000\r\n", 0, 7, "2008-01-02 09:30:00"},
        {"RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO\r\n", 2, 7, nullptr},
        {"RRULE:FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=15\r\n", 4, 3, nullptr},
        {"RRULE:FREQ=MONTHLY;BYWEEKNO=2\r\n", 3, 7, nullptr},
        {"RRULE:FREQ=MONTHLY;INTERVAL=2;BYDAY=2TU", 3, 2, nullptr},
        {"RRULE:FREQ=DAILY;INTERVAL=4\n", 1, 4, nullptr},
        {"RRULE:freq=daily", 1, 7, nullptr},
        {"RRULE:FREQ=YEARLY;BYMONTH=6;BYMONTHDAY=1", 6, 7, nullptr},
        {"RRULE:FREQ=YEARLY;INTERVAL=2;BYDAY=1SU", 5, 2, nullptr},
        // The second Tuesday of March names its month and stays on a weekday.
        {"RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2TU", 5, 7, nullptr},
        {"RRULE:FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=10;BYDAY=TU", 6, 7, nullptr},
        {"RRULE:INTERVAL=5;BYMONTHDAY=1\r\n", 3, 7, nullptr},
        {"RRULE:FREQ=HOURLY;INTERVAL=5", 3, 7, nullptr},
        {"RRULE:FREQ=DAILY;INTERVAL=1234567890", 1, 7, nullptr},
        {"RRULE:FREQ=DAILY;INTERVAL=123456789", 1, 123456789, nullptr},
        {"RRULE:FREQ=DAILY;INTERVAL=x2", 1, 7, nullptr},
        {"RRULE:FREQ=DAILY;INTERVAL=12abc", 1, 12, nullptr},
        // The parts come from the rule line only.
        {"RRULE:FREQ=MONTHLY\r\nX-NOTE:BYMONTHDAY=3;INTERVAL=9\r\n", 3, 7, nullptr},
        {"RRULE:FREQ=DAILY\r\nINTERVAL=9", 1, 7, nullptr},
        {"EXRULE:FREQ=DAILY\r\n", 0, 7, nullptr},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.text);
        CommDateRec rec{};
        rec.Start = fwtest::At(2008, 1, 1, 8);
        rec.Repeat.Type = 3;
        rec.Repeat.Interval = 7;
        rec.Repeat.DayOfMonth = 11;
        CxGApplyRecurrenceText(c.text, rec);
        EXPECT_EQ(rec.Repeat.Type, c.type);
        EXPECT_EQ(rec.Repeat.Interval, c.interval);
        EXPECT_EQ(rec.Repeat.DayOfMonth, 11);
        EXPECT_EQ(Text(rec.Start), c.start ? c.start : "2008-01-01 08:00:00");
    }
}

TEST(GoogleRecurrence, StartAndEndAreTakenAsWrittenOrLeftAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"DTSTART;TZID=America/New_York:20080102T093000\r\nRRULE:FREQ=DAILY", "2008-01-02 09:30:00"},
        {"DTSTART;TZID=\"GMT+01:00\":20080102T093000", "2008-01-02 09:30:00"},
        {"DTSTART:20080102T\r\n", "2008-01-02 00:00:00"},
        {"DTSTART:20080102T093000Z", "2008-01-02 09:30:00"},
        {"DTSTART;VALUE=DATE:20080102\r\n", "2008-01-01 08:00:00"},
        {"DTSTART:2008012T093000", "2008-01-01 08:00:00"},
        {"DTSTART:20081302T093000", "2008-01-01 08:00:00"},
        {"DTSTART:20080230T093000", "2008-01-01 08:00:00"},
        {"DTSTART:20080102T0930", "2008-01-01 08:00:00"},
        {"DTSTART:20080102T256000", "2008-01-01 08:00:00"},
        {"DTSTART", "2008-01-01 08:00:00"},
        // A time-zone block's own start lines are not the event's.
        {"RRULE:FREQ=DAILY\r\nBEGIN:VTIMEZONE\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n", "2008-01-01 08:00:00"},
    };
    for (auto [text, start] : cases) {
        SCOPED_TRACE(text);
        CommDateRec rec{};
        rec.Start = fwtest::At(2008, 1, 1, 8);
        rec.End = fwtest::At(2008, 1, 1, 9);
        CxGApplyRecurrenceText(text, rec);
        EXPECT_EQ(Text(rec.Start), start);
        EXPECT_EQ(Text(rec.End), "2008-01-01 09:00:00");
    }
    CommDateRec rec{};
    CxGApplyRecurrenceText("DTSTART:20080102T093000\r\nDTEND:20080102T103000\r\n", rec);
    EXPECT_EQ(Text(rec.End), "2008-01-02 10:30:00");
    EXPECT_EQ(rec.End.wDayOfWeek, 3);  // a Wednesday
}

// ---- events ----

TEST_F(GoogleLoad, AnEventConvertsItsCodesRemindersAndRule) {
    fwtest::GEvent e;
    e.id = "evt-1";
    e.title = "Planning";
    e.location = "Room 4";
    e.start = fwtest::OleDate(2008, 1, 1, 8);
    e.end = fwtest::OleDate(2008, 1, 1, 9);
    e.visibility = 2;
    e.transparency = 1;
    e.reminderCount = 5;
    e.reminderMethod[0] = 1, e.reminderMethod[1] = 2, e.reminderMethod[2] = 7;
    e.reminderOffset[0] = 10, e.reminderOffset[1] = 2, e.reminderOffset[2] = 1;
    e.reminderUnit[0] = 0, e.reminderUnit[1] = 1, e.reminderUnit[2] = 9;
    e.recurrence =
        "DTSTART;TZID=Europe/Berlin:20080102T093000\r\nDTEND;TZID=Europe/Berlin:20080102T103000\r\n"
        "RRULE:FREQ=WEEKLY;INTERVAL=3;BYDAY=WE\r\n";
    e.recurrenceType = 2;
    e.recurrenceHasEnd = 5;
    e.recurrenceStart = fwtest::OleDate(2008, 1, 2);
    e.recurrenceEnd = fwtest::OleDate(2008, 6, 30);
    e.interval = 2, e.weekdayMask = 8, e.dayOfMonth = 0, e.monthOfYear = 0, e.instance = 0;
    e.description = std::string(9000, 'd');
    e.category = std::string(70, 'c');
    fwtest::GEvent odd;
    odd.title = "Odd codes";
    odd.visibility = 3, odd.transparency = 5, odd.recurrenceType = 9;
    odd.reminderCount = 0;
    odd.reminderMethod[0] = 1, odd.reminderOffset[0] = 15;
    auto b = LoadEvents({e, odd});
    CommDateMgr* mgr = b->GetDataMgr();
    ASSERT_EQ(mgr->GetRecordCount(), 2u);
    const CommDateRec& r = *mgr->GetFirstRecord();
    EXPECT_STREQ(r.Subject, "Planning");
    EXPECT_STREQ(r.Location, "Room 4");
    EXPECT_EQ(Text(r.Start), "2008-01-02 09:30:00");
    EXPECT_EQ(Text(r.End), "2008-01-02 10:30:00");
    EXPECT_EQ(r.AllDay, 0);
    EXPECT_EQ(r.Visibility, 2);
    EXPECT_EQ(r.Transparency, 1);
    EXPECT_EQ(r.Repeat.Type, 2);
    EXPECT_EQ(r.Repeat.Interval, 2);  // WEEKLY keeps the data file's interval
    EXPECT_EQ(r.Repeat.DayOfWeekMask, 8);
    EXPECT_EQ(r.Repeat.HasEnd, 1);
    EXPECT_EQ(Text(r.Repeat.EndDate), "2008-06-30 00:00:00");
    ASSERT_EQ(r.ReminderCount, 3);
    EXPECT_EQ(r.Alarm, 1);
    const CommReminder want[3] = {{1, 10, CommUnitMinutes}, {2, 2, CommUnitHours}, {2, 1, CommUnitMinutes}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.Reminders[i].Method, want[i].Method) << i;
        EXPECT_EQ(r.Reminders[i].Amount, want[i].Amount) << i;
        EXPECT_EQ(r.Reminders[i].Unit, want[i].Unit) << i;
    }
    EXPECT_EQ(std::string(r.Note).size(), 8191u);
    EXPECT_EQ(std::string(r.Category).size(), 63u);
    EXPECT_EQ(r.SourceType, 8);
    EXPECT_EQ(r.NativeRecord, b->GetRecordAt(0));
    EXPECT_STREQ(b->GetRecordAt(0)->EventID, "evt-1");

    const CommDateRec& o = *mgr->GetNextRecord();
    EXPECT_EQ(o.Visibility, 0);
    EXPECT_EQ(o.Transparency, 0);
    EXPECT_EQ(o.Repeat.Type, 0);
    EXPECT_EQ(o.ReminderCount, 0);
    EXPECT_EQ(o.Alarm, 0);
    EXPECT_EQ(o.Reminders[0].Amount, 0);
    EXPECT_EQ(o.Start.wYear, 0);  // no date stays no date

    ASSERT_EQ(b->GetCalendarCount(), 1u);
    EXPECT_STREQ(b->GetCalendarAt(0)->TimeZone, "Europe/Stockholm");
    for (const char* line :
         {"Start loading Google Calendar.", "Start loading Calendar events information from file: GDate.dat",
          "There are 2 event records in total", "Load Calendar events information from file successfully.",
          "Start loading Calendar definition information from file: GCal.dat", "There are 1 calendars in total.",
          "Load Calendar definition information successfully.", "Load Google Calendar successfully."})
        EXPECT_TRUE(Logged(line)) << line;
}

TEST_F(GoogleLoad, AllDayEventsCoverWholeDays) {
    fwtest::GEvent one;  // as the helpers write a one-day event: to the next midnight
    one.title = "Holiday";
    one.allDay = 1;
    one.start = fwtest::OleDate(2008, 12, 24);
    one.end = fwtest::OleDate(2008, 12, 25);
    fwtest::GEvent three = one;  // three days, with a time left in its values
    three.start = fwtest::OleDate(2009, 7, 1, 10);
    three.end = fwtest::OleDate(2009, 7, 3, 12);
    fwtest::GEvent noEnd = one;
    noEnd.end = 0.0;
    fwtest::GEvent withText = one;  // a date-only start line leaves the day
    withText.recurrence = "DTSTART;VALUE=DATE:20081224\r\nRRULE:FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=24\r\n";
    auto b = LoadEvents({one, three, noEnd, withText});
    const std::pair<const char*, const char*> want[] = {{"2008-12-24 00:00:00", "2008-12-25 00:00:00"},
                                                        {"2009-07-01 00:00:00", "2009-07-04 00:00:00"},
                                                        {"2008-12-24 00:00:00", "2008-12-25 00:00:00"},
                                                        {"2008-12-24 00:00:00", "2008-12-25 00:00:00"}};
    CommDateMgr* mgr = b->GetDataMgr();
    const CommDateRec* r = mgr->GetFirstRecord();
    for (auto [start, end] : want) {
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->AllDay, 1);
        EXPECT_EQ(Text(r->Start), start);
        EXPECT_EQ(Text(r->End), end);
        r = mgr->GetNextRecord();
    }
    EXPECT_EQ(b->GetRecordAt(3)->AllDay, 1);
    EXPECT_EQ(mgr->GetFirstRecord()->Repeat.Type, 0);
}

// ---- failures ----

TEST_F(GoogleLoad, MissingFilesFailTheLoadWithTheirLines) {
    fwtest::ScopedEnv noData{"FWTH_NODATA", "1"};
    auto contacts = Make<CxGAddrUtil>();
    EXPECT_FALSE(contacts->Load());
    EXPECT_TRUE(Logged("Failed to open file: " + folder + "GAddr.dat"));
    EXPECT_TRUE(Logged("Error loading Google Contacts."));
    auto calendar = Make<CxGDateUtil>();
    EXPECT_FALSE(calendar->Load());
    EXPECT_TRUE(Logged("Failed to open file: " + folder + "GDate.dat"));
    EXPECT_TRUE(Logged("Failed to load Calendar events information from file."));
    EXPECT_FALSE(Logged("Start loading Calendar definition information"));
}

TEST_F(GoogleLoad, AMissingCalendarsFileFailsButKeepsTheEvents) {
    fwtest::GEvent e;
    e.title = "Kept";
    ASSERT_TRUE(fwtest::WriteGDateFile(source + "/GDate.dat", {e}));
    auto b = Make<CxGDateUtil>();
    EXPECT_FALSE(b->Load());
    EXPECT_TRUE(Logged("Failed to open file: " + folder + "GCal.dat"));
    EXPECT_TRUE(Logged("Failed to load Calendar definition information from file."));
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 1u);
    EXPECT_NE(std::string(b->GetErrorText()).find("GCal.dat"), std::string::npos);
    b->Clear();
    EXPECT_EQ(b->GetDataMgr()->GetRecordCount(), 0u);
    EXPECT_EQ(b->GetCalendarCount(), 0u);
}

TEST_F(GoogleLoad, AnErrorFileMarksTheLoadAndACutFileIsReported) {
    fwtest::ScopedEnv errors{"FWTH_ERRORS", "1"};
    auto contacts = LoadContacts({FullContact()});
    EXPECT_TRUE(contacts->HasError());
    EXPECT_STREQ(contacts->GetErrorText(), "problem 1");

    // A calendars file cut inside its only record.
    fwtest::WriteFile(source + "/GCal.dat", fwtest::Int32Bytes(1) + fwtest::Int32Bytes(40) + "short");
    ASSERT_TRUE(fwtest::WriteGDateFile(source + "/GDate.dat", {}));
    auto calendar = Make<CxGDateUtil>();
    EXPECT_FALSE(calendar->Load());
    EXPECT_EQ(calendar->GetCalendarCount(), 0u);
}
