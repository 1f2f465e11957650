// The record sets on Palm Desktop 6.x database files: loading by file and
// by user, the file check, and the conversion of what the 6.x readers
// deliver (phones by label, packed birthdays, repeat rule texts).
#include <ctime>

#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "common/palm/TdmMain.h"
#include "tests/palm/PalmDesktopFixture.h"
#include "tools/jetfixture/PalmTables.h"

using jetfixture::PalmDatabase;
using jetfixture::PalmKind;
using jetfixture::PalmRecord;
using palmtest::FakeUser;

namespace {

std::int64_t Local(int y, int mo, int d, int h = 0, int mi = 0) { return palmtest::LocalSeconds(y, mo, d, h, mi); }

class Ex2RecordSetTest : public palmtest::PalmDesktopTest {
protected:
    ~Ex2RecordSetTest() override { TdmMain::Instance().CloseAll(); }

    static void Write(const PalmDatabase& db, const std::string& path) {
        std::string error;
        ASSERT_TRUE(db.Write(path, error)) << error;
    }
    static void Add(PalmDatabase& db, const PalmRecord& record) {
        std::string error;
        ASSERT_TRUE(db.AddRecord(record, error)) << error;
    }

    static PalmDatabase Contacts() {
        PalmDatabase db(PalmKind::Contacts);
        db.AddCategory({3, "Family", 0, 0});
        Add(db, {{"Record ID", std::int64_t{1}},
                 {"Status", std::int64_t{1}},
                 {"Category", std::int64_t{3}},
                 {"First Name", std::string("Mar\xC3\xAD"
                                            "a")},
                 {"Middle Name", std::string("Jos\xC3\xA9")},
                 {"Last Name", std::string("L\xC3\xB3pez")},
                 {"English Name", std::string("Maria Lopez")},
                 {"Work Phone", std::string("+34 91 555 0101")},
                 {"Work Fax", std::string("+34 91 555 0102")},
                 {"Work Mobile", std::string("+34 600 555 010")},
                 {"Phone Label1", std::int64_t{0}},
                 {"Phone Label2", std::int64_t{2}},
                 {"Phone Label3", std::int64_t{7}},
                 {"Home Street", std::string("Calle Mayor 1")},
                 {"Chat1", std::string("maria-im")},
                 {"Custom 10", std::string("tenth")},
                 {"Birthday", std::int64_t{0x07B5031C}},     // 1973-03-28
                 {"Anniversary", std::int64_t{0x07CF0A0F}},  // 1999-10-15
                 {"Note", std::string(3000, 'n')}});
        Add(db, {{"Record ID", std::int64_t{2}}, {"Status", std::int64_t{0x84}}, {"First Name", std::string("Gone")}});
        return db;
    }

    static PalmDatabase Calendar() {
        PalmDatabase db(PalmKind::Calendar);
        const char* rules[] = {"W2 MO WE FR #0", "MP1 2+ TU 20061231T000000Z", "MD1 15 #0", "YM1 6 #0", "D3 #0", ""};
        std::int64_t id = 1;
        for (const char* rule : rules) {
            Add(db, {{"Record ID", id},
                     {"Status", std::int64_t{1}},
                     {"Summary", std::string("Rule ") + rule},
                     {"Start Time", Local(2006, 1, 10, 9, 0) + (id - 1) * 86400},
                     {"End Time", Local(2006, 1, 10, 10, 0) + (id - 1) * 86400},
                     {"Alarm", true},
                     {"Alarm Advance", std::int64_t{1}},
                     {"Alarm Unit", std::int64_t{2}},
                     {"Location", std::string("Sala 2")},
                     {"Repeated Event", std::string(rule)}});
            ++id;
        }
        return db;
    }

    static PalmDatabase Tasks() {
        PalmDatabase db(PalmKind::Tasks);
        Add(db, {{"Record ID", std::int64_t{40}},
                 {"Status", std::int64_t{1}},
                 {"Description", std::string("Yearly task")},
                 {"Priority", std::int64_t{5}},
                 {"Private", true},
                 {"Alarm Set", true},
                 {"Due Date", Local(2026, 6, 1)},
                 {"Repeat Info", std::string("YM1 6 #0")}});
        Add(db, {{"Record ID", std::int64_t{41}},
                 {"Status", std::int64_t{1}},
                 {"Description", std::string("Monthly task")},
                 {"Repeat Info", std::string("MD1 15 #0")}});
        return db;
    }

    static PalmDatabase Memos() {
        PalmDatabase db(PalmKind::Memos);
        Add(db, {{"Record ID", std::int64_t{9}},
                 {"Status", std::int64_t{1}},
                 {"Private", true},
                 {"Note", std::string("Groceries\r\nbread")}});
        return db;
    }
};

}  // namespace

