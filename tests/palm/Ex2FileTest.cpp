// The 6.x readers on real Jet 4 database files written by the fixture
// writer and read through libmdb.
#include <string>

#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmMemoEx2Util.h"
#include "common/palm/PmRepeatText.h"
#include "common/palm/PmTodoEx2Util.h"
#include "common/palm/TdmMain.h"
#include "platform/paths/Paths.h"
#include "tests/palm/PalmTestSupport.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/jetfixture/PalmTables.h"

namespace {

using jetfixture::Cell;
using jetfixture::PalmDatabase;
using jetfixture::PalmKind;

class Ex2FileTest : public palmtest::PalmTest {
protected:
    ~Ex2FileTest() override { TdmMain::Instance().CloseAll(); }

    std::string Write(const PalmDatabase& db, const std::string& name = "") {
        const std::string path = dir.File(name.empty() ? jetfixture::PalmDatabaseFileName(db.Kind()) : name);
        std::string error;
        EXPECT_TRUE(db.Write(path, error)) << error;
        return path;
    }

    std::string WriteTables(const std::string& name, const jetfixture::JetWriter& writer) {
        const std::string path = dir.File(name);
        std::string error;
        EXPECT_TRUE(writer.Write(path, error)) << error;
        return path;
    }
};

TEST_F(Ex2FileTest, ContactsWithAccentsAndLongTexts) {
    PalmDatabase db(PalmKind::Contacts);
    db.AddCategory({1,
                    "Gesch\xC3\xA4"
                    "ftlich",
                    0, 4});
    db.AddCategory({2, "Famille", 0, 5});
    std::string error;
    const std::string note(5000, 'N');
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{17}},
                              {"Status", std::int64_t{1}},
                              {"Private", true},
                              {"Category", std::int64_t{1}},
                              {"Note", note},
                              {"First Name", std::string("Zo\xC3\xAB")},
                              {"Last Name", std::string("M\xC3\xBCller")},
                              {"Birthday", std::int64_t{0x07B2040F}},
                              {"Work Street", std::string("Bahnhofstra\xC3\x9F"
                                                          "e 1\r\nHinterhaus")},
                              {"Work Mobile", std::string("+41 79 555 12 34")},
                              {"Phone Label3", std::int64_t{7}},
                              {"Custom 14", std::string("letzte")},
                              {"Ringtone Sync counter", std::string("3")}},
                             error))
        << error;
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{18}}, {"Category", std::int64_t{9}}}, error)) << error;
    PmAddrEx2Util reader(Write(db).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    const PmAddrEx2Rec& r = *reader.GetRecords().GetAt(0);
    EXPECT_EQ(r.RecordID, 17);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Private, 1);
    EXPECT_STREQ(r.CategoryName,
                 "Gesch\xC3\xA4"
                 "ftlich");
    EXPECT_EQ(std::string(r.Note), note);
    EXPECT_STREQ(r.FirstName, "Zo\xC3\xAB");
    EXPECT_STREQ(r.LastName, "M\xC3\xBCller");
    EXPECT_EQ(r.Birthday, 0x07B2040F);
    EXPECT_STREQ(r.WorkAddress.Street,
                 "Bahnhofstra\xC3\x9F"
                 "e 1\r\nHinterhaus");
    EXPECT_STREQ(r.PhoneByLabel[7], "+41 79 555 12 34");
    EXPECT_STREQ(r.Custom[13], "letzte");
    EXPECT_STREQ(r.RingtoneSyncCounter, "3");
    EXPECT_STREQ(reader.GetRecords().GetAt(1)->CategoryName, "");
    EXPECT_EQ(reader.GetCategoryMgr().FindByID(2)->GetColor(), 5);
}

