// The four 6.x readers over in-memory databases: decoding of every column,
// the completions per kind, the lines of a load, and failed loads.
#include <string>

#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmMemoEx2Util.h"
#include "common/palm/PmRepeatText.h"
#include "common/palm/PmTodoEx2Util.h"
#include "tests/palm/Ex2TestSupport.h"

namespace {

using palmtest::NamedRow;
using palmtest::Value;

Value I(int v) { return Value::Integer(v); }
Value T(const std::string& v) { return Value::Text(v); }
Value B(bool v) { return Value::Boolean(v); }

class ReaderTest : public palmtest::Ex2Test {};

TEST_F(ReaderTest, ContactDecodesEveryKeptColumn) {
    NamedRow row;
    const PmEx2Kind& kind = PmAddrEx2Util::kKind;
    ASSERT_EQ(kind.ColumnCount, 95u);
    for (std::size_t i = 0; i < kind.ColumnCount; ++i) {
        const PmColumn& c = kind.Columns[i];
        const std::string name = c.Name;
        if (c.Read == PmColumnRead::Bool)
            row.push_back({name, B(true)});
        else if (c.Read == PmColumnRead::Long)
            row.push_back({name, I(1000 + static_cast<int>(i))});
        else
            row.push_back({name, T("v" + std::to_string(i))});
    }
    // "Category" is column 4, so its value is 1004.
    const std::string path = AddDatabase("Address.mdb", {Categories({{1004, "Family"}}), Main(kind, {row})});
    PmAddrEx2Util reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 1u);
    const PmAddrEx2Rec& r = *reader.GetRecords().GetFirst();
    EXPECT_EQ(r.RecordID, 1000);
    EXPECT_EQ(r.Status, 1001);
    EXPECT_EQ(r.Placement, 1002);
    EXPECT_EQ(r.Private, 1);
    EXPECT_EQ(r.CategoryID, 1004);
    EXPECT_STREQ(r.CategoryName, "Family");
    EXPECT_STREQ(r.Note, "v5");
    EXPECT_STREQ(r.Prefix, "v6");
    EXPECT_STREQ(r.FirstName, "v7");
    EXPECT_STREQ(r.MiddleName, "v8");
    EXPECT_STREQ(r.LastName, "v9");
    EXPECT_STREQ(r.Suffix, "v10");
    EXPECT_STREQ(r.NickName, "v11");
    EXPECT_EQ(r.Anniversary, 1012);
    EXPECT_EQ(r.Birthday, 1013);
    EXPECT_STREQ(r.Profession, "v14");
    EXPECT_STREQ(r.Company, "v15");
    EXPECT_STREQ(r.JobTitle, "v16");
    EXPECT_STREQ(r.AssistantName, "v17");
    EXPECT_STREQ(r.AssistantPhone, "v18");
    const PmAddress* addresses[] = {&r.WorkAddress, &r.HomeAddress, &r.OtherAddress};
    for (int a = 0; a < 3; ++a) {
        const int base = 19 + 5 * a;
        EXPECT_EQ(addresses[a]->Street, "v" + std::to_string(base));
        EXPECT_EQ(addresses[a]->City, "v" + std::to_string(base + 1));
        EXPECT_EQ(addresses[a]->State, "v" + std::to_string(base + 2));
        EXPECT_EQ(addresses[a]->ZipCode, "v" + std::to_string(base + 3));
        EXPECT_EQ(addresses[a]->Country, "v" + std::to_string(base + 4));
    }
    for (int p = 0; p < 7; ++p) {
        EXPECT_EQ(r.Phone[p], "v" + std::to_string(34 + p));
        EXPECT_EQ(r.PhoneLabel[p], 1053 + p);
    }
    for (int c = 0; c < 4; ++c) EXPECT_EQ(r.Custom[c], "v" + std::to_string(48 + c));
    for (int c = 4; c < 14; ++c) EXPECT_EQ(r.Custom[c], "v" + std::to_string(64 + c));
    EXPECT_EQ(r.PrimaryContact, 1052);
    EXPECT_STREQ(r.FirstYomi, "v60");
    EXPECT_STREQ(r.LastYomi, "v61");
    EXPECT_STREQ(r.CompanyYomi, "v62");
    EXPECT_STREQ(r.Chat[0], "v63");
    EXPECT_STREQ(r.Chat[1], "v64");
    EXPECT_EQ(r.ChatLabelID[0], 1065);
    EXPECT_EQ(r.ChatLabelID[1], 1066);
    EXPECT_STREQ(r.Website, "v67");
    EXPECT_EQ(r.BirthdayAlarmSet, 1);
    EXPECT_EQ(r.BirthdayAlarmAdv, 1079);
    EXPECT_EQ(r.Avatar, 1080);
    EXPECT_EQ(r.AddrLabel[0], 1081);
    EXPECT_EQ(r.AddrLabel[2], 1083);
    EXPECT_EQ(r.AnniversaryAlarmSet, 1);
    EXPECT_EQ(r.AnniversaryAlarmAdv, 1085);
    EXPECT_STREQ(r.EnglishName, "v86");
    EXPECT_STREQ(r.PictureURL, "v87");
    EXPECT_STREQ(r.PictureFilename, "v88");
    EXPECT_STREQ(r.PictureMIMEType, "v89");
    EXPECT_STREQ(r.PictureSyncCounter, "v90");
    EXPECT_STREQ(r.RingtoneURL, "v91");
    EXPECT_STREQ(r.RingtoneFilename, "v92");
    EXPECT_STREQ(r.RingtoneMIMEType, "v93");
    EXPECT_STREQ(r.RingtoneSyncCounter, "v94");
    // Labels out of 0 to 7 route no phone.
    for (const auto& phone : r.PhoneByLabel) EXPECT_STREQ(phone, "");
}

