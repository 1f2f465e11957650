// The jetfixture command-line program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/paths/Paths.h"
#include "tests/jet/JetTestSupport.h"
#include "tests/support/TempDir.h"

using jettest::ParseCsv;
using jettest::Quoted;
using jettest::ReadAll;
using jettest::RunCommand;
using platform::jet::Value;

namespace {

std::string Tool() {
    // ctest names the build folder; run by hand, the test sits in <build>/tests/jet/.
    const char* bin = std::getenv("FW_BINARY_DIR");
    const std::string build = bin ? std::string(bin) + "/" : platform::ProgramFolder() + "../../";
    return Quoted(build + "tools/jetfixture/jetfixture");
}

}  // namespace

TEST(JetFixtureTool, WritesTheFourSampleDatabases) {
    fwtest::TempDir dir;
    int status = -1;
    RunCommand(Tool() + " samples " + Quoted(dir.Path()) + " 12", &status);
    ASSERT_EQ(status, 0);
    for (const char* name : {"Address.mdb", "DateBook.mdb", "Todolist.mdb", "MemoPad.mdb"}) {
        const std::string file = dir.File(name);
        ASSERT_TRUE(std::filesystem::exists(file)) << name;
        const auto rows = ParseCsv(RunCommand("mdb-export " + Quoted(file) + " Main", &status));
        EXPECT_EQ(status, 0);
        EXPECT_GE(rows.size(), 13u) << name;  // header and at least 12 records
    }
}

TEST(JetFixtureTool, BuildsADatabaseFromATabSeparatedFile) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("todo.tsv"),
                      "#category\t1\tBüro\t0\t4\n"
                      "Record ID\tDescription\tCompleted\tPriority\tNote\n"
                      "1\tAnrufen\t1\t2\tZeile 1\\nZeile 2\\tTab \\\\ Ende\n"
                      "2\tEinkaufen\tfalse\t-3\t\n");
    int status = -1;
    const std::string out = dir.File("Todolist.mdb");
    RunCommand(Tool() + " palm tasks " + Quoted(out) + " " + Quoted(dir.File("todo.tsv")), &status);
    ASSERT_EQ(status, 0);
    const auto cats = ReadAll(out, "SELECT [ID], [Name], [Color] FROM Category ");
    ASSERT_EQ(cats.size(), 1u);
    EXPECT_EQ(cats[0][1], Value::Text("Büro"));
    EXPECT_EQ(cats[0][2], Value::Integer(4));
    const auto rows = ReadAll(out, "SELECT [Record ID], [Completed], [Priority], [Note], [Due Date] FROM Main ");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], Value::Boolean(true));
    EXPECT_EQ(rows[0][3], Value::Text("Zeile 1\nZeile 2\tTab \\ Ende"));
    EXPECT_EQ(rows[0][4], Value::Integer(0));  // columns not given take 0
    EXPECT_EQ(rows[1][2], Value::Integer(-3));

    fwtest::WriteFile(dir.File("bad.tsv"), "Record ID\tShoe Size\n1\t44\n");
    const std::string err = RunCommand(
        Tool() + " palm tasks " + Quoted(dir.File("x.mdb")) + " " + Quoted(dir.File("bad.tsv")) + " 2>&1", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("Shoe Size"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.mdb")));
    fwtest::WriteFile(dir.File("nan.tsv"), "Priority\nhigh\n");
    RunCommand(Tool() + " palm tasks " + Quoted(dir.File("x.mdb")) + " " + Quoted(dir.File("nan.tsv")) + " 2>&1",
               &status);
    EXPECT_EQ(status, 1);
    RunCommand(Tool() + " palm shoes " + Quoted(dir.File("x.mdb")) + " 2>&1", &status);
    EXPECT_EQ(status, 2);
}
