// The Jet stand-in on libmdb, reading files of the fixture writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/jet/JetConnection.h"
#include "platform/jet/JetFileCheck.h"
#include "tests/jet/JetTestSupport.h"
#include "tests/support/TempDir.h"
#include "tools/jetfixture/JetWriter.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/jetfixture/PalmTables.h"

using namespace platform::jet;
using jetfixture::Cell;
using jetfixture::ColumnType;
using jetfixture::JetWriter;
using jetfixture::Null;
using jettest::ConnectionStringFor;
using jettest::ReadAll;

namespace {

std::string Write(const JetWriter& writer, const std::string& path) {
    std::string error;
    EXPECT_TRUE(writer.Write(path, error)) << error;
    return path;
}

std::string OpenError(const std::string& connectionString) {
    Connection conn;
    conn.SetConnectionString(connectionString);
    EXPECT_FALSE(conn.Open());
    EXPECT_FALSE(conn.Connected());
    return conn.LastError();
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
    const std::string s = fwtest::ReadFile(path);
    return {s.begin(), s.end()};
}

void Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    fwtest::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

TEST(MdbDatabase, DeliversIntegersTextsBooleansAndNoneForTheRest) {
    fwtest::TempDir dir;
    JetWriter writer;
    jetfixture::TableDef& t = writer.AddTable("Main", {{"Flag", ColumnType::Boolean},
                                                       {"Small", ColumnType::Byte},
                                                       {"Int", ColumnType::Integer},
                                                       {"Long", ColumnType::LongInteger},
                                                       {"Money", ColumnType::Currency},
                                                       {"Real", ColumnType::Double},
                                                       {"Single", ColumnType::Single},
                                                       {"When", ColumnType::DateTime},
                                                       {"Raw", ColumnType::Binary, 8},
                                                       {"Blob", ColumnType::OLE},
                                                       {"Name", ColumnType::Text, 50},
                                                       {"Memo", ColumnType::Memo}});
    t.rows.push_back({true, std::int64_t{7}, std::int64_t{-32768}, std::int64_t{-2147483647 - 1}, std::int64_t{3}, 1.5,
                      2.5, 36526.0, jetfixture::Bytes{1, 2}, jetfixture::Bytes{3}, std::string("Ünal"),
                      std::string("Notiz")});
    t.rows.push_back({false, Null{}, std::int64_t{32767}, std::int64_t{2147483647}, Null{}, Null{}, Null{}, Null{},
                      Null{}, Null{}, Null{}, Null{}});
    const auto rows = ReadAll(Write(writer, dir.File("t.mdb")), "SELECT * FROM [Main]");
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<Value> first{
        Value::Boolean(true), Value::None(), Value::Integer(-32768), Value::Integer(-2147483647 - 1),
        Value::None(),        Value::None(), Value::None(),          Value::None(),
        Value::None(),        Value::None(), Value::Text("Ünal"),    Value::Text("Notiz")};
    EXPECT_EQ(rows[0], first);
    const std::vector<Value> second{
        Value::Boolean(false), Value::None(), Value::Integer(32767), Value::Integer(2147483647),
        Value::None(),         Value::None(), Value::None(),         Value::None(),
        Value::None(),         Value::None(), Value::Text(""),       Value::Text("")};
    EXPECT_EQ(rows[1], second);  // a null text reads as the empty text
}

TEST(MdbDatabase, LongTextsComeBackWhole) {
    fwtest::TempDir dir;
    JetWriter writer;
    jetfixture::TableDef& t =
        writer.AddTable("Main", {{"Record ID", ColumnType::LongInteger}, {"Note", ColumnType::Memo}});
    std::string ascii(40959, 'a');  // the longest memo the memo record keeps
    for (std::size_t i = 0; i < ascii.size(); i += 97) ascii[i] = '\n';
    std::string wide;
    for (int i = 0; i < 3000; ++i) wide += "日本";  // 6000 characters, none compressible
    const std::string sizes[] = {
        "",    "x", std::string(1024, 'c'), std::string(1025, 'u'), std::string(2039, 'p'), std::string(2040, 'p'),
        ascii, wide};
    for (std::size_t i = 0; i < std::size(sizes); ++i) t.rows.push_back({std::int64_t(i), sizes[i]});
    const auto rows = ReadAll(Write(writer, dir.File("memo.mdb")), "SELECT [Note], [Record ID] FROM Main");
    ASSERT_EQ(rows.size(), std::size(sizes));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].kind, ValueKind::Text);
        EXPECT_EQ(rows[i][0].text, sizes[i]) << "row " << i << " length " << sizes[i].size();
        EXPECT_EQ(rows[i][1], Value::Integer(static_cast<std::int32_t>(i)));
    }
}

