// A Google user's contacts and calendars through "ferrywise --batch" with
// the real helper programs: from every shape of export that Google Takeout
// and Google Contacts produce, and from an account on a CardDAV/CalDAV
// server (Radicale). Every record arrives once, the store reads back with
// python3-vobject and python3-icalendar, and a second run finds it all Same.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/BatchRun.h"
#include "tests/support/DavFiller.h"
#include "tests/support/GoogleExports.h"
#include "tests/support/RadicaleServer.h"
#include "tests/support/SourceBatchTest.h"
#include "tests/support/TempDir.h"

namespace {

using fwtest::BatchRun;
using fwtest::Quote;

class GoogleBatchTest : public fwtest::SourceBatchTest {
protected:
    GoogleBatchTest() : SourceBatchTest("google", "FRWY_GOOGLE_PASSWORD") {}
};

TEST_F(GoogleBatchTest, EveryTakeoutShapeMigratesEachRecordOnce) {
    struct Shape {
        const char* path;
        int contacts, events;
    };
    // The main calendar's cancelled instance is no event; its moved one is.
    for (const Shape& s :
         {Shape{"takeout.zip", 3, 10}, Shape{"takeout.tgz", 3, 10}, Shape{"parts", 3, 10}, Shape{"folder", 3, 10}}) {
        SCOPED_TRACE(s.path);
        storeName = std::string("store-") + s.path;
        MigrateTwice("--google-export " + Quote(fwtest::GoogleExportFolder() + s.path),
                     {{"Contacts", s.contacts}, {"Calendar", s.events}});
    }
    const auto lines = StoreLines();
    for (const char* line :
         {"contact|Anna Maria Lindqvist|Lindqvist|Anna|anna@work.example|+46 8 789|Ferry AB|Strandvägen 1|Stockholm|"
          "1980-01-02",
          "contact|Bo Ek|Ek|Bo|bo@example.com|", "contact|Cai Ström|Ström|Cai|",
          "event|Standup|2008-01-02 08:30:00+00:00|2008-01-02 09:00:00+00:00||{'FREQ': ['WEEKLY'], 'INTERVAL': [2], "
          "'BYDAY': ['MO', 'WE']}",
          "event|Standup (moved)|2008-01-16 10:00:00+00:00|", "event|Midsummer|2008-06-20|2008-06-21|",
          // The first of its four reminders, 30 minutes before.
          "event|Call New York|2008-01-02 14:30:00+00:00|2008-01-02 15:30:00+00:00|Video||-1 day, 23:30:00",
          "event|Pi day|2008-03-14|2008-03-15||{'FREQ': ['YEARLY'], 'BYMONTHDAY': [14], 'BYMONTH': [3]}",
          "event|Invoices|2008-01-15 07:00:00+00:00|2008-01-15 08:00:00+00:00||{'FREQ': ['MONTHLY'], 'UNTIL': "
          "[datetime.datetime(2008, 12, 15, 7, 0, tzinfo=<UTC>)], 'INTERVAL': [3], 'BYMONTHDAY': [15]}",
          "event|Board|2008-01-08 13:00:00+00:00|2008-01-08 14:00:00+00:00||{'FREQ': ['MONTHLY'], 'BYDAY': ['TU'], "
          "'BYSETPOS': [2]}"})
        EXPECT_TRUE(HasLineStartingWith(lines, line)) << line;
    EXPECT_FALSE(HasLineStartingWith(lines, "event|Standup (cancelled)"));
}

TEST_F(GoogleBatchTest, SingleFilesAndBothCsvGenerations) {
    MigrateTwice("--google-export " + Quote(fwtest::GoogleExportFolder() + "calendar.ics") + " --kinds calendar",
                 {{"Calendar", 9}});
    storeName = "store-vcf";
    MigrateTwice("--google-export " + Quote(fwtest::GoogleExportFolder() + "contacts.vcf") + " --kinds contacts",
                 {{"Contacts", 3}});
    for (const auto& [csv, anna] : {std::pair<const char*, const char*>{"old.csv", "Anna Lindqvist"},
                                    std::pair<const char*, const char*>{"new.csv", "Anna Maria Lindqvist"}}) {
        SCOPED_TRACE(csv);
        storeName = std::string("store-") + csv;
        MigrateTwice("--google-export " + Quote(fwtest::GoogleExportFolder() + csv) + " --kinds contacts",
                     {{"Contacts", 2}});
        EXPECT_TRUE(HasLineStartingWith(StoreLines(), std::string("contact|") + anna +
                                                          "|Lindqvist|Anna|anna@work.example|+46 8 123|Ferry AB|"
                                                          "Strandvägen 1|Stockholm|1980-01-02"));
    }
    // A contacts table holds no calendar: that is an error, not an empty
    // calendar, and nothing is written.
    storeName = "store-both";
    const BatchRun run = Ferrywise("--google-export " + Quote(fwtest::GoogleExportFolder() + "old.csv"));
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("holds no calendar"), std::string::npos) << run.output;
}