TEST_F(ReaderTest, ContactPhonesByLabel) {
    const NamedRow row = {{"Work Phone", T("111")},
                          {"Work Fax", T("222")},
                          {"Work Mobile", T("333")},
                          {"Home Phone", T("444")},
                          {"Home Fax", T("555")},
                          {"Home Mobile", T("666")},
                          {"Other Phone", T(std::string(60, '7'))},
                          {"Phone Label1", I(0)},
                          {"Phone Label2", I(2)},
                          {"Phone Label3", I(7)},
                          {"Phone Label4", I(0)},
                          {"Phone Label5", I(8)},
                          {"Phone Label6", I(-1)},
                          {"Phone Label7", I(6)}};
    const std::string path = AddDatabase("Address.mdb", {Categories({}), Main(PmAddrEx2Util::kKind, {row})});
    PmAddrEx2Util reader(path.c_str());
    const PmAddrEx2Rec& r = *reader.GetRecords().GetFirst();
    EXPECT_STREQ(r.PhoneByLabel[7], "333");  // the third slot, labelled mobile
    EXPECT_STREQ(r.PhoneByLabel[0], "444");  // the later of two work slots
    EXPECT_STREQ(r.PhoneByLabel[2], "222");
    EXPECT_STREQ(r.PhoneByLabel[1], "");
    EXPECT_EQ(std::string(r.PhoneByLabel[6]), std::string(31, '7'));  // cut to the member
    EXPECT_EQ(std::string(r.Phone[6]), std::string(60, '7'));         // the slot keeps it whole
}

TEST_F(ReaderTest, ValuesOfOtherKindsLeaveMembersEmpty) {
    const NamedRow row = {{"Record ID", T("12 apples")},
                          {"Status", B(true)},
                          {"Private", I(1)},
                          {"Category", T("x")},
                          {"First Name", I(5)},
                          {"Anniversary", Value::None()},
                          {"Note", T(std::string(3000, 'n'))},
                          {"Last Name", T(std::string(30, 'a') + "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC")}};
    const std::string path =
        AddDatabase("Address.mdb", {Categories({{0, "Unfiled"}}), Main(PmAddrEx2Util::kKind, {row})});
    PmAddrEx2Util reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    const PmAddrEx2Rec& r = *reader.GetRecords().GetFirst();
    EXPECT_EQ(r.RecordID, 12);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Private, 0);
    EXPECT_EQ(r.CategoryID, 0);
    EXPECT_STREQ(r.CategoryName, "Unfiled");
    EXPECT_STREQ(r.FirstName, "");
    EXPECT_EQ(r.Anniversary, 0);
    EXPECT_EQ(std::string(r.Note), std::string(3000, 'n'));
    // 63 bytes hold 30 letters and 11 whole euro signs of three bytes.
    EXPECT_EQ(std::string(r.LastName), std::string(30, 'a') + "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC");
}

