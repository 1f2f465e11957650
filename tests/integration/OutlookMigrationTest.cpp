// Whole flows into an empty Outlook store: migrate, reopen, load again,
// migrate again; and the store's files as independent parsers read them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/misc/CxDateTime.h"
#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "tests/outlook/OutlookFixture.h"

using namespace oltest;

namespace {

struct Sources {
    std::vector<CommAddrRec> contacts;
    std::vector<CommDateRec> events;
    std::vector<CommTaskRec> tasks;
    std::vector<CommNoteRec> notes;
};

Sources MakeSources() {
    Sources s;
    const char* names[][3] = {{"Ann", "Lee", "ann@example.org"},
                              {"Bj\xC3\xB8rn", "\xC3\x85s", ""},
                              {"Chen", "Wei", "chen@example.com"},
                              {"", "Acme Support", "help@acme.test"}};
    for (auto& n : names) {
        CommAddrRec r{};
        std::strcpy(r.FirstName, n[0]);
        std::strcpy(r.LastName, n[1]);
        std::strcpy(r.Email, n[2]);
        std::snprintf(r.WorkPhone, sizeof r.WorkPhone, "+47 %zu", s.contacts.size() + 100);
        std::strcpy(r.Company, "Acme, Inc.; Oslo");
        std::strcpy(r.Title, "Engineer");
        std::strcpy(r.HomeAddress.Street, "Storgata 1\r\n2nd floor");
        std::strcpy(r.HomeAddress.City, "Oslo");
        std::strcpy(r.HomeAddress.PostalCode, "0150");
        std::strcpy(r.HomeAddress.Country, "Norway");
        std::strcpy(r.Note, "Met at the fair.\r\nLikes tea; not coffee.");
        std::strcpy(r.CustomLabel[0], "Shoe size");
        std::strcpy(r.CustomValue[0], "44");
        r.Birthday = Date(1980, 5, 17);
        s.contacts.push_back(r);
    }
    auto event = [&](const char* subject, SYSTEMTIME start, SYSTEMTIME end) -> CommDateRec& {
        CommDateRec r{};
        std::strcpy(r.Subject, subject);
        r.Start = start;
        r.End = end;
        std::strcpy(r.Location, "Room 4");
        s.events.push_back(r);
        return s.events.back();
    };
    event("Review", Time(2024, 3, 4, 9, 30), Time(2024, 3, 4, 10, 15));
    CommDateRec& gym = event("Gym", Time(2024, 3, 4, 18), Time(2024, 3, 4, 19));
    gym.Repeat.Type = 2;
    gym.Repeat.Interval = 2;
    gym.Repeat.DayOfWeekMask = 10;
    gym.Alarm = 1;
    gym.ReminderCount = 1;
    gym.Reminders[0] = CommReminder{0, 1, 2};
    CommDateRec& trip = event("Trip", Time(2024, 7, 1), Time(2024, 7, 4));
    trip.AllDay = 1;
    event("Conference", Time(2024, 8, 1, 9), Time(2024, 8, 3, 17));
    CommDateRec& birthday = event("Birthday", Time(2024, 2, 14), Time(2024, 2, 15));
    birthday.AllDay = 1;
    birthday.Repeat.Type = 6;
    birthday.Repeat.DayOfMonth = 14;
    birthday.Repeat.MonthOfYear = 2;
    for (const char* subject : {"Pay bills", "Water plants"}) {
        CommTaskRec t{};
        std::strcpy(t.Subject, subject);
        std::strcpy(t.Note, "soon");
        t.DueDate = static_cast<std::int32_t>(SystemTimeToTimeT(Time(2021, 3, 1)));
        t.Priority = 1;
        s.tasks.push_back(t);
    }
    for (const char* text : {"Groceries\r\nmilk\r\neggs", "Ideas"}) {
        CommNoteRec n{};
        std::strcpy(n.Note, text);
        std::strncpy(n.Subject, text, std::strcspn(text, "\r\n"));
        n.Color = 3;
        s.notes.push_back(n);
    }
    return s;
}

template <class Util, class Rec>
std::vector<OlMigrateResult> MigrateAll(std::vector<Rec>& records) {
    Util util;
    EXPECT_TRUE(util.Load());
    std::vector<OlMigrateResult> results;
    for (Rec& r : records) results.push_back(util.MigrateRecord(&r));
    return results;
}

template <class Util, class Rec>
void ExpectAllSame(std::vector<Rec>& records) {
    Util util;
    ASSERT_TRUE(util.Load());
    ASSERT_EQ(util.GetRecordList()->GetRecordCount(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        Rec* match = nullptr;
        EXPECT_EQ(util.GetRecordList()->FindRecord(&records[i], &match, nullptr), CommFindSame) << i;
    }
}

struct MigrationTest : ::testing::Test, Fixture {};

}  // namespace

TEST_F(MigrationTest, EveryKindRoundTripsThroughTheStore) {
    Sources s = MakeSources();
    for (auto r : MigrateAll<OlAddrUtil>(s.contacts)) EXPECT_EQ(r, OlMigrateCreated);
    for (auto r : MigrateAll<OlDateUtil>(s.events)) EXPECT_EQ(r, OlMigrateCreated);
    for (auto r : MigrateAll<OlTaskUtil>(s.tasks)) EXPECT_EQ(r, OlMigrateCreated);
    for (auto r : MigrateAll<OlNoteUtil>(s.notes)) EXPECT_EQ(r, OlMigrateCreated);
    EXPECT_EQ(OlBaseUtil::GetUserCount(), 0);  // Outlook was let go; the next load reopens the store
    const auto before = Snapshot(dir.Path() + "store/");
    EXPECT_EQ(before.size(), s.contacts.size() + s.events.size() + s.tasks.size() + s.notes.size());

    ExpectAllSame<OlAddrUtil>(s.contacts);
    ExpectAllSame<OlDateUtil>(s.events);
    ExpectAllSame<OlTaskUtil>(s.tasks);
    ExpectAllSame<OlNoteUtil>(s.notes);

    for (auto r : MigrateAll<OlAddrUtil>(s.contacts)) EXPECT_EQ(r, OlMigrateUnchanged);
    for (auto r : MigrateAll<OlDateUtil>(s.events)) EXPECT_EQ(r, OlMigrateUnchanged);
    for (auto r : MigrateAll<OlTaskUtil>(s.tasks)) EXPECT_EQ(r, OlMigrateUnchanged);
    for (auto r : MigrateAll<OlNoteUtil>(s.notes)) EXPECT_EQ(r, OlMigrateUnchanged);
    EXPECT_EQ(Snapshot(dir.Path() + "store/"), before);
}

TEST_F(MigrationTest, IndependentParsersReadTheStore) {
    Sources s = MakeSources();
    MigrateAll<OlAddrUtil>(s.contacts);
    MigrateAll<OlDateUtil>(s.events);
    MigrateAll<OlTaskUtil>(s.tasks);
    MigrateAll<OlNoteUtil>(s.notes);
    const std::string source = std::getenv("FW_SOURCE_DIR") ? std::getenv("FW_SOURCE_DIR") : ".";
    const std::string command = "/usr/bin/python3 " + source + "/tests/integration/read_store.py " + dir.Path() +
                                "store > " + dir.File("parsed.txt") + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string parsed = fwtest::ReadFile(dir.File("parsed.txt"));
    ASSERT_EQ(status, 0) << "python3-vobject and python3-icalendar must be installed (scripts/bootstrap)\n" << parsed;
    for (const char* expected : {
             "contact|Ann Lee|Lee|Ann|ann@example.org|+47 100|Acme, Inc.; Oslo|Storgata 1\n2nd floor|Oslo|1980-05-17",
             "contact|Bj\xC3\xB8rn \xC3\x85s|\xC3\x85s|Bj\xC3\xB8rn||+47 101|",
             "event|Gym|2024-03-04 18:00:00+00:00|2024-03-04 19:00:00+00:00|Room 4|{'FREQ': ['WEEKLY'], 'INTERVAL': "
             "[2], 'BYDAY': ['MO', 'WE']}|-1 day, 23:00:00",
             "event|Trip|2024-07-01|2024-07-04|",
             "event|Conference|2024-08-01 09:00:00+00:00|2024-08-03 17:00:00+00:00|",
             "event|Birthday|2024-02-14|2024-02-15|Room 4|{'FREQ': ['YEARLY'], 'BYMONTHDAY': [14], 'BYMONTH': [2]}",
             "todo|Pay bills|2021-03-01|1",
             "journal|Groceries|Groceries\nmilk\neggs",
         })
        EXPECT_NE(parsed.find(expected), std::string::npos) << expected << "\n--- parsed:\n" << parsed;
}
