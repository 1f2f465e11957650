// The fixture writer, checked against mdbtools' own programs.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/jet/JetTestSupport.h"
#include "tests/support/TempDir.h"
#include "tools/jetfixture/JetWriter.h"
#include "tools/jetfixture/PalmTables.h"

using namespace jetfixture;
using jettest::ParseCsv;
using jettest::Quoted;
using jettest::RunCommand;

namespace {

std::string LongMemo(std::size_t chars) {
    std::string s;
    for (std::size_t i = 0; s.size() < chars; ++i) s += "Zeile " + std::to_string(i) + " \xC3\xA4\n";  // "ä": 2 bytes
    return s;
}

std::vector<std::vector<std::string>> Export(const std::string& file, const std::string& table) {
    int status = 0;
    const std::string out = RunCommand("mdb-export -0 NULL " + Quoted(file) + " " + Quoted(table) + " 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    return ParseCsv(out);
}

}  // namespace

TEST(JetWriter, PalmDatabaseReadsBackThroughMdbExport) {
    fwtest::TempDir dir;
    const std::string file = dir.File("Address.mdb");
    PalmDatabase db(PalmKind::Contacts);
    db.AddCategory({1, "Business", 0, 3});
    db.AddCategory({2, "Café \"Zur Börse\"", 4, -1});
    std::string error;
    const std::string longNote = LongMemo(9000);  // several long-value pages
    ASSERT_TRUE(db.AddRecord({{"Record ID", std::int64_t{17}},
                              {"Category", std::int64_t{2}},
                              {"Private", true},
                              {"First Name", std::string("Zoë")},
                              {"Last Name", std::string("Dvořák")},
                              {"Phone Label3", std::int64_t{7}},
                              {"Note", longNote}},
                             error))
        << error;
    ASSERT_TRUE(
        db.AddRecord({{"Record ID", std::int64_t{-2147483647 - 1}}, {"Work City", std::string("a,b\nc")}}, error));
    EXPECT_FALSE(db.AddRecord({{"No Such Column", std::int64_t{1}}}, error));
    EXPECT_NE(error.find("No Such Column"), std::string::npos);
    ASSERT_TRUE(db.Write(file, error)) << error;

    int status = 0;
    EXPECT_EQ(RunCommand("mdb-ver " + Quoted(file), &status), "JET4\n");
    EXPECT_EQ(RunCommand("mdb-tables -1 " + Quoted(file)), "Category\nMain\n");

    const auto categories = Export(file, "Category");
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(categories[0], (std::vector<std::string>{"ID", "Name", "Status", "Color"}));
    EXPECT_EQ(categories[1], (std::vector<std::string>{"1", "Business", "0", "3"}));
    EXPECT_EQ(categories[2], (std::vector<std::string>{"2", "Café \"Zur Börse\"", "4", "-1"}));

    const auto main = Export(file, "Main");
    ASSERT_EQ(main.size(), 3u);
    ASSERT_EQ(main[0].size(), 95u);
    const std::vector<ColumnDef> columns = PalmMainColumns(PalmKind::Contacts);
    for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(main[0][i], columns[i].name);
    auto at = [&](std::size_t row, const char* name) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].name == name) return main[row][i];
        return std::string("?");
    };
    EXPECT_EQ(at(1, "Record ID"), "17");
    EXPECT_EQ(at(1, "Private"), "1");
    EXPECT_EQ(at(1, "First Name"), "Zoë");
    EXPECT_EQ(at(1, "Last Name"), "Dvořák");
    EXPECT_EQ(at(1, "Phone Label3"), "7");
    EXPECT_EQ(at(1, "Note"), longNote);
    EXPECT_EQ(at(2, "Record ID"), "-2147483648");
    EXPECT_EQ(at(2, "Private"), "0");
    EXPECT_EQ(at(2, "Work City"), "a,b\nc");
    EXPECT_EQ(at(2, "Company"), "NULL");  // mdb-export shows an empty text as null
}

TEST(JetWriter, EveryColumnTypeAndEveryLongValueFormReadsBack) {
    fwtest::TempDir dir;
    const std::string file = dir.File("types.mdb");
    JetWriter writer(WriterOptions{true, 32});
    TableDef& t = writer.AddTable("Types", {{"Flag", ColumnType::Boolean},
                                            {"Small", ColumnType::Byte},
                                            {"Int", ColumnType::Integer},
                                            {"Long", ColumnType::LongInteger},
                                            {"Money", ColumnType::Currency},
                                            {"Real", ColumnType::Double},
                                            {"When", ColumnType::DateTime},
                                            {"Name", ColumnType::Text, 10},
                                            {"Memo", ColumnType::Memo}});
    const std::string inRow = "short";                  // stays in the row
    const std::string onePage = std::string(900, 'q');  // one long-value row
    const std::string chained = LongMemo(20000);        // a chain of pages, stored uncompressed
    t.rows.push_back({true, std::int64_t{255}, std::int64_t{-32768}, std::int64_t{2147483647}, std::int64_t{12}, 2.5,
                      36526.5, std::string("0123456789"), inRow});
    t.rows.push_back({false, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, onePage});
    t.rows.push_back(
        {Null{}, std::int64_t{0}, std::int64_t{32767}, std::int64_t{-1}, -1.25, -0.5, 0.0, std::string("é"), chained});
    std::string error;
    ASSERT_TRUE(writer.Write(file, error)) << error;
    const auto rows = Export(file, "Types");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0], "1");
    EXPECT_EQ(rows[1][1], "255");
    EXPECT_EQ(rows[1][2], "-32768");
    EXPECT_EQ(rows[1][3], "2147483647");
    EXPECT_EQ(rows[1][4], "12.0000");
    EXPECT_EQ(rows[1][5], "2.5");
    EXPECT_EQ(rows[1][7], "0123456789");
    EXPECT_EQ(rows[1][8], inRow);
    for (std::size_t c = 1; c <= 7; ++c) EXPECT_EQ(rows[2][c], "NULL") << c;
    EXPECT_EQ(rows[2][0], "0");
    EXPECT_EQ(rows[2][8], onePage);
    EXPECT_EQ(rows[3][0], "0");  // a null boolean is false
    EXPECT_EQ(rows[3][2], "32767");
    EXPECT_EQ(rows[3][3], "-1");
    EXPECT_EQ(rows[3][7], "é");
    EXPECT_EQ(rows[3][8], chained);
}