TEST_F(ReaderTest, CategoryNames) {
    const std::string longName =
        "Gesch\xC3\xA4"
        "ftspartner und Lieferanten 2006";
    const std::string path =
        AddDatabase("Address.mdb",
                    {Categories({{1, "First"}, {1, "Second"}, {2, longName}}),
                     Main(PmAddrEx2Util::kKind, {{{"Category", I(1)}}, {{"Category", I(2)}}, {{"Category", I(9)}}})});
    PmAddrEx2Util reader(path.c_str());
    ASSERT_EQ(reader.GetRecords().GetCount(), 3u);
    EXPECT_STREQ(reader.GetRecords().GetAt(0)->CategoryName, "First");
    EXPECT_EQ(std::string(reader.GetRecords().GetAt(1)->CategoryName), longName);  // the whole name fits
    EXPECT_STREQ(reader.GetRecords().GetAt(2)->CategoryName, "");

    PmCategoryEx2Mgr& store = reader.GetCategoryMgr();
    ASSERT_EQ(store.GetCount(), 3u);
    EXPECT_EQ(store.FindByID(2)->GetColor(), 20);
    EXPECT_STREQ(store.FindByName(longName.c_str())->GetName(), longName.c_str());
    EXPECT_EQ(store.FindByName("first"), nullptr);
    EXPECT_EQ(store.FindByName("Second")->GetID(), 1);
    int walked = 0;
    for (PmCategoryEx2* c = store.First(); c != nullptr; c = store.Next()) ++walked;
    EXPECT_EQ(walked, 3);
    EXPECT_EQ(store.GetAccessor(), reader.GetAccessor());
}

TEST_F(ReaderTest, LinesOfASuccessfulLoad) {
    const std::string path = AddDatabase(
        "Address.mdb",
        {Categories({{1, "Business"}}), Main(PmAddrEx2Util::kKind, {{{"Record ID", I(1)}}, {{"Record ID", I(2)}}})});
    PmAddrEx2Util reader;
    ClearLog();
    ASSERT_TRUE(reader.LoadFile(path.c_str()));
    std::string mainSelect = "SELECT ";
    for (std::size_t i = 0; i < PmAddrEx2Util::kKind.ColumnCount; ++i)
        mainSelect += std::string(i ? ", [" : "[") + PmAddrEx2Util::kKind.Columns[i].Name + "]";
    mainSelect += " FROM Main ";
    const std::vector<std::string> expected = {
        "Loading Palm Desktop Contacts:" + path,
        "Set database file to be opened: " + path,
        "Connection String: " + PmMDBAccessor::ConnectionString(path),
        "Start loading Palm Desktop category information.",
        "Execute SQL Query: SELECT [ID], [Name], [Status], [Color] FROM Category ",
        "Query executed successfully.",
        "Category loaded: Business",
        "Categories information loaded successfully.",
        "Start loading Palm Desktop Contacts main records.",
        "Execute SQL Query: " + mainSelect,
        "Query executed successfully.",
        "Query first record in the Contacts database table successfully.",
        "Failed to query the next record of the Contacts main table. Check if it is the end of the table.",
        "Loading Palm Desktop Contacts main records completed successfully.",
    };
    EXPECT_EQ(LogTexts(), expected);
    for (const auto& line : Log()) EXPECT_FALSE(line.critical) << line.text;
    EXPECT_EQ(reader.GetRecords().GetCount(), 2u);

    // A second load reopens the kind's connection and replaces the records.
    ClearLog();
    ASSERT_TRUE(reader.LoadFile(path.c_str()));
    EXPECT_TRUE(Logged("The connection is already opened, close it now.", false));
    EXPECT_EQ(reader.GetRecords().GetCount(), 2u);
    EXPECT_EQ(reader.GetCategoryMgr().GetCount(), 1u);
}