TEST(MdbDatabase, ReadsEveryPalmTableAsTheReadersQueryIt) {
    fwtest::TempDir dir;
    std::string error;
    ASSERT_TRUE(jetfixture::WritePalmSamples(dir.Path(), 40, error)) << error;
    for (auto kind : {jetfixture::PalmKind::Contacts, jetfixture::PalmKind::Calendar, jetfixture::PalmKind::Tasks,
                      jetfixture::PalmKind::Memos}) {
        const std::string file = dir.File(jetfixture::PalmDatabaseFileName(kind));
        const auto categories = ReadAll(file, "SELECT [ID], [Name], [Status], [Color] FROM Category ");
        ASSERT_EQ(categories.size(), 3u);
        EXPECT_EQ(categories[2][0], Value::Integer(3));
        EXPECT_EQ(categories[2][1], Value::Text("Café & Bücher"));

        std::string sql = "SELECT ";
        const auto columns = jetfixture::PalmMainColumns(kind);
        for (std::size_t i = 0; i < columns.size(); ++i) sql += (i ? ", [" : "[") + columns[i].name + "]";
        sql += " FROM Main ";
        const auto rows = ReadAll(file, sql);
        ASSERT_GE(rows.size(), 40u);
        for (const auto& row : rows) {
            ASSERT_EQ(row.size(), columns.size());
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const ValueKind expected = columns[i].type == ColumnType::Boolean       ? ValueKind::Boolean
                                           : columns[i].type == ColumnType::LongInteger ? ValueKind::Integer
                                                                                        : ValueKind::Text;
                EXPECT_EQ(row[i].kind, expected) << columns[i].name;
            }
        }
    }
    const auto events = ReadAll(dir.File("DateBook.mdb"), "SELECT [Repeated Event], [Untimed] FROM Main");
    std::vector<std::string> rules;
    for (const auto& e : events) rules.push_back(e[0].text);
    for (const char* rule : {"", "D1 #0", "W1 MO WE FR #0", "MP1 2+ TU #0", "MD1 15 #0", "YM1 6 #0"})
        EXPECT_NE(std::find(rules.begin(), rules.end(), rule), rules.end()) << rule;
}

TEST(MdbDatabase, MissingTablesAndColumnsFailTheQuery) {
    fwtest::TempDir dir;
    jetfixture::PalmDatabase db(jetfixture::PalmKind::Memos);
    db.AddCategory({1, "Business", 0, 0});
    std::string error;
    ASSERT_TRUE(db.Write(dir.File("MemoPad.mdb"), error));
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor(dir.File("MemoPad.mdb")));
    ASSERT_TRUE(conn.Open()) << conn.LastError();
    Query query(&conn);
    query.SetSQL("SELECT [ID] FROM Information ");
    EXPECT_FALSE(query.Open());
    EXPECT_NE(query.LastError().find("no table \"Information\""), std::string::npos);
    EXPECT_TRUE(query.Eof());
    query.SetSQL("SELECT [Record ID], [Birthday] FROM Main ");
    EXPECT_FALSE(query.Open());
    EXPECT_NE(query.LastError().find("no column \"Birthday\""), std::string::npos);
    query.SetSQL("SELECT [Record ID] FROM Main WHERE [Record ID] = 1");
    EXPECT_FALSE(query.Open());
    EXPECT_NE(query.LastError().find("WHERE"), std::string::npos);
    // An empty table opens at its end; names match without regard to case.
    query.SetSQL("select [record id], [NOTE] from main");
    ASSERT_TRUE(query.Open()) << query.LastError();
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.FieldCount(), 2);
    EXPECT_EQ(query.FieldName(0), "Record ID");
    EXPECT_EQ(query.FieldName(1), "Note");
    EXPECT_FALSE(query.Next());
    EXPECT_EQ(query.Field(0), Value::None());
}

