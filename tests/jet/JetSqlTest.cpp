#include <gtest/gtest.h>

#include "platform/jet/JetSql.h"

using platform::jet::ParseConnectionString;
using platform::jet::ParseSelect;
using platform::jet::SelectStatement;

namespace {

std::string SourceOf(const std::string& text) {
    std::string source, error;
    EXPECT_TRUE(ParseConnectionString(text, source, error)) << text << ": " << error;
    return source;
}

std::string ErrorOf(const std::string& text) {
    std::string source, error;
    EXPECT_FALSE(ParseConnectionString(text, source, error)) << text;
    EXPECT_FALSE(error.empty());
    return error;
}

}  // namespace

TEST(JetConnectionString, TakesTheDataSourceOfTheReadersForm) {
    EXPECT_EQ(SourceOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/home/u/Palm/Address.mdb\""),
              "/home/u/Palm/Address.mdb");
    // Paths with blanks, semicolons and equal signs stay whole inside quotes.
    EXPECT_EQ(SourceOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/a b;c=d/x.mdb\""), "/a b;c=d/x.mdb");
    EXPECT_EQ(SourceOf("provider = microsoft.jet.oledb.4.0 ; DATA SOURCE = 'x.mdb' ;"), "x.mdb");
    EXPECT_EQ(SourceOf("Data Source=plain.mdb;Provider=Microsoft.Jet.OLEDB.4.0"), "plain.mdb");
    EXPECT_EQ(SourceOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"say \"\"hi\"\".mdb\""), "say \"hi\".mdb");
}

TEST(JetConnectionString, RejectsEverythingElseWithAReason) {
    EXPECT_NE(ErrorOf("").find("provider"), std::string::npos);
    EXPECT_NE(ErrorOf("Data Source=\"x.mdb\"").find("provider"), std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0").find("data source"), std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"\"").find("data source"), std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=x.mdb").find("Microsoft.ACE.OLEDB.12.0"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb;Password=secret").find("Password"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"x.mdb").find("closing quote"), std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"x.mdb\"junk").find("after the quoted"),
              std::string::npos);
    EXPECT_NE(ErrorOf("Provider=Microsoft.Jet.OLEDB.4.0;garbage;Data Source=x.mdb").find("garbage"), std::string::npos);
}

TEST(JetSelect, ParsesTheFormsTheReadersBuild) {
    SelectStatement s;
    std::string error;
    // The category query exactly as built: plain table name, trailing blank.
    ASSERT_TRUE(ParseSelect("SELECT [ID], [Name], [Status], [Color] FROM Category ", s, error)) << error;
    EXPECT_EQ(s.table, "Category");
    EXPECT_EQ(s.columns, (std::vector<std::string>{"ID", "Name", "Status", "Color"}));
    EXPECT_FALSE(s.allColumns);

    ASSERT_TRUE(ParseSelect("SELECT [Record ID], [E-mail 1], [Phone Label1] FROM Main ", s, error)) << error;
    EXPECT_EQ(s.columns, (std::vector<std::string>{"Record ID", "E-mail 1", "Phone Label1"}));

    ASSERT_TRUE(ParseSelect("\r\n  select\t[a] ,[b],c\nfrom [My Table];  ", s, error)) << error;
    EXPECT_EQ(s.table, "My Table");
    EXPECT_EQ(s.columns, (std::vector<std::string>{"a", "b", "c"}));

    ASSERT_TRUE(ParseSelect("SELECT * FROM Main", s, error)) << error;
    EXPECT_TRUE(s.allColumns);
    EXPECT_TRUE(s.columns.empty());
}

TEST(JetSelect, RejectsWhatItDoesNotRun) {
    const char* const bad[] = {
        "",
        "DELETE FROM Main",
        "SELECT FROM Main",
        "SELECT [a] [b] FROM Main",
        "SELECT [a], FROM Main",
        "SELECT [a FROM Main",
        "SELECT [] FROM Main",
        "SELECT [a] FROM",
        "SELECT [a] Main",
        "SELECT [a] FROM Main WHERE [a] = 1",
        "SELECT [a] FROM Main, Other",
        "SELECT [a] FROM Main; DROP TABLE Main",
        "SELECTED [a] FROM Main",
    };
    for (const char* sql : bad) {
        SelectStatement s;
        std::string error;
        EXPECT_FALSE(ParseSelect(sql, s, error)) << sql;
        EXPECT_FALSE(error.empty()) << sql;
    }
    EXPECT_TRUE(platform::jet::IsSelect("  Select [a] from b"));
    EXPECT_FALSE(platform::jet::IsSelect("UPDATE Main SET [a] = 1"));
}