TEST_F(ReaderTest, EmptyMainIsAnEmptySuccess) {
    const std::string path = AddDatabase("DateBook.mdb", {Main(PmDateEx2Util::kKind, {})});
    PmDateEx2Util reader;
    ClearLog();
    EXPECT_TRUE(reader.LoadFile(path.c_str()));
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
    EXPECT_EQ(reader.GetCategoryMgr().GetCount(), 0u);  // no "Category" table: no categories
    EXPECT_TRUE(
        Logged("Failed to query the first record of the Calendar main table. Check if there is any records "
               "in the database table.",
               false));
    EXPECT_TRUE(Logged("Loading Palm Desktop Calendar main records completed successfully.", false));
    EXPECT_FALSE(
        Logged("Failed to query the next record of the Calendar main table. Check if it is the end of the "
               "table.",
               false));
}

TEST_F(ReaderTest, DatabaseWithoutMainFailsTheLoad) {
    const std::string path = AddDatabase("Todolist.mdb", {Categories({{1, "Work"}})});
    PmTodoEx2Util reader;
    ClearLog();
    EXPECT_FALSE(reader.LoadFile(path.c_str()));
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_TRUE(Logged("Database Query Error, Query String=" + std::string(reader.GetAccessor()->GetFormerQuery()) +
                           ", Error=The database has no table \"Main\".",
                       true));
    EXPECT_TRUE(Logged("Open Palm Desktop Tasks database failed: " + path, true));
    EXPECT_FALSE(Logged("Loading Palm Desktop Task main records completed successfully.", false));
}

TEST_F(ReaderTest, UnreadableAndMissingFilesFailTheLoad) {
    const std::string broken = dir.File("MemoPad.mdb");
    fwtest::WriteFile(broken, "not a database");
    provider->AddUnreadable(broken, "\"MemoPad.mdb\" is not a Jet 4 database");
    PmMemoEx2Util memos;
    ClearLog();
    EXPECT_FALSE(memos.LoadFile(broken.c_str()));
    EXPECT_TRUE(Logged("Open Palm Desktop Memos database failed: " + broken, true));
    EXPECT_FALSE(Logged("Start loading Palm Desktop category information.", false));

    const std::string missing = dir.File("Address.mdb");
    PmAddrEx2Util contacts;
    ClearLog();
    EXPECT_FALSE(contacts.LoadFile(missing.c_str()));
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Loading Palm Desktop Contacts:" + missing,
                                                    "Open Palm Desktop Contacts database failed: " + missing}));
    EXPECT_EQ(contacts.GetAccessor(), nullptr);

    // A failed load leaves nothing of the file read before.
    const std::string good = AddDatabase("Good.mdb", {Main(PmMemoEx2Util::kKind, {{{"Note", T("kept")}}})});
    ASSERT_TRUE(memos.LoadFile(good.c_str()));
    ASSERT_EQ(memos.GetRecords().GetCount(), 1u);
    EXPECT_FALSE(memos.LoadFile(broken.c_str()));
    EXPECT_EQ(memos.GetRecords().GetCount(), 0u);
}

TEST_F(ReaderTest, EmptyPaths) {
    PmAddrEx2Util contacts;
    PmDateEx2Util calendar;
    PmTodoEx2Util tasks;
    PmMemoEx2Util memos;
    ClearLog();
    EXPECT_FALSE(contacts.LoadFile(""));
    EXPECT_FALSE(calendar.LoadFile(nullptr));
    EXPECT_TRUE(LogTexts().empty());
    EXPECT_FALSE(tasks.LoadFile(""));
    EXPECT_FALSE(memos.LoadFile(""));
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Invalid Palm Desktop Task database file name.",
                                                    "Invalid Palm Desktop Notes database name."}));
    for (const auto& line : Log()) EXPECT_TRUE(line.critical);
    EXPECT_FALSE(contacts.OpenFile(1, ""));
    EXPECT_FALSE(contacts.OpenFile(1, nullptr));
}