TEST(MdbDatabase, FilesThatAreNotJet4DatabasesFailTheOpen) {
    fwtest::TempDir dir;
    EXPECT_NE(OpenError(ConnectionStringFor(dir.File("missing.mdb"))).find("Could not find file"), std::string::npos);
    EXPECT_NE(OpenError(ConnectionStringFor(dir.Path())).find("not a file"), std::string::npos);
    EXPECT_NE(OpenError("Provider=Microsoft.Jet.OLEDB.3.51;Data Source=x.mdb").find("not available"),
              std::string::npos);

    const std::string text = dir.File("text.mdb");
    fwtest::WriteFile(text, "This is not a database.");
    EXPECT_NE(OpenError(ConnectionStringFor(text)).find("too short"), std::string::npos);
    fwtest::WriteFile(text, "");
    EXPECT_NE(OpenError(ConnectionStringFor(text)).find("not a Jet 4 database"), std::string::npos);

    JetWriter writer;
    writer.AddTable("Main", {{"A", ColumnType::LongInteger}}).rows.push_back({std::int64_t{1}});
    const std::string good = Write(writer, dir.File("good.mdb"));
    const std::vector<std::uint8_t> original = Bytes(good);
    const std::string bad = dir.File("bad.mdb");
    auto errorFor = [&](std::vector<std::uint8_t> bytes) {
        Save(bad, bytes);
        return OpenError(ConnectionStringFor(bad));
    };
    auto copy = original;
    copy.resize(copy.size() - 1);
    EXPECT_NE(errorFor(copy).find("whole number of 4096-byte pages"), std::string::npos);
    copy = original;
    copy[4] = 'X';
    EXPECT_NE(errorFor(copy).find("signature"), std::string::npos);
    copy = original;
    copy[0x14] = 0x00;
    EXPECT_NE(errorFor(copy).find("Jet 3"), std::string::npos);
    copy = original;
    copy[0x14] = 0x03;
    EXPECT_NE(errorFor(copy).find("2007 or later"), std::string::npos);
    copy = original;
    ScrambleJetHeader(copy.data());
    copy[0x3E] = 0x5A;  // an encryption key
    ScrambleJetHeader(copy.data());
    EXPECT_NE(errorFor(copy).find("encrypted"), std::string::npos);
    copy = original;
    copy[2 * kJetPageSize] = 0x01;
    EXPECT_NE(errorFor(copy).find("catalog is damaged"), std::string::npos);
    copy = original;
    copy[2 * kJetPageSize + 55] = 0xEE;  // the catalog's page-usage map points nowhere
    copy[2 * kJetPageSize + 56] = 0xEE;
    EXPECT_NE(errorFor(copy).find("catalog cannot be read"), std::string::npos);
}

TEST(MdbDatabase, QueriesStayIndependent) {
    fwtest::TempDir dir;
    JetWriter writer;
    auto& a = writer.AddTable("A", {{"N", ColumnType::LongInteger}, {"S", ColumnType::Text, 20}});
    auto& b = writer.AddTable("B", {{"N", ColumnType::LongInteger}});
    for (int i = 0; i < 700; ++i) a.rows.push_back({std::int64_t{i}, "a" + std::to_string(i)});
    for (int i = 0; i < 500; ++i) b.rows.push_back({std::int64_t{-i}});
    const std::string file = Write(writer, dir.File("two.mdb"));
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor(file));
    ASSERT_TRUE(conn.Open());
    Query qa(&conn), qb(&conn);
    qa.SetSQL("SELECT [N], [S] FROM A");
    qb.SetSQL("SELECT [N] FROM B");
    ASSERT_TRUE(qa.Open());
    ASSERT_TRUE(qb.Open());
    conn.Close();  // open queries keep reading what they started
    int na = 0, nb = 0;
    while (!qa.Eof() || !qb.Eof()) {
        if (!qa.Eof()) {
            ASSERT_EQ(qa.Field(0), Value::Integer(na));
            ASSERT_EQ(qa.Field(1), Value::Text("a" + std::to_string(na)));
            ++na;
            qa.Next();
        }
        if (!qb.Eof()) {
            ASSERT_EQ(qb.Field(0), Value::Integer(-nb));
            ++nb;
            qb.Next();
        }
    }
    EXPECT_EQ(na, 700);
    EXPECT_EQ(nb, 500);
    qa.SetSQL("SELECT [N] FROM A");
    EXPECT_FALSE(qa.Open());
    EXPECT_EQ(qa.LastError(), "The connection is not open.");
}

TEST(MdbDatabase, FindsAFileWhoseCaseDiffers) {
    fwtest::TempDir dir;
    jetfixture::PalmDatabase db(jetfixture::PalmKind::Tasks);
    std::string error;
    ASSERT_TRUE(db.Write(dir.File("TODOLIST.MDB"), error));
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor(dir.File("Todolist.mdb")));
    EXPECT_TRUE(conn.Open()) << conn.LastError();
}
