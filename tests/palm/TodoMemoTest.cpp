// The to-do list and memo pad readers of both generations.
#include "common/palm/PmDateUtil.h"
#include "common/palm/PmMemoUtil.h"
#include "common/palm/PmTodoUtil.h"
#include "tests/palm/PalmTestSupport.h"

namespace {

using palmdat::Format;
using palmdat::Kind;
using palmdat::Value;

class TodoMemoTest : public palmtest::PalmTest {
protected:
    static palmdat::DatFile File(Kind kind, Format format, int records) {
        palmdat::DatFile f = palmdat::NewFile(kind, format);
        f.categories = {{1, 2, 0, "Home", ""}};
        for (int i = 0; i < records; ++i) {
            palmdat::Record r = palmdat::NewRecord(kind, format);
            r[0] = Value::Long(i + 1);
            r[format == Format::V414 ? 13 : 3] = Value::Text("Item " + std::to_string(i + 1));
            f.records.push_back(r);
        }
        return f;
    }
};

TEST_F(TodoMemoTest, ExTodoLayout) {
    palmdat::DatFile f = File(Kind::Todo, Format::V414, 2);
    palmdat::Record& r = f.records[0];
    r[5] = Value::Long(2);
    r[6] = Value::Long(1, 6);
    r[14] = Value::Long(1767571200, 3);
    r[15] = Value::Long(1, 6);
    r[16] = Value::Long(5);
    r[17] = Value::Text("Note \x96 dash");
    r[20] = Value::Long(1, 6);
    palmdat::Repeat weekly;
    weekly.marker = palmdat::Repeat::Marker::Named;
    weekly.kind = 2;
    weekly.interval = 3;
    weekly.dayMask = 0x14;
    r[24] = Value::RepeatEvent(weekly);
    f.records[1][5] = Value::Long(77);
    PmTodoExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    const PmTodoExRec& t = *reader.GetRecords().GetFirst();
    EXPECT_STREQ(t.Description, "Item 1");
    EXPECT_STREQ(t.CategoryName, "Home");
    EXPECT_EQ(t.Private, 1);
    EXPECT_EQ(t.DueDate, 1767571200);
    EXPECT_EQ(t.Completed, 1);
    EXPECT_EQ(t.Priority, 5);
    EXPECT_STREQ(t.Note, "Note \xE2\x80\x93 dash");
    EXPECT_EQ(t.AlarmSet, 1);
    EXPECT_EQ(t.Repeat.RepeatKind, 2);
    EXPECT_EQ(t.Repeat.Interval, 3);
    EXPECT_EQ(t.Repeat.DayMask, 0x14);
    // Without a repeat, and with a category the table lacks.
    const PmTodoExRec& second = *reader.GetRecords().GetAt(1);
    EXPECT_EQ(second.Repeat.RepeatKind, 0);
    EXPECT_EQ(second.Repeat.Interval, 0);
    EXPECT_STREQ(second.CategoryName, "");
}

TEST_F(TodoMemoTest, EarlierTodoLayoutAndStatusFilter) {
    palmdat::DatFile f = File(Kind::Todo, Format::Earlier, 5);
    palmdat::Record& r = f.records[0];
    r[1] = Value::Long(0x01);
    r[4] = Value::Long(1767571200, 3);
    r[5] = Value::Long(1, 6);
    r[6] = Value::Long(2);
    r[7] = Value::Long(1, 6);
    r[8] = Value::Long(2);
    r[9] = Value::Text("note");
    f.records[1][1] = Value::Long(0x80);
    f.records[2][1] = Value::Long(0x04);
    f.records[3][1] = Value::Long(0x84);
    PmTodoUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 2u);
    const PmTodoRec& t = *reader.GetRecords().GetFirst();
    EXPECT_EQ(t.Status, 1);
    EXPECT_STREQ(t.Description, "Item 1");
    EXPECT_EQ(t.DueDate, 1767571200);
    EXPECT_EQ(t.Completed, 1);
    EXPECT_EQ(t.Priority, 2);
    EXPECT_EQ(t.Private, 1);
    EXPECT_EQ(t.CategoryID, 2);
    EXPECT_STREQ(t.Note, "note");
    EXPECT_STREQ(t.CategoryName, "");
    EXPECT_EQ(reader.GetRecords().GetAt(1)->RecordID, 5);
}

TEST_F(TodoMemoTest, EarlierTodoWithUnreadableNoteFailsTheLoad) {
    palmdat::DatFile f = File(Kind::Todo, Format::Earlier, 4);
    f.records[2][9] = Value::Raw(std::string("\x05\0\0\0\0\0\0\0\xFF\xFF\x7F", 11));  // 32767 bytes promised
    f.records.resize(3);
    f.totalFields = 40;
    ClearLog();
    PmTodoUtil reader(Write(f).c_str());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(reader.GetRecords().GetCount(), 0u);
    const std::vector<std::string> lines = {"Loading Palm Desktop todo list: " + dir.File("todo.dat"),
                                            "Record 3 of 4 cannot be read, file position: 352.",
                                            "Load Palm Desktop todo list failed: " + dir.File("todo.dat")};
    EXPECT_EQ(LogTexts(), lines);
}

