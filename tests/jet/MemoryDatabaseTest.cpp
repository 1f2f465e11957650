// The in-memory databases, and the query behaviour both kinds share.
#include <gtest/gtest.h>

#include "platform/jet/JetConnection.h"
#include "platform/jet/MemoryDatabase.h"
#include "tests/jet/JetTestSupport.h"

using namespace platform::jet;
using jettest::ConnectionStringFor;

namespace {

std::shared_ptr<MemoryProvider> PalmLikeProvider() {
    auto provider = std::make_shared<MemoryProvider>();
    provider->Add("/palm/MemoPad.mdb",
                  {{"Category",
                    {"ID", "Name", "Status", "Color"},
                    {{Value::Integer(1), Value::Text("Business"), Value::Integer(0), Value::Integer(5)},
                     {Value::Integer(2), Value::Text("Personal")}}},  // a short row
                   {"Main",
                    {"Record ID", "Status", "Placement", "Private", "Category", "Note"},
                    {{Value::Integer(10), Value::Integer(0), Value::Integer(1), Value::Boolean(true), Value::Text("2"),
                      Value::Text("Erste Notiz")},
                     {Value::Integer(11), Value::Integer(0x84), Value::None(), Value::Boolean(false), Value::Text("9"),
                      Value::Text("")}}}});
    provider->AddUnreadable("/palm/Broken.mdb", "\"/palm/Broken.mdb\" is not a Jet 4 database: it is too short.");
    return provider;
}

}  // namespace

TEST(MemoryDatabase, ServesTablesThroughTheDefaultProvider) {
    ScopedDefaultProvider use(PalmLikeProvider());
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor("/palm/MemoPad.mdb"));
    ASSERT_TRUE(conn.Open()) << conn.LastError();
    Query query(&conn);
    query.SetSQL("SELECT [ID], [Name], [Status], [Color] FROM Category ");
    ASSERT_TRUE(query.Open()) << query.LastError();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldCount(), 4);
    EXPECT_EQ(query.Field(1), Value::Text("Business"));
    EXPECT_EQ(query.Field(3), Value::Integer(5));
    EXPECT_EQ(query.Field(4), Value::None());  // outside the fields
    EXPECT_EQ(query.Field(-1), Value::None());
    EXPECT_TRUE(query.Next());
    EXPECT_EQ(query.Field(0), Value::Integer(2));
    EXPECT_EQ(query.Field(2), Value::None());  // missing from the short row
    EXPECT_FALSE(query.Next());
    EXPECT_TRUE(query.Eof());
    EXPECT_FALSE(query.Next());  // stays at the end
    EXPECT_EQ(query.Field(0), Value::None());

    query.SetSQL("SELECT [note], [CATEGORY], [Record ID] FROM [main]");
    ASSERT_TRUE(query.Open()) << query.LastError();
    EXPECT_EQ(query.FieldName(0), "Note");
    EXPECT_EQ(query.Field(1), Value::Text("2"));
    EXPECT_EQ(query.Field(2), Value::Integer(10));
    query.Close();
    EXPECT_FALSE(query.Active());
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.FieldCount(), 0);
}

TEST(MemoryDatabase, FailuresLeaveAClosedQueryAndAMessage) {
    auto provider = PalmLikeProvider();
    Connection conn(provider);
    Query query(&conn);
    query.SetSQL("SELECT [ID] FROM Category");
    EXPECT_FALSE(query.Open());
    EXPECT_EQ(query.LastError(), "The connection is not open.");

    conn.SetConnectionString(ConnectionStringFor("/palm/Broken.mdb"));
    EXPECT_FALSE(conn.Open());
    EXPECT_NE(conn.LastError().find("too short"), std::string::npos);
    conn.SetConnectionString(ConnectionStringFor("/palm/Unknown.mdb"));
    EXPECT_FALSE(conn.Open());
    EXPECT_NE(conn.LastError().find("Could not find file"), std::string::npos);
    conn.SetConnectionString("Data Source=/palm/MemoPad.mdb");
    EXPECT_FALSE(conn.Open());
    EXPECT_NE(conn.LastError().find("provider"), std::string::npos);

    conn.SetConnectionString(ConnectionStringFor("/palm/MemoPad.mdb"));
    ASSERT_TRUE(conn.Open());
    query.SetSQL("SELECT [ID] FROM Category");
    ASSERT_TRUE(query.Open());
    // A failing query closes what was open before.
    query.SetSQL("SELECT [Nope] FROM Category");
    EXPECT_FALSE(query.Open());
    EXPECT_NE(query.LastError().find("no column \"Nope\""), std::string::npos);
    EXPECT_FALSE(query.Active());
    EXPECT_TRUE(query.Eof());
    query.SetSQL("");
    EXPECT_FALSE(query.Open());
    EXPECT_NE(query.LastError().find("Syntax error"), std::string::npos);
}

TEST(MemoryDatabase, ExecSqlRunsSelectsOnlyAndKeepsNoResult) {
    ScopedDefaultProvider use(PalmLikeProvider());
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor("/palm/MemoPad.mdb"));
    ASSERT_TRUE(conn.Open());
    Query query(&conn);
    query.SetSQL("SELECT [Record ID] FROM Main");
    EXPECT_TRUE(query.ExecSQL()) << query.LastError();
    EXPECT_FALSE(query.Active());
    EXPECT_TRUE(query.Eof());
    query.SetSQL("SELECT [Nothing] FROM Main");
    EXPECT_FALSE(query.ExecSQL());
    for (const char* sql :
         {"INSERT INTO Category ([ID]) VALUES (4)", "UPDATE Main SET [Status] = 0", "DELETE FROM Main"}) {
        query.SetSQL(sql);
        EXPECT_FALSE(query.ExecSQL()) << sql;
        EXPECT_NE(query.LastError().find("reading only"), std::string::npos);
    }
}

TEST(MemoryDatabase, ReopeningAConnectionAndTheDefaultProviderRestored) {
    auto provider = PalmLikeProvider();
    {
        ScopedDefaultProvider use(provider);
        EXPECT_EQ(DefaultProvider(), provider);
        Connection conn;
        conn.SetConnectionString(ConnectionStringFor("/palm/MemoPad.mdb"));
        ASSERT_TRUE(conn.Open());
        ASSERT_TRUE(conn.Open());  // open again: closes, then opens
        EXPECT_TRUE(conn.Connected());
        conn.Close();
        EXPECT_FALSE(conn.Connected());
    }
    EXPECT_EQ(DefaultProvider(), MdbToolsProvider());
    // Of two tables of one name, the first answers.
    auto twice = std::make_shared<MemoryProvider>();
    twice->Add("/x.mdb", {{"Main", {"A"}, {{Value::Integer(1)}}}, {"MAIN", {"A"}, {{Value::Integer(2)}}}});
    Connection first(twice);
    first.SetConnectionString(ConnectionStringFor("/x.mdb"));
    ASSERT_TRUE(first.Open());
    Query q(&first);
    q.SetSQL("SELECT [a] FROM main");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.Field(0), Value::Integer(1));
    // The memory provider's paths are not files: libmdb does not find them.
    Connection conn;
    conn.SetConnectionString(ConnectionStringFor("/palm/MemoPad.mdb"));
    EXPECT_FALSE(conn.Open());
}
