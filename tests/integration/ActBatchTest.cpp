// An ACT! user's database through "ferrywise --batch" with the real helper
// programs: read through the Act! Web API (its stand-in, following the
// published contract) with a ".pad" naming the database, and from the text
// exports that ACT! writes for contacts (written here by Python's csv module
// in UTF-8 and windows-1252). Every record arrives once, the store reads back
// with python3-vobject and python3-icalendar, and a second run finds it all
// Same.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/ActWebApi.h"
#include "tests/support/ActWebSeed.h"
#include "tests/support/BatchRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/SourceBatchTest.h"
#include "tests/support/TempDir.h"

namespace {

using fwtest::BatchRun;
using fwtest::Quote;
using Json = nlohmann::json;

class ActBatchTest : public fwtest::SourceBatchTest {
protected:
    ActBatchTest() : SourceBatchTest("act", "FRWY_ACT_PASSWORD") {}
};

// A ".pad" as ACT! writes it beside its database.
std::string WritePad(const fwtest::TempDir& dir) {
    const std::string pad = dir.File("Sales.pad");
    std::ofstream(pad) << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                          "<ACT2005Database name=\"Sales\" host=\"127.0.0.1\" location=\"C:\\ACT\\Sales\" "
                          "type=\"Sql\" />\r\n";
    return pad;
}

TEST_F(ActBatchTest, AWebApiDatabaseMigratesEveryKindOnce) {
    Json seed = fwtest::actseed::Seed();
    seed["contacts"] = fwtest::actseed::Contacts(40);
    fwtest::ActWebApi api(seed.dump());
    ASSERT_TRUE(api.Ok());
    const std::string account = "--act-pad " + Quote(WritePad(dir)) + " --act-user chris --act-api-url " +
                                Quote(api.BaseUrl()) + " --kinds contacts,calendar,tasks,notes";

    // A refused password is the API's refusal, and nothing is written.
    const BatchRun refused = Ferrywise(account, "wrong");
    EXPECT_NE(refused.status, 0) << refused.output;
    EXPECT_NE(refused.output.find("The ACT! user name or password was not accepted."), std::string::npos)
        << refused.output;

    // Ten calendar activities (the two to-dos go to the tasks), two to-dos
    // and three opportunities, two notes.
    MigrateTwice(account, {{"Contacts", 40}, {"Calendar", 10}, {"Tasks", 5}, {"Notes", 2}}, fwtest::actseed::kPassword);
    const auto lines = StoreLines();
    for (const char* line :
         {// The street's two lines take two lines here.
          "contact|Dr. Zoë A. Müller PhD|Müller|Zoë|zoe@acme.example|+1 555 0100x12|Acme, Inc.|1 Main St",
          "Suite 5|Springfield|1980-02-29", "contact|First1|",
          "event|Subject meet|2026-01-15 14:30:00+00:00|2026-01-15 16:00:00+00:00|Room meet|",
          "event|Subject yearDay|2026-07-01 14:30:00+00:00|2026-07-01 15:30:00+00:00|Room yearDay|{'FREQ': "
          "['YEARLY'], 'BYDAY': ['TU'], 'BYMONTH': [11], 'BYSETPOS': [2]}",
          "event|Subject allday|2026-07-03|2026-07-04|", "todo|Big deal|2026-07-01|5|COMPLETED",
          "todo|Small deal||5|NEEDS-ACTION", "todo|Subject todo1|2026-01-15|1|COMPLETED",
          "todo|Subject todo2|2026-07-01|9|NEEDS-ACTION", "journal|Lunch with Zoë|"})
        EXPECT_TRUE(HasLineStartingWith(lines, line)) << line;
    EXPECT_FALSE(HasLineStartingWith(lines, "event|Subject todo1|"));
    // The password reached the helpers through their parameter files only,
    // which the program removed.
    const BatchRun grep =
        fwtest::RunCommand("grep -rlF " + Quote(fwtest::actseed::kPassword) + " " + Quote(dir.Path()) + " 2>&1");
    EXPECT_EQ(grep.output, "") << grep.output;
}

// The exports of tests/helpers/act_export.py, with what each contact must
// hold beside each.
std::string ActExport(const std::string& name) { return fwtest::ExportsWrittenBy("act_export.py") + name; }

TEST_F(ActBatchTest, TextExportsInUtf8AndWindows1252) {
    for (const char* name : {"modern.csv", "older.csv"}) {
        SCOPED_TRACE(name);
        storeName = std::string("store-") + name;
        const std::string file = ActExport(name);
        // An export needs no user name and no password.
        MigrateTwice("--act-pad " + Quote(file) + " --kinds contacts", {{"Contacts", 36}});
        const auto lines = StoreLines();
        const Json expected = Json::parse(fwtest::ReadFile(file + ".json"));
        ASSERT_EQ(expected.size(), 36u);
        for (const Json& contact : expected) {
            const std::string first = contact.at("8").at(1), last = contact.at("10").at(1);
            const std::string full = contact.contains("11") ? contact.at("11").at(1).get<std::string>() : "";
            EXPECT_TRUE(HasLineStartingWith(lines, "contact|" + full + "|" + last + "|" + first + "|"))
                << first << " " << last;
        }
    }
    // Calendar, to-dos or notes from an export: the helper's sentence.
    storeName = "store-calendar";
    const BatchRun run = Ferrywise("--act-pad " + Quote(ActExport("modern.csv")) + " --kinds calendar");
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("An ACT! text export holds contacts only; choose Contacts alone, or the database."),
              std::string::npos)
        << run.output;
}

}  // namespace
