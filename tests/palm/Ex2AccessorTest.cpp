// The accessor of the 6.x databases: opening through the data module, the
// SELECT it builds, and walking rows, with the lines it logs.
#include <array>

#include "common/palm/PmMDBAccessor.h"
#include "platform/jet/JetConnection.h"
#include "tests/palm/Ex2TestSupport.h"

namespace {

using palmtest::Value;

const std::array<const char*, 4> kCategoryColumns = {"ID", "Name", "Status", "Color"};

class AccessorTest : public palmtest::Ex2Test {
protected:
    std::string Memos() {
        return AddDatabase("MemoPad.mdb", {Categories({{1, "Business"}, {2, "Personal"}, {3, "QuickList"}})});
    }
};

TEST_F(AccessorTest, DataModuleHasOnePairPerKind) {
    TdmMain& dm = TdmMain::Instance();
    EXPECT_EQ(dm.GetConnection(1), &dm.connAddr);
    EXPECT_EQ(dm.GetConnection(4), &dm.connMemo);
    EXPECT_EQ(dm.GetQuery(2), &dm.qryDate);
    EXPECT_EQ(dm.GetQuery(3), &dm.qryTodo);
    EXPECT_EQ(dm.qryTodo.GetConnection(), &dm.connTodo);
    EXPECT_EQ(dm.GetConnection(0), nullptr);
    EXPECT_EQ(dm.GetQuery(5), nullptr);
}

TEST_F(AccessorTest, BuildSelect) {
    PmMDBAccessor accessor(4, "");
    EXPECT_EQ(accessor.BuildSelect("Category", kCategoryColumns, nullptr),
              "SELECT [ID], [Name], [Status], [Color] FROM Category ");
    const char* one[] = {"Record ID"};
    EXPECT_EQ(accessor.BuildSelect("Main", one, "WHERE [Status] = 0"),
              "SELECT [Record ID] FROM Main WHERE [Status] = 0");
}

TEST_F(AccessorTest, OpenLogsItsStepsAndReopensTheKindsConnection) {
    const std::string path = Memos();
    const std::string connection = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + path + "\"";
    PmMDBAccessor accessor(4, path.c_str());
    EXPECT_TRUE(accessor.IsConnected());
    EXPECT_TRUE(TdmMain::Instance().connMemo.Connected());
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Set database file to be opened: " + path,
                                                    "Connection String: " + connection}));
    ClearLog();
    accessor.OpenDatabase(4, path.c_str());
    EXPECT_TRUE(accessor.IsConnected());
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Set database file to be opened: " + path,
                                                    "The connection is already opened, close it now.",
                                                    "Connection String: " + connection}));
}

TEST_F(AccessorTest, OpenFailures) {
    const std::string path = Memos();
    PmMDBAccessor accessor(4, path.c_str());
    ASSERT_TRUE(accessor.IsConnected());

    // A missing file leaves the kind's connection closed, not on the file
    // opened before.
    ClearLog();
    const std::string missing = dir.File("Missing.mdb");
    accessor.OpenDatabase(4, missing.c_str());
    EXPECT_TRUE(Logged("The file doesn't exist. Abort.", true));
    EXPECT_FALSE(accessor.IsConnected());
    EXPECT_FALSE(TdmMain::Instance().connMemo.Connected());

    ClearLog();
    accessor.OpenDatabase(4, nullptr);
    EXPECT_EQ(accessor.GetPath(), "");
    EXPECT_TRUE(Logged("Set database file to be opened: ", false));
    EXPECT_TRUE(Logged("The file doesn't exist. Abort.", true));

    ClearLog();
    accessor.OpenDatabase(7, path.c_str());
    EXPECT_TRUE(Logged("There is no valid database connection to open this file.", true));
    EXPECT_EQ(accessor.GetQuery(), nullptr);
    EXPECT_EQ(accessor.GetConnection(), nullptr);
    EXPECT_FALSE(accessor.IsConnected());
    ClearLog();
    std::vector<Value> row;
    EXPECT_FALSE(accessor.QueryFirst("Category", kCategoryColumns, row));
    EXPECT_FALSE(accessor.ExecuteQuery("SELECT [ID] FROM Category ", true));

    const std::string broken = dir.File("Broken.mdb");
    fwtest::WriteFile(broken, "no database");
    provider->AddUnreadable(broken, "it is too short");
    ClearLog();
    accessor.OpenDatabase(4, broken.c_str());
    EXPECT_FALSE(accessor.IsConnected());
    EXPECT_TRUE(Logged("Database Connection Error, Connection String=" + PmMDBAccessor::ConnectionString(broken) +
                           ", Error=it is too short",
                       true));
}