TEST_F(Ex2RecordSetTest, ContactsOfADatabase) {
    const std::string path = dir.File("Address.MDB");
    Write(Contacts(), path);
    PmAddrInfo set;
    ClearLog();
    ASSERT_TRUE(set.LoadByFile(path.c_str()));
    EXPECT_TRUE(Logged(".mdb file, try Palm Desktop 6.x database loader.", false));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenEx2);
    ASSERT_EQ(set.GetCommonList()->GetRecordCount(), 1u);  // the 0x84 record is left out
    const CommAddrRec& rec = *set.GetCommonList()->GetFirstRecord();
    EXPECT_STREQ(rec.FirstName,
                 "Mar\xC3\xAD"
                 "a");
    EXPECT_STREQ(rec.MiddleName, "Jos\xC3\xA9");
    EXPECT_STREQ(rec.LastName, "L\xC3\xB3pez");
    EXPECT_STREQ(rec.DisplayName, "Maria Lopez");
    EXPECT_STREQ(rec.WorkPhone, "+34 91 555 0101");
    EXPECT_STREQ(rec.WorkFax, "+34 91 555 0102");
    EXPECT_STREQ(rec.MobilePhone, "+34 600 555 010");
    EXPECT_STREQ(rec.HomeAddress.Street, "Calle Mayor 1");
    EXPECT_STREQ(rec.Im1, "maria-im");
    EXPECT_STREQ(rec.CustomValue[9], "tenth");
    EXPECT_STREQ(rec.Category, "Family");
    EXPECT_EQ(rec.Birthday, 26751.0);     // 1973-03-28
    EXPECT_EQ(rec.Anniversary, 36448.0);  // 1999-10-15
    EXPECT_EQ(std::string(rec.Note), std::string(3000, 'n'));
    EXPECT_EQ(set.FirstEntry()->Generation, kPmGenEx2);
    // Through the catalogue (generation 3 without Palm Desktop): "Mobile Phone".
    int size = 0;
    EXPECT_STREQ(PmAddrInfo::GetFieldText(*set.FirstEntry(), 20, &size), "+34 600 555 010");
}

TEST_F(Ex2RecordSetTest, RepeatTextsOfCalendarAndTasks) {
    const std::string dates = dir.File("DateBook.mdb");
    Write(Calendar(), dates);
    PmDateInfo calendar;
    ASSERT_TRUE(calendar.LoadByFile(dates.c_str()));
    std::vector<const CommDateRec*> events;
    for (PmDateEntry* e = calendar.FirstEntry(); e != nullptr; e = calendar.NextEntry())
        events.push_back(e->CommonRecord);
    ASSERT_EQ(events.size(), 6u);

    const CommRepeatInfo& weekly = events[0]->Repeat;
    EXPECT_EQ(weekly.Type, CommRepeatWeekly);
    EXPECT_EQ(weekly.Interval, 2);
    EXPECT_EQ(weekly.DayOfWeekMask, 0x2A);
    EXPECT_EQ(weekly.HasEnd, 0);

    const CommRepeatInfo& monthly = events[1]->Repeat;  // every second Tuesday until 2006-12-31
    EXPECT_EQ(monthly.Type, CommRepeatMonthlyByDay);
    EXPECT_EQ(monthly.Interval, 1);
    EXPECT_EQ(monthly.DayOfWeekMask, 0x04);
    EXPECT_EQ(monthly.Instance, 2);
    EXPECT_EQ(monthly.HasEnd, 1);
    EXPECT_EQ(monthly.EndDate.wYear, 2006);
    EXPECT_EQ(monthly.EndDate.wMonth, 12);
    EXPECT_EQ(monthly.EndDate.wDay, 31);

    EXPECT_EQ(events[2]->Repeat.Type, CommRepeatMonthlyByDate);
    EXPECT_EQ(events[2]->Repeat.DayOfMonth, 15);
    EXPECT_EQ(events[2]->Repeat.HasEnd, 0);

    const CommRepeatInfo& yearly = events[3]->Repeat;  // starts 2006-01-13
    EXPECT_EQ(yearly.Type, CommRepeatYearlyByDate);
    EXPECT_EQ(yearly.MonthOfYear, 6);
    EXPECT_EQ(yearly.DayOfMonth, 13);

    EXPECT_EQ(events[4]->Repeat.Type, CommRepeatDaily);
    EXPECT_EQ(events[4]->Repeat.Interval, 3);
    EXPECT_EQ(events[4]->Repeat.DayOfWeekMask, 0);
    EXPECT_EQ(events[5]->Repeat.Type, CommRepeatNone);

    EXPECT_STREQ(events[0]->Location, "Sala 2");
    EXPECT_EQ(events[0]->Start.wHour, 9);
    EXPECT_EQ(events[0]->Reminders[0].Unit, CommUnitDays);

    const std::string todos = dir.File("Todolist.mdb");
    Write(Tasks(), todos);
    PmTodoInfo tasks;
    ASSERT_TRUE(tasks.LoadByFile(todos.c_str()));
    const CommTaskRec* first = tasks.GetCommonList()->GetFirstRecord();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->SourceType, CommSourcePalm6);
    EXPECT_EQ(first->Repeat.Type, CommRepeatNone);  // the task form has no yearly rule
    EXPECT_EQ(first->Priority, 2);
    EXPECT_EQ(first->Sensitivity, 2);
    EXPECT_EQ(first->ReminderSet, 1);
    EXPECT_EQ(first->IdNumber, 40);
    const CommTaskRec* second = tasks.GetCommonList()->GetNextRecord();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Repeat.Type, CommRepeatMonthlyByDate);
    EXPECT_EQ(second->Repeat.DayOfMonth, 15);
}