TEST_F(Ex2FileTest, CalendarAndTaskRepeatRules) {
    PalmDatabase events(PalmKind::Calendar);
    PalmDatabase tasks(PalmKind::Tasks);
    const char* rules[] = {"W2 MO WE FR #0", "MP1 2+ TU 20061231T000000Z", "MD1 15 #0", "YM1 6 #0"};
    std::string error;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(events.AddRecord({{"Record ID", std::int64_t{i + 1}},
                                      {"Start Time", std::int64_t{1181808000}},
                                      {"Summary", std::string("R\xC3\xA9union")},
                                      {"Untimed", i == 3},
                                      {"Repeated Event", std::string(rules[i])}},
                                     error))
            << error;
        ASSERT_TRUE(
            tasks.AddRecord({{"Record ID", std::int64_t{i + 1}}, {"Repeat Info", std::string(rules[i])}}, error))
            << error;
    }
    PmDateEx2Util calendar(Write(events).c_str());
    PmTodoEx2Util todo(Write(tasks).c_str());
    ASSERT_TRUE(calendar.IsLoaded());
    ASSERT_TRUE(todo.IsLoaded());
    ASSERT_EQ(calendar.GetRecords().GetCount(), 4u);
    ASSERT_EQ(todo.GetRecords().GetCount(), 4u);
    const int kinds[] = {2, 3, 4, 5};
    for (int i = 0; i < 4; ++i) {
        const PmDateEx2Rec& e = *calendar.GetRecords().GetAt(static_cast<std::size_t>(i));
        const PmTodoEx2Rec& t = *todo.GetRecords().GetAt(static_cast<std::size_t>(i));
        EXPECT_EQ(e.Repeat.RepeatKind, kinds[i]);
        EXPECT_EQ(t.Repeat.RepeatKind, i == 3 ? 0 : kinds[i]);
        EXPECT_EQ(e.Repeat.Interval, i == 0 ? 2 : 1);
        EXPECT_STREQ(e.Summary, "R\xC3\xA9union");
        EXPECT_EQ(e.Untimed, i == 3 ? 1 : 0);
    }
    EXPECT_EQ(calendar.GetRecords().GetAt(1)->Repeat.WeekIndex, 1);
    EXPECT_EQ(todo.GetRecords().GetAt(2)->Repeat.DayNumber, 15);
    EXPECT_EQ(calendar.GetRecords().GetAt(3)->Repeat.MonthIndex, 5);
}

TEST_F(Ex2FileTest, SampleDatabasesLoadWhole) {
    std::string error;
    ASSERT_TRUE(jetfixture::WritePalmSamples(dir.Path(), 40, error)) << error;
    PmAddrEx2Util contacts(dir.File("Address.mdb").c_str());
    PmDateEx2Util calendar(dir.File("DateBook.mdb").c_str());
    PmTodoEx2Util tasks(dir.File("Todolist.mdb").c_str());
    PmMemoEx2Util memos(dir.File("MemoPad.mdb").c_str());
    ASSERT_TRUE(contacts.IsLoaded());
    ASSERT_TRUE(calendar.IsLoaded());
    ASSERT_TRUE(tasks.IsLoaded());
    ASSERT_TRUE(memos.IsLoaded());
    EXPECT_EQ(contacts.GetRecords().GetCount(), 40u);
    EXPECT_EQ(calendar.GetRecords().GetCount(), 40u);
    EXPECT_EQ(tasks.GetRecords().GetCount(), 40u);
    EXPECT_EQ(memos.GetRecords().GetCount(), 40u);
    EXPECT_EQ(contacts.GetCategoryMgr().GetCount(), 3u);
    bool kinds[6] = {};
    for (PmDateEx2Rec* e = calendar.GetRecords().GetFirst(); e; e = calendar.GetRecords().GetNext())
        if (e->Repeat.RepeatKind >= 0 && e->Repeat.RepeatKind < 6) kinds[e->Repeat.RepeatKind] = true;
    for (bool k : kinds) EXPECT_TRUE(k);
    // A memo longer than a page arrives whole.
    std::size_t longest = 0;
    for (PmMemoEx2Rec* m = memos.GetRecords().GetFirst(); m; m = memos.GetRecords().GetNext())
        longest = std::max<std::size_t>(longest, static_cast<std::size_t>(m->NoteLength));
    EXPECT_GT(longest, 4096u);
    for (const auto& line : Log()) EXPECT_FALSE(line.critical) << line.text;
}

TEST_F(Ex2FileTest, AnMdbThatIsNoDatabaseFailsTheLoad) {
    const std::string path = dir.File("Address.mdb");
    fwtest::WriteFile(path, "Standard Jet DB? no, just a text file that someone named .mdb\n");
    PmAddrEx2Util reader;
    ClearLog();
    EXPECT_FALSE(reader.LoadFile(path.c_str()));
    bool connectionError = false;
    for (const auto& line : Log())
        if (line.critical && line.text.starts_with("Database Connection Error, Connection String="))
            connectionError = true;
    EXPECT_TRUE(connectionError);
    EXPECT_TRUE(Logged("Open Palm Desktop Contacts database failed: " + path, true));
}