TEST_F(TodoMemoTest, LoadLinesOfTheOtherEarlierReaders) {
    palmdat::DatFile f = File(Kind::Todo, Format::Earlier, 1);
    f.version = 1;
    ClearLog();
    EXPECT_FALSE(PmTodoUtil(Write(f).c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Load Palm Desktop todo list failed: " + dir.File("todo.dat"), true));

    palmdat::DatFile m = File(Kind::Memo, Format::Earlier, 1);
    m.cutAt = 30;
    ClearLog();
    EXPECT_FALSE(PmMemoUtil(Write(m).c_str()).IsLoaded());
    const std::vector<std::string> lines = {"Loading Palm Desktop memopad: " + dir.File("memopad.dat"),
                                            "Load Palm Desktop memopad failed: " + dir.File("memopad.dat")};
    EXPECT_EQ(LogTexts(), lines);

    ClearLog();
    EXPECT_FALSE(PmMemoUtil("").IsLoaded());
    EXPECT_TRUE(Logged("Invalid Palm Desktop memopad database file name.", true));
    ClearLog();
    EXPECT_FALSE(PmMemoExUtil("").IsLoaded());
    EXPECT_TRUE(Logged("Invalid Palm Desktop Notes database file name.", true));
    EXPECT_EQ(Log().size(), 1u);

    ClearLog();
    EXPECT_FALSE(PmTodoExUtil(dir.File("missing.dat").c_str()).IsLoaded());
    EXPECT_TRUE(Logged("Failed to open file: " + dir.File("missing.dat"), true));
    EXPECT_TRUE(Logged("Load Palm Desktop Tasks failed: " + dir.File("missing.dat"), true));
}

TEST_F(TodoMemoTest, ExMemoText) {
    palmdat::DatFile f = File(Kind::Memo, Format::V414, 3);
    std::string text;
    for (int i = 0; i < 10000; ++i) text += static_cast<char>('a' + i % 26);
    f.records[0][13] = Value::Text(text);
    f.records[0][6] = Value::Long(1, 6);
    f.records[1][5] = Value::Long(2);
    f.records[1][13] = Value::Text(std::string(8191, '\xE9'));  // twice as long in UTF-8
    ClearLog();
    PmMemoExUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 3u);
    EXPECT_EQ(std::string(reader.GetRecords().GetAt(0)->Text), text);  // read whole
    EXPECT_EQ(reader.GetRecords().GetAt(0)->Private, 1);
    std::string accents;
    for (int i = 0; i < 8191; ++i) accents += "\xC3\xA9";
    EXPECT_EQ(std::string(reader.GetRecords().GetAt(1)->Text), accents);
    EXPECT_STREQ(reader.GetRecords().GetAt(1)->CategoryName, "Home");
    EXPECT_EQ(reader.GetRecords().GetAt(2)->RecordID, 3);  // the next field read from the right place
    EXPECT_STREQ(reader.GetRecords().GetAt(2)->Text, "Item 3");
    // The memo pad reader writes no success line.
    for (const auto& line : Log()) EXPECT_EQ(line.text.find("information is loaded successfully"), std::string::npos);
    EXPECT_TRUE(Logged("Palm Desktop Memos records information is saved successfully.", false));
}

TEST_F(TodoMemoTest, EarlierMemoLayoutAndStatusFilter) {
    palmdat::DatFile f = File(Kind::Memo, Format::Earlier, 4);
    f.records[0][4] = Value::Long(1, 6);
    f.records[0][5] = Value::Long(2);
    f.records[1][1] = Value::Long(0x80);
    f.records[2][3] = Value::Text(std::string(10000, 'm'));
    f.kindBlock = "memo block";
    PmMemoUtil reader(Write(f).c_str());
    ASSERT_TRUE(reader.IsLoaded());
    ASSERT_EQ(reader.GetRecords().GetCount(), 3u);
    EXPECT_EQ(reader.GetRecords().GetAt(0)->Private, 1);
    EXPECT_EQ(reader.GetRecords().GetAt(0)->CategoryID, 2);
    EXPECT_EQ(std::string(reader.GetRecords().GetAt(1)->Text), std::string(10000, 'm'));
    EXPECT_EQ(reader.GetRecords().GetAt(2)->RecordID, 4);
    EXPECT_EQ(reader.GetKindBlock(), "memo block");
}

TEST_F(TodoMemoTest, ExFilesAddRecordsWhateverTheirStatus) {
    palmdat::DatFile f = File(Kind::Todo, Format::V414, 2);
    f.records[0][2] = Value::Long(0x84);
    PmTodoExUtil todo(Write(f).c_str());
    ASSERT_TRUE(todo.IsLoaded());
    EXPECT_EQ(todo.GetRecords().GetCount(), 2u);
    EXPECT_EQ(todo.GetRecords().GetFirst()->Status, 0x84);
}

TEST_F(TodoMemoTest, KindBlockLongerThanItsCapacityFails) {
    palmdat::DatFile f = File(Kind::Todo, Format::Earlier, 1);
    f.kindBlock = std::string(257, 'k');
    EXPECT_FALSE(PmTodoUtil(Write(f).c_str()).IsLoaded());
    palmdat::DatFile d = palmdat::NewFile(Kind::Datebook, Format::Earlier);
    d.kindBlock = std::string(512, 'k');
    EXPECT_TRUE(PmDateUtil(Write(d).c_str()).IsLoaded());
}

}  // namespace
