// A Lotus Notes user's exports through "ferrywise --batch" with the real
// helper programs: the address book as vCard (2.1 as Notes writes it, 3.0
// written by python3-vobject), the mail database and the notebook as
// iCalendar written by python3-icalendar (tests/helpers/lotus_pim.py).
// Every record arrives once with its fields and repeat rule, the store
// reads back with python3-vobject and python3-icalendar, and a second run
// finds it all Same.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/BatchRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/SourceBatchTest.h"

namespace {

using fwtest::BatchRun;
using fwtest::Quote;

class LotusPimBatchTest : public fwtest::SourceBatchTest {
protected:
    LotusPimBatchTest() : SourceBatchTest("lotus", "FRWY_LOTUS_PASSWORD") {}

    static std::string Export(const char* name) { return Quote(fwtest::ExportsWrittenBy("lotus_pim.py") + name); }
};

TEST_F(LotusPimBatchTest, VCardAndICalendarExportsMigrateEachRecordOnce) {
    MigrateTwice("--notes-contacts " + Export("notes21.vcf") + " --notes-mail " + Export("mail.ics") +
                     " --notes-notebook " + Export("notebook.ics") + " --kinds contacts,calendar,tasks,notes",
                 {{"Contacts", 2}, {"Calendar", 16}, {"Tasks", 4}, {"Notes", 2}});
    const auto lines = StoreLines();
    for (const char* line :
         {"contact|Göran Erik Jönsson|Jönsson|Göran|goran@ferry.example|+46 8 100|Färjebolaget AB|Hamngatan 1",
          "Kaj 4|Göteborg|1970-03-04",  // the street's second line
          "contact|Zo€ Café|Café|Zo€|zoe@example.com|",
          "event|Single|2026-03-10 08:00:00+00:00|2026-03-10 09:00:00+00:00|Bryggan|",
          "event|New York call|2026-03-10 13:00:00+00:00|2026-03-10 14:00:00+00:00||",
          "event|Conference|2026-03-12|2026-03-14||",
          "event|Daily|2026-03-02 07:00:00+00:00|2026-03-02 07:15:00+00:00||{'FREQ': ['DAILY'], 'UNTIL': "
          "[datetime.datetime(2026, 3, 6, 7, 0, tzinfo=<UTC>)]}",
          "event|Daily (moved)|2026-03-04 10:00:00+00:00|2026-03-04 10:15:00+00:00||",
          "event|Weekly MWF|2026-03-02 11:00:00+00:00|2026-03-02 12:00:00+00:00||{'FREQ': ['WEEKLY'], 'UNTIL': "
          "[datetime.datetime(2026, 4, 30, 11, 0, tzinfo=<UTC>)], 'BYDAY': ['MO', 'WE', 'FR']}",
          "event|Every other Tuesday|2026-03-03 14:00:00+00:00|2026-03-03 15:00:00+00:00||{'FREQ': ['WEEKLY'], "
          "'INTERVAL': [2], 'BYDAY': ['TU']}",
          "event|Monthly on the 15th|2026-03-15 09:00:00+00:00|2026-03-15 10:00:00+00:00||{'FREQ': ['MONTHLY'], "
          "'UNTIL': [datetime.datetime(2026, 8, 15, 9, 0, tzinfo=<UTC>)], 'BYMONTHDAY': [15]}",
          "event|Second Tuesday|2026-03-10 13:00:00+00:00|2026-03-10 14:00:00+00:00||{'FREQ': ['MONTHLY'], "
          "'BYDAY': ['TU'], 'BYSETPOS': [2]}",
          "event|Anniversary|2026-05-20 16:00:00+00:00|2026-05-20 18:00:00+00:00||{'FREQ': ['YEARLY'], "
          "'BYMONTHDAY': [20], 'BYMONTH': [5]}",
          "event|Thanksgiving|2026-11-26 17:00:00+00:00|2026-11-26 19:00:00+00:00||{'FREQ': ['MONTHLY'], "
          "'INTERVAL': [12], 'BYDAY': ['TH'], 'BYSETPOS': [4]}",
          "event|Every weekday|2026-03-02 06:30:00+00:00|2026-03-02 06:45:00+00:00||{'FREQ': ['WEEKLY']",
          "event|Listed dates|2026-04-07 08:00:00+00:00|",
          "event|Listed dates|2026-04-14 08:00:00+00:00|",
          "event|Listed dates (moved)|2026-04-28 12:00:00+00:00|",
          "todo|Open to-do|2030-06-01|1|NEEDS-ACTION",
          "todo|Completed to-do|2026-02-01|9|COMPLETED",
          "todo|Overdue to-do|2020-01-01|5|NEEDS-ACTION",
          "todo|Done without a date||5|COMPLETED",
          "journal|Idéer|Idéer",
          "Första idén",
          "journal|Packlista|Packlista"})
        EXPECT_TRUE(HasLineStartingWith(lines, line)) << line;
    EXPECT_FALSE(HasLineStartingWith(lines, "event|Daily (cancelled)"));
    EXPECT_FALSE(HasLineStartingWith(lines, "event|Listed dates|2026-04-28"));
    EXPECT_FALSE(HasLineStartingWith(lines, "event|Listed dates|2026-05-05"));

    storeName = "store-30";
    MigrateTwice("--notes-contacts " + Export("notes30.vcf") + " --kinds contacts", {{"Contacts", 1}});
    EXPECT_TRUE(HasLineStartingWith(StoreLines(),
                                    "contact|Åsa Maria Åberg|Åberg|Åsa|asa@skargard.example|+46 8 111|"
                                    "Skärgårdsfärjor AB|Strandvägen 7"));
}

TEST_F(LotusPimBatchTest, AVCardAsMailDatabaseIsAnErrorAndWritesNothing) {
    const BatchRun run = Ferrywise("--notes-contacts " + Export("notes21.vcf") + " --notes-mail " +
                                   Export("notes21.vcf") + " --kinds contacts,calendar");
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("is no export of a Lotus Notes mail database that holds calendar entries"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(ItemCount(StoreLines()), 0);
}

}  // namespace