constexpr const char* kUser = "anna@example.org";
constexpr const char* kPassword = "pa ss'word\"$1";

std::string Card(const std::string& uid, const std::string& given, const std::string& family) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + given + " " + family + "\r\nN:" + family + ";" +
           given + ";;;\r\nEMAIL;TYPE=INTERNET,WORK:" + given + "@example.org\r\nTEL;TYPE=CELL:+46 70 " + uid +
           "\r\nEND:VCARD\r\n";
}

std::string Event(const std::string& uid, const std::string& summary, const std::string& rule) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240105T093000Z\r\nDTEND:20240105T103000Z\r\nSUMMARY:" + summary +
           "\r\n" + rule + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

TEST_F(GoogleBatchTest, AnAccountOnACardDavAndCalDavServer) {
    fwtest::RadicaleServer server(kUser, kPassword);
    ASSERT_TRUE(server.Ok()) << server.Log();
    fwtest::DavFiller fill(server.Url(), kUser, kPassword);
    const std::string home = std::string(kUser) + "/";
    ASSERT_EQ(fill.AddressBook(home + "book/"), 201);
    const char* names[][2] = {{"Åsa", "Berg"}, {"Jörg", "Müller"}, {"Li", "Wei"}, {"Zoë", "O'Neil"}};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(fill.Put(home + "book/c" + std::to_string(i) + ".vcf",
                           Card(std::to_string(100 + i), names[i][0], names[i][1]), "text/vcard"),
                  201);
    ASSERT_EQ(fill.Calendar(home + "work/", "Work", "#FF8800FF"), 201);
    ASSERT_EQ(fill.Put(home + "work/e1.ics", Event("e1", "Review", "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=FR\r\n"),
                       "text/calendar"),
              201);
    ASSERT_EQ(fill.Put(home + "work/e2.ics", Event("e2", "Launch", ""), "text/calendar"), 201);

    const std::string account = "--google-email " + Quote(kUser) + " --google-server " + Quote(server.Url());
    // A refused password is the helper's sentence, and nothing is written.
    const BatchRun refused = Ferrywise(account, "wrong");
    EXPECT_NE(refused.status, 0) << refused.output;
    EXPECT_NE(refused.output.find("The Google account did not accept the e-mail address and password."),
              std::string::npos)
        << refused.output;
    EXPECT_TRUE(StoreLines().empty() || StoreLines() == std::vector<std::string>{""});

    MigrateTwice(account, {{"Contacts", 4}, {"Calendar", 2}}, kPassword);
    const auto lines = StoreLines();
    for (const char* line :
         {"contact|Åsa Berg|Berg|Åsa|Åsa@example.org|+46 70 100|", "contact|Zoë O'Neil|O'Neil|Zoë|",
          "event|Review|2024-01-05 09:30:00+00:00|2024-01-05 10:30:00+00:00||{'FREQ': ['WEEKLY'], 'INTERVAL': [2], "
          "'BYDAY': ['FR']}",
          "event|Launch|2024-01-05 09:30:00+00:00|"})
        EXPECT_TRUE(HasLineStartingWith(lines, line)) << line;
    // The password went to the helper through its parameter file only, and
    // the program removed that file.
    const BatchRun grep = fwtest::RunCommand("grep -rlF " + Quote(kPassword) + " " + Quote(dir.Path()) + " 2>&1");
    EXPECT_EQ(grep.output, "") << grep.output;
}

}  // namespace