TEST_F(Ex2RecordSetTest, FileCheckOfDatabases) {
    const std::string memos = dir.File("MemoPad.Mdb");
    Write(Memos(), memos);
    ClearLog();
    EXPECT_EQ(PmMemoInfo::CheckFileType(memos.c_str()), kPmFileEx2);
    EXPECT_TRUE(Logged("Check Palm Desktop Memos file type: (" + memos + ") - Palm Desktop 6.x", false));
    const std::string todos = dir.File("Todolist.mdb");
    Write(Tasks(), todos);
    EXPECT_EQ(PmTodoInfo::CheckFileType(todos.c_str()), kPmFileEx2);
    EXPECT_TRUE(Logged("Check Palm Desktop Task file type: (" + todos + ") - Palm Desktop 6.x", false));

    // A file named .mdb that is no database fails the check and the load.
    const std::string junk = dir.File("Address.mdb");
    fwtest::WriteFile(junk, "not a database");
    EXPECT_EQ(PmAddrInfo::CheckFileType(junk.c_str()), kPmFileUnreadable);
    PmAddrInfo set;
    EXPECT_FALSE(set.LoadByFile(junk.c_str()));
    EXPECT_EQ(set.GetLoadedGeneration(), kPmGenFailed);
    // A database of another kind has no "Main" of the right shape.
    EXPECT_EQ(PmAddrInfo::CheckFileType(memos.c_str()), kPmFileUnreadable);

    PmMemoInfo memoSet;
    ASSERT_TRUE(memoSet.LoadByFile(memos.c_str()));
    const CommNoteRec* note = memoSet.GetCommonList()->GetFirstRecord();
    ASSERT_NE(note, nullptr);
    EXPECT_STREQ(note->Subject, "Groceries");
    EXPECT_STREQ(note->Note, "Groceries\r\nbread");
    EXPECT_EQ(note->Private, 1);
    EXPECT_EQ(note->IdNumber, 9);
}

TEST_F(Ex2RecordSetTest, UsersOfPalmDesktopSixReadTheirDatabases) {
    const FakeUser mia{0x5A5A0001, "Mia", "MiaR"};
    InstallPalmDesktop(6, 0, 1, {mia});
    Write(Contacts(), UserFolder(mia, "address") + "Address.mdb");
    Write(Calendar(), UserFolder(mia, "datebook") + "DateBook.mdb");
    Write(Tasks(), UserFolder(mia, "todo") + "Todolist.mdb");
    Write(Memos(), UserFolder(mia, "MemoPad") + "MemoPad.mdb");

    PmAddrInfo contacts;
    PmDateInfo calendar;
    PmTodoInfo tasks;
    PmMemoInfo memos;
    EXPECT_EQ(contacts.GetInstalledGeneration(), kPmGenEx2);
    ClearLog();
    const std::int32_t id = static_cast<std::int32_t>(mia.id);
    ASSERT_TRUE(contacts.LoadByUser(id));
    ASSERT_TRUE(calendar.LoadByUser(id));
    ASSERT_TRUE(tasks.LoadByUser(id));
    ASSERT_TRUE(memos.LoadByUser(id));
    EXPECT_TRUE(
        Logged("Get user file successfully, try loading file:" + PalmFolderThroughDrive() + "MiaR/MemoPad/MemoPad.mdb",
               false));
    EXPECT_TRUE(Logged("Start loading Palm Desktop Calendar by user ID: " + std::to_string(id), false));
    EXPECT_EQ(contacts.GetCommonList()->GetRecordCount(), 1u);
    EXPECT_EQ(calendar.GetCommonList()->GetRecordCount(), 6u);
    EXPECT_EQ(tasks.GetCommonList()->GetRecordCount(), 2u);
    EXPECT_EQ(memos.GetCommonList()->GetRecordCount(), 1u);
    EXPECT_EQ(memos.GetLoadedGeneration(), kPmGenEx2);
}
