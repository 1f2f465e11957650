// A Lotus Notes user's address book, mail database and notebook, exported
// as DXL (written by tests/helpers/lotus_dxl.py as the Notes DXL exporter
// writes them), through "ferrywise --batch" with the real helper programs:
// every record arrives once with its fields and repeat rule, the store
// reads back with python3-vobject and python3-icalendar, and a second run
// finds it all Same. A database itself (".nsf") is refused with the way to
// export it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/BatchRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/SourceBatchTest.h"
#include "tests/support/TimeZone.h"

namespace {

using fwtest::BatchRun;
using fwtest::Quote;

std::string Export(const std::string& name) { return fwtest::ExportsWrittenBy("lotus_dxl.py") + name; }

class LotusDxlBatchTest : public fwtest::SourceBatchTest {
protected:
    LotusDxlBatchTest() : SourceBatchTest("lotus", "FRWY_LOTUS_PASSWORD") {}
    // The program and its helpers run in UTC, so the store's times read
    // the same everywhere.
    fwtest::ScopedTimeZone zone{fwtest::kUtcZone};
};

TEST_F(LotusDxlBatchTest, EveryKindMigratesOnceWithItsFieldsAndRules) {
    const std::string args = "--notes-contacts " + Quote(Export("names.dxl")) + " --notes-mail " +
                             Quote(Export("mail.dxl")) + " --notes-notebook " + Quote(Export("journal.dxl")) +
                             " --kinds contacts,calendar,tasks,notes";
    // The group and the memos are no records; the series instance comes
    // with its series; the dentist's three dates and the tax day of every
    // second year are three events each.
    MigrateTwice(args, {{"Contacts", 3}, {"Calendar", 13}, {"Tasks", 3}, {"Notes", 2}});
    const auto lines = StoreLines();
    for (const char* line : {
             "contact|Åsa M. Öberg/Fleet/Ferry|Öberg|Åsa|asa@ferry.example|+46 31 100|Fährhaus & Söhne AG|Hamnvägen 1",
             "Box 7|Göteborg|1980-01-02",
             "contact|Bo Ek|Ek|Bo|bo@ek.example|",
             "contact|Ζωή Παπαδοπούλου|Παπαδοπούλου|Ζωή|||Ναυτιλία||Πειραιάς|",
             "event|Ferry meeting|2026-01-15 14:00:00+00:00|2026-01-15 15:30:00+00:00|Pier 4|",
             "event|Midsummer|2026-06-19|2026-06-21||",
             "event|Wedding day|2026-06-18|2026-06-19||{'FREQ': ['YEARLY'], 'UNTIL': [datetime.date(2030, 6, 18)], "
             "'BYMONTHDAY': [18], 'BYMONTH': [6]}",
             "event|Stand-up|2026-03-02 07:30:00+00:00|2026-03-02 07:45:00+00:00||{'FREQ': ['DAILY'], 'UNTIL': "
             "[datetime.datetime(2026, 3, 6, 7, 30, tzinfo=<UTC>)]}",
             "event|Gym|2026-03-02 17:00:00+00:00|2026-03-02 18:00:00+00:00||{'FREQ': ['WEEKLY'], 'UNTIL': "
             "[datetime.datetime(2026, 3, 13, 17, 0, tzinfo=<UTC>)], 'BYDAY': ['MO', 'WE', 'FR']}",
             "event|Rent|2026-01-15 09:00:00+00:00|2026-01-15 09:30:00+00:00||{'FREQ': ['MONTHLY'], 'UNTIL': "
             "[datetime.datetime(2026, 6, 15, 9, 0, tzinfo=<UTC>)], 'BYMONTHDAY': [15]}",
             "event|Board meeting|2026-01-13 13:00:00+00:00|2026-01-13 14:00:00+00:00||{'FREQ': ['MONTHLY'], "
             "'UNTIL': [datetime.datetime(2026, 4, 14, 13, 0, tzinfo=<UTC>)], 'BYDAY': ['TU'], 'BYSETPOS': [2]}",
             "event|Tax day|2026-04-30 10:00:00+00:00|2026-04-30 10:30:00+00:00||{'FREQ': ['YEARLY'], 'UNTIL': "
             "[datetime.datetime(2030, 4, 30, 10, 0, tzinfo=<UTC>)], 'INTERVAL': [2], 'BYMONTHDAY': [30], "
             "'BYMONTH': [4]}",
             "event|Call mum|2026-03-20 16:00:00+00:00|2026-03-20 16:00:00+00:00||",
             "event|Call Bangalore|2026-02-10 10:00:00+00:00|2026-02-10 11:00:00+00:00||",
             "event|Dentist|2026-02-03 07:00:00+00:00|2026-02-03 07:45:00+00:00||",
             "event|Dentist|2026-03-17 07:00:00+00:00|2026-03-17 07:45:00+00:00||",
             "event|Dentist|2026-05-05 06:00:00+00:00|2026-05-05 06:45:00+00:00||",
             "todo|Buy charts|2030-12-31|1|NEEDS-ACTION",
             "todo|File report|2026-01-01|9|COMPLETED",
             "todo|Paint hull|2025-06-01|5|NEEDS-ACTION",
             "journal|Logbook day 1|",
             "Left Visby at dawn.",
             "Wind SW",
             "5 m/s",
             "Cell B",
             "journal|Idéer för sommaren|",
             "Segla till Åland",
         })
        EXPECT_TRUE(HasLineStartingWith(lines, line)) << line;
}

TEST_F(LotusDxlBatchTest, ADatabaseInsteadOfItsExportFailsWithTheWayToExportIt) {
    const BatchRun run = Ferrywise("--notes-contacts " + Quote(dir.Path() + "names.nsf") + " --kinds contacts");
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("cannot be read here, only its export"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("DXL Utilities > Exporter"), std::string::npos) << run.output;
}

}  // namespace