TEST_F(ReaderTest, CalendarRecords) {
    // 2007-06-14 08:00 UTC.
    const NamedRow row = {{"Record ID", I(7)},
                          {"Status", I(0x01)},
                          {"Private", B(true)},
                          {"Category", I(3)},
                          {"Note", T("Agenda: \xE2\x82\xAC")},
                          {"Start Time", I(1181808000)},
                          {"End Time", I(1181811600)},
                          {"Untimed", B(false)},
                          {"Time Zone", T("Europe/Berlin")},
                          {"Location", T("Raum 4")},
                          {"Summary", T("Jour fixe")},
                          {"Alarm", B(true)},
                          {"Alarm Advance", I(15)},
                          {"Alarm Unit", I(1)},
                          {"Repeated Event", T("MP1 2+ TU 20061231T000000Z")}};
    const NamedRow yearly = {{"Record ID", I(8)}, {"Start Time", I(1181808000)}, {"Repeated Event", T("YM1 6 #0")}};
    const std::string path =
        AddDatabase("DateBook.mdb", {Categories({{3, "Meetings"}}), Main(PmDateEx2Util::kKind, {row, yearly})});
    PmDateEx2Util reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    const PmDateEx2Rec& r = *reader.GetRecords().GetAt(0);
    EXPECT_EQ(r.RecordID, 7);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Private, 1);
    EXPECT_STREQ(r.CategoryName, "Meetings");
    EXPECT_STREQ(r.Note, "Agenda: \xE2\x82\xAC");
    EXPECT_EQ(r.StartTime, 1181808000);
    EXPECT_EQ(r.EndTime, 1181811600);
    EXPECT_EQ(r.Untimed, 0);
    EXPECT_STREQ(r.TimeZone, "Europe/Berlin");
    EXPECT_STREQ(r.Location, "Raum 4");
    EXPECT_STREQ(r.Summary, "Jour fixe");
    EXPECT_EQ(r.Alarm, 1);
    EXPECT_EQ(r.AlarmAdvance, 15);
    EXPECT_EQ(r.AlarmUnit, 1);
    EXPECT_STREQ(r.RepeatedEvent, "MP1 2+ TU 20061231T000000Z");
    EXPECT_EQ(r.Repeat.RepeatKind, 3);
    EXPECT_EQ(r.Repeat.WeekIndex, 1);
    EXPECT_EQ(r.Repeat.DayMask, 0x04);
    const PmDateEx2Rec& y = *reader.GetRecords().GetAt(1);
    EXPECT_EQ(y.Repeat.RepeatKind, 5);
    EXPECT_EQ(y.Repeat.MonthIndex, 5);
    EXPECT_EQ(y.Repeat.DayNumber, 14);
    EXPECT_STREQ(y.CategoryName, "");
}

TEST_F(ReaderTest, TaskRecords) {
    const NamedRow row = {{"Record ID", I(3)},
                          {"Status", I(0x84)},
                          {"Private", B(false)},
                          {"Category", I(2)},
                          {"Note", T("n")},
                          {"Description", T("File taxes")},
                          {"Due Date", I(1176595200)},
                          {"Completed", B(true)},
                          {"Priority", I(1)},
                          {"Repeat On Complete Date", B(true)},
                          {"Complete Date", I(1176500000)},
                          {"Alarm Set", B(true)},
                          {"Alarm Time", I(3600)},
                          {"Alarm Advance", I(2)},
                          {"Repeat Start Date", I(1176595200)},
                          {"Repeat Info", T("W2 MO WE FR #0")}};
    const std::string path = AddDatabase(
        "Todolist.mdb", {Categories({{2, "Personal"}}),
                         Main(PmTodoEx2Util::kKind, {row, {{"Repeat Info", T("YM1 6 #0")}, {"Category", I(5)}}})});
    PmTodoEx2Util reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    // Every row is a record; the status filter comes later.
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    const PmTodoEx2Rec& r = *reader.GetRecords().GetAt(0);
    EXPECT_EQ(r.Status, 0x84);
    EXPECT_STREQ(r.CategoryName, "Personal");
    EXPECT_STREQ(r.Description, "File taxes");
    EXPECT_EQ(r.DueDate, 1176595200);
    EXPECT_EQ(r.Completed, 1);
    EXPECT_EQ(r.Priority, 1);
    EXPECT_EQ(r.RepeatOnCompleteDate, 1);
    EXPECT_EQ(r.CompleteDate, 1176500000);
    EXPECT_EQ(r.AlarmSet, 1);
    EXPECT_EQ(r.AlarmTime, 3600);
    EXPECT_EQ(r.AlarmAdvance, 2);
    EXPECT_EQ(r.RepeatStartDate, 1176595200);
    EXPECT_EQ(r.Repeat.RepeatKind, 2);
    EXPECT_EQ(r.Repeat.Interval, 2);
    EXPECT_EQ(r.Repeat.DayMask, 0x2A);
    EXPECT_EQ(r.Repeat.EndDate, kPmRepeatNoEnd);
    const PmTodoEx2Rec& y = *reader.GetRecords().GetAt(1);
    EXPECT_EQ(y.Repeat.RepeatKind, 0);
    EXPECT_EQ(y.Repeat.EndDate, 0);
    EXPECT_STREQ(y.CategoryName, "");
}