TEST_F(Ex2FileTest, AFolderIsNoDatabase) {
    const std::string folder = dir.File("DateBook.mdb");
    ASSERT_TRUE(platform::EnsureFolder(folder));
    PmDateEx2Util reader(folder.c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_TRUE(Logged("Open Palm Desktop Calendar database failed: " + folder, true));
}

TEST_F(Ex2FileTest, DatabaseWithoutMainFailsTheLoad) {
    jetfixture::JetWriter writer;
    writer.AddTable("Category", jetfixture::PalmCategoryColumns())
        .rows.push_back({std::int64_t{1}, std::string("A"), std::int64_t{0}, std::int64_t{0}});
    const std::string path = WriteTables("MemoPad.mdb", writer);
    PmMemoEx2Util reader(path.c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_TRUE(Logged("Open Palm Desktop Memos database failed: " + path, true));
}

TEST_F(Ex2FileTest, MainWithoutRowsIsAnEmptySuccess) {
    PalmDatabase db(PalmKind::Tasks);
    PmTodoEx2Util reader(Write(db).c_str());
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
}

TEST_F(Ex2FileTest, MainMissingAColumnFailsTheLoad) {
    auto columns = jetfixture::PalmMainColumns(PalmKind::Calendar);
    columns.pop_back();  // no "Repeated Event"
    jetfixture::JetWriter writer;
    writer.AddTable("Main", columns);
    const std::string path = WriteTables("DateBook.mdb", writer);
    PmDateEx2Util reader(path.c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_TRUE(Logged("Open Palm Desktop Calendar database failed: " + path, true));
}

TEST_F(Ex2FileTest, MemoCategoryAsNumberColumnAndOtherTypes) {
    // A memo table whose "Category" is a number, and a contacts table whose
    // columns have unexpected types.
    auto memoColumns = jetfixture::PalmMainColumns(PalmKind::Memos);
    memoColumns[4].type = jetfixture::ColumnType::LongInteger;
    jetfixture::JetWriter memoWriter;
    memoWriter.AddTable("Category", jetfixture::PalmCategoryColumns())
        .rows.push_back({std::int64_t{3}, std::string("Ideen"), std::int64_t{0}, std::int64_t{0}});
    memoWriter.AddTable("Main", memoColumns)
        .rows.push_back(
            {std::int64_t{1}, std::int64_t{0}, std::int64_t{0}, false, std::int64_t{3}, std::string("Notiz")});
    const std::string memos = WriteTables("MemoPad.mdb", memoWriter);
    PmMemoEx2Util memoReader(memos.c_str());
    ASSERT_TRUE(memoReader.IsLoaded());
    EXPECT_EQ(memoReader.GetRecords().GetFirst()->CategoryID, 3);
    EXPECT_STREQ(memoReader.GetRecords().GetFirst()->CategoryName, "Ideen");

    auto addrColumns = jetfixture::PalmMainColumns(PalmKind::Contacts);
    std::vector<Cell> row;
    for (auto& c : addrColumns) {
        if (c.name == "Record ID") c.type = jetfixture::ColumnType::Integer;  // 16 bits: still read
        if (c.name == "Birthday") c.type = jetfixture::ColumnType::DateTime;  // no integer: skipped
        if (c.name == "Status") c.type = jetfixture::ColumnType::Byte;        // no integer: skipped
        Cell& cell = row.emplace_back();
        switch (c.type) {
        case jetfixture::ColumnType::Boolean: cell.emplace<bool>(true); break;
        case jetfixture::ColumnType::Text:
        case jetfixture::ColumnType::Memo: cell.emplace<std::string>(c.name); break;
        case jetfixture::ColumnType::DateTime: cell.emplace<double>(39000.5); break;
        case jetfixture::ColumnType::Integer: cell.emplace<std::int64_t>(-300); break;
        default: cell.emplace<std::int64_t>(7); break;
        }
    }
    jetfixture::JetWriter addrWriter;
    addrWriter.AddTable("Main", addrColumns).rows.push_back(row);
    const std::string contacts = WriteTables("Address.mdb", addrWriter);
    PmAddrEx2Util addrReader(contacts.c_str());
    ASSERT_TRUE(addrReader.IsLoaded());
    const PmAddrEx2Rec& r = *addrReader.GetRecords().GetFirst();
    EXPECT_EQ(r.RecordID, -300);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Birthday, 0);
    EXPECT_EQ(r.Anniversary, 7);
    EXPECT_STREQ(r.FirstName, "First Name");
    EXPECT_EQ(r.Private, 1);
}

TEST_F(Ex2FileTest, WindowsCasingAndQuotesInPaths) {
    PalmDatabase db(PalmKind::Memos);
    std::string error;
    ASSERT_TRUE(db.AddRecord({{"Note", std::string("quoted")}}, error)) << error;
    const std::string quoted = Write(db, "My \"Palm\" memos.mdb");
    PmMemoEx2Util a(quoted.c_str());
    ASSERT_TRUE(a.IsLoaded());
    EXPECT_STREQ(a.GetRecords().GetFirst()->Note, "quoted");

    Write(db, "MEMOPAD.MDB");
    PmMemoEx2Util b(dir.File("MemoPad.mdb").c_str());
    EXPECT_TRUE(b.IsLoaded());
}

}  // namespace