TEST(JetWriter, ManyRowsSpreadOverPagesInOrder) {
    fwtest::TempDir dir;
    const std::string file = dir.File("many.mdb");
    JetWriter writer;
    TableDef& t = writer.AddTable("Main", {{"N", ColumnType::LongInteger}, {"Text", ColumnType::Text, 100}});
    for (int i = 0; i < 3000; ++i) t.rows.push_back({std::int64_t{i}, "row " + std::to_string(i)});
    std::string error;
    ASSERT_TRUE(writer.Write(file, error)) << error;
    EXPECT_GT(std::filesystem::file_size(file), 10u * 4096);
    const auto rows = Export(file, "Main");
    ASSERT_EQ(rows.size(), 3001u);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(rows[i + 1][1], "row " + std::to_string(i));
}

TEST(JetWriter, RefusesWhatTheFormatCannotHold) {
    auto fails = [](std::vector<ColumnDef> columns, std::vector<Cell> row, const char* expected) {
        JetWriter writer;
        TableDef& t = writer.AddTable("T", std::move(columns));
        t.rows.push_back(std::move(row));
        std::vector<std::uint8_t> bytes;
        std::string error;
        EXPECT_FALSE(writer.Build(bytes, error)) << expected;
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    };
    fails({{"A", ColumnType::Text, 3}}, {std::string("four")}, "longer than 3 characters");
    fails({{"A", ColumnType::Text, 3}}, {std::string("\xC3")}, "not UTF-8");
    fails({{"A", ColumnType::LongInteger}}, {std::string("1")}, "does not suit");
    fails({{"A", ColumnType::Integer}}, {std::int64_t{40000}}, "out of range");
    fails({{"A", ColumnType::Byte}}, {std::int64_t{-1}}, "out of range");
    fails({{"A", ColumnType::LongInteger}}, {std::int64_t{1}, std::int64_t{2}}, "2 values for 1 columns");
    fails({{"A", ColumnType::Text, 0}}, {Null{}}, "size of 1 to 255");
    fails({{"A", ColumnType::LongInteger}, {"a", ColumnType::LongInteger}}, {Null{}, Null{}}, "defined twice");
    std::vector<ColumnDef> wide;
    std::vector<Cell> full;
    for (int i = 0; i < 20; ++i) {
        wide.push_back({"T" + std::to_string(i), ColumnType::Text, 255});
        full.push_back(std::string(255, 'x'));
    }
    fails(wide, full, "longer than a page");

    JetWriter reserved;
    reserved.AddTable("msysAnything", {{"A", ColumnType::LongInteger}});
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(reserved.Build(bytes, error));
    JetWriter twice;
    twice.AddTable("Main", {{"A", ColumnType::LongInteger}});
    twice.AddTable("MAIN", {{"A", ColumnType::LongInteger}});
    EXPECT_FALSE(twice.Build(bytes, error));
    EXPECT_NE(error.find("defined twice"), std::string::npos);
}

TEST(JetWriter, AFailedWriteLeavesTheOldFileAndNoLeftovers) {
    fwtest::TempDir dir;
    const std::string file = dir.File("keep.mdb");
    fwtest::WriteFile(file, "old content");
    JetWriter writer;
    writer.AddTable("T", {{"A", ColumnType::Byte}}).rows.push_back({std::int64_t{999}});
    std::string error;
    EXPECT_FALSE(writer.Write(file, error));
    EXPECT_EQ(fwtest::ReadFile(file), "old content");
    EXPECT_FALSE(JetWriter().Write(dir.File("no/such/folder/x.mdb"), error));
    EXPECT_NE(error.find("no/such/folder"), std::string::npos);
    std::size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(JetWriter, PalmTablesHaveTheColumnsTheReadersSelect) {
    EXPECT_EQ(PalmMainColumns(PalmKind::Contacts).size(), 95u);
    EXPECT_EQ(PalmMainColumns(PalmKind::Calendar).size(), 16u);
    EXPECT_EQ(PalmMainColumns(PalmKind::Tasks).size(), 17u);
    EXPECT_EQ(PalmMainColumns(PalmKind::Memos).size(), 6u);
    EXPECT_EQ(PalmMainColumns(PalmKind::Contacts)[53].name, "Phone Label1");
    EXPECT_EQ(PalmMainColumns(PalmKind::Contacts)[94].name, "Ringtone Sync counter");
    EXPECT_EQ(PalmMainColumns(PalmKind::Calendar)[15].name, "Repeated Event");
    EXPECT_EQ(PalmMainColumns(PalmKind::Tasks)[16].name, "Repeat Info");
    EXPECT_EQ(PalmMainColumns(PalmKind::Memos)[4].type, ColumnType::Text);
    EXPECT_STREQ(PalmDatabaseFileName(PalmKind::Tasks), "Todolist.mdb");
}