TEST_F(AccessorTest, PathWithQuotesAndSemicolons) {
    const std::string path = AddDatabase("Mine \"old\"; copy.mdb", {Categories({{1, "A"}})});
    EXPECT_EQ(PmMDBAccessor::ConnectionString("/a\"b.mdb"),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/a\"\"b.mdb\"");
    PmMDBAccessor accessor(1, path.c_str());
    EXPECT_TRUE(accessor.IsConnected());
    std::vector<Value> row;
    ASSERT_TRUE(accessor.QueryFirst("Category", kCategoryColumns, row));
    EXPECT_EQ(row.at(1), Value::Text("A"));
}

TEST_F(AccessorTest, WalksRowsOfTheFormerQuery) {
    const std::string path = Memos();
    PmMDBAccessor accessor(4, path.c_str());
    ClearLog();
    std::vector<Value> row;
    ASSERT_TRUE(accessor.QueryFirst("Category", kCategoryColumns, row));
    const std::string sql = "SELECT [ID], [Name], [Status], [Color] FROM Category ";
    EXPECT_EQ(accessor.GetFormerQuery(), sql);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Execute SQL Query: " + sql, "Query executed successfully."}));
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[0], Value::Integer(1));
    EXPECT_EQ(row[3], Value::Integer(10));

    // Another text is ignored and does not move the query.
    ClearLog();
    EXPECT_FALSE(accessor.QueryNext("SELECT [ID] FROM Category ", row));
    EXPECT_TRUE(row.empty());
    EXPECT_TRUE(Logged("This query is not same with former query. Ignore this query.", false));
    EXPECT_FALSE(accessor.QueryNext("", row));
    EXPECT_TRUE(Logged("Invalid query string found.", true));

    ASSERT_TRUE(accessor.QueryNext(sql, row));
    EXPECT_EQ(row.at(1), Value::Text("Personal"));
    ASSERT_TRUE(accessor.QueryNext(sql, row));
    EXPECT_EQ(row.at(1), Value::Text("QuickList"));
    EXPECT_FALSE(accessor.QueryNext(sql, row));
    EXPECT_TRUE(row.empty());
    EXPECT_FALSE(accessor.QueryNext(sql, row));
}

TEST_F(AccessorTest, QueryErrors) {
    const std::string path = Memos();
    PmMDBAccessor accessor(4, path.c_str());
    ClearLog();
    std::vector<Value> row{Value::Integer(1)};
    const char* columns[] = {"Record ID"};
    EXPECT_FALSE(accessor.QueryFirst("Main", columns, row));
    EXPECT_TRUE(row.empty());
    EXPECT_TRUE(
        Logged("Database Query Error, Query String=SELECT [Record ID] FROM Main , Error=The database has no "
               "table \"Main\".",
               true));
    EXPECT_FALSE(accessor.QueryNext(accessor.GetFormerQuery(), row));

    // Executing without a result runs the SELECT but keeps nothing.
    ClearLog();
    EXPECT_TRUE(accessor.ExecuteQuery("SELECT [ID] FROM Category ", false));
    EXPECT_TRUE(Logged("Query executed successfully.", false));
    EXPECT_FALSE(accessor.ExecuteQuery("DELETE FROM Category", false));
    EXPECT_FALSE(accessor.ExecuteQuery("", true));

    // An empty table gives no row and still succeeds.
    const std::string empty = AddDatabase("Empty.mdb", {Categories({})});
    accessor.OpenDatabase(4, empty.c_str());
    row = {Value::Integer(1)};
    EXPECT_TRUE(accessor.QueryFirst("Category", kCategoryColumns, row));
    EXPECT_TRUE(row.empty());
}

}  // namespace