TEST_F(ReaderTest, MemoCategoryAndText) {
    std::string longText;
    while (longText.size() < 40958) longText += "abc\r\n";
    longText.resize(40958);
    longText += "\xC3\xA9 tail";  // the "é" would end at byte 40960: left out whole
    const std::vector<NamedRow> rows = {
        {{"Record ID", I(1)}, {"Category", T("2")}, {"Note", T("Known")}, {"Private", B(true)}},
        {{"Record ID", I(2)}, {"Category", T("7")}, {"Note", T("Unknown")}},
        {{"Record ID", I(3)}, {"Category", T("Business trips and other long names")}},
        {{"Record ID", I(4)}, {"Category", I(2)}},
        {{"Record ID", T("5")}, {"Status", T("128")}, {"Category", Value::None()}, {"Note", T(longText)}},
    };
    const std::string path =
        AddDatabase("MemoPad.mdb", {Categories({{2, "Personal"}, {0, "Unfiled"}}), Main(PmMemoEx2Util::kKind, rows)});
    PmMemoEx2Util reader(path.c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 5u);
    PmMemoEx2DataMgr& list = reader.GetRecords();
    EXPECT_EQ(list.GetAt(0)->CategoryID, 2);
    EXPECT_STREQ(list.GetAt(0)->CategoryName, "Personal");
    EXPECT_EQ(list.GetAt(0)->Private, 1);
    EXPECT_STREQ(list.GetAt(0)->Note, "Known");
    EXPECT_EQ(list.GetAt(0)->NoteLength, 5);
    EXPECT_EQ(list.GetAt(1)->CategoryID, 7);
    EXPECT_STREQ(list.GetAt(1)->CategoryName, "7");
    // No number: ID 0, which the table knows.
    EXPECT_EQ(list.GetAt(2)->CategoryID, 0);
    EXPECT_STREQ(list.GetAt(2)->CategoryName, "Unfiled");
    EXPECT_EQ(list.GetAt(3)->CategoryID, 2);
    EXPECT_STREQ(list.GetAt(3)->CategoryName, "Personal");
    const PmMemoEx2Rec& last = *list.GetAt(4);
    EXPECT_EQ(last.RecordID, 5);
    EXPECT_EQ(last.Status, 128);
    EXPECT_STREQ(last.CategoryName, "");
    EXPECT_EQ(last.NoteLength, 40958);
    EXPECT_EQ(std::string(last.Note), longText.substr(0, 40958));
}

TEST_F(ReaderTest, ReadersOfOneKindShareTheConnection) {
    const std::string a = AddDatabase("A.mdb", {Main(PmMemoEx2Util::kKind, {{{"Note", T("a")}}})});
    const std::string b =
        AddDatabase("B.mdb", {Main(PmMemoEx2Util::kKind, {{{"Note", T("b1")}}, {{"Note", T("b2")}}})});
    PmMemoEx2Util first(a.c_str());
    PmMemoEx2Util second(b.c_str());
    EXPECT_FALSE(first.GetAccessor()->IsConnected());
    EXPECT_TRUE(second.GetAccessor()->IsConnected());
    ASSERT_TRUE(first.LoadFile(a.c_str()));
    EXPECT_EQ(first.GetRecords().GetCount(), 1u);
    EXPECT_STREQ(first.GetRecords().GetFirst()->Note, "a");
    EXPECT_EQ(second.GetRecords().GetCount(), 2u);
}

}  // namespace
