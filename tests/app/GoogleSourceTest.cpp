// A Google source in batch mode, with the test helper standing in for the
// Google helpers and handing over prepared data files: the records reach
// the Outlook store (read back with python3-icalendar and python3-vobject),
// a second run finds them the same, and the account's secrets come from
// the environment only and stay out of the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/AdapterTable.h"
#include "app/AppCommon.h"
#include "app/BatchMode.h"
#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"
#include "tests/support/BatchRun.h"
#include "tests/support/BatchSource.h"
#include "tests/support/GoogleRecords.h"
#include "tests/support/TempDir.h"

namespace {

struct GoogleSource : fwtest::BatchSource {
    fwtest::ScopedEnv noPassword{"FRWY_GOOGLE_PASSWORD", ""};
    fwtest::ScopedEnv noSecret{"FRWY_GOOGLE_CLIENT_SECRET", ""};

    GoogleSource() {
        fwtest::GContact anna;
        anna.first = "Anna";
        anna.last = "Berg";
        anna.company = "Acme AB";
        anna.emails = {{2, "anna@acme.example"}};
        anna.phones = {{3, "+46 70 111 22 33"}};
        anna.dates = {{1, fwtest::OleDate(1980, 2, 29)}};
        fwtest::GContact bo;
        bo.first = "Bo";
        bo.last = "Ek";
        bo.primaryEmail = "bo@example.org";
        EXPECT_TRUE(fwtest::WriteGAddrFile(source + "/GAddr.dat", {anna, bo}));

        fwtest::GEvent standup;
        standup.title = "Standup";
        standup.start = fwtest::OleDate(2026, 3, 2, 9);
        standup.end = fwtest::OleDate(2026, 3, 2, 9, 15);
        standup.recurrence =
            "DTSTART:20260302T090000\r\nDTEND:20260302T091500\r\nRRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO\r\n";
        standup.recurrenceType = 2;
        standup.interval = 2;
        standup.weekdayMask = 2;
        standup.recurrenceStart = fwtest::OleDate(2026, 3, 2);
        standup.reminderCount = 1;
        standup.reminderMethod[0] = 1;
        standup.reminderOffset[0] = 10;
        fwtest::GEvent midsummer;
        midsummer.title = "Midsummer";
        midsummer.allDay = 1;
        midsummer.start = fwtest::OleDate(2026, 6, 19);
        midsummer.end = fwtest::OleDate(2026, 6, 20);
        EXPECT_TRUE(fwtest::WriteGDateFile(source + "/GDate.dat", {standup, midsummer}));
        EXPECT_TRUE(fwtest::WriteGCalFile(source + "/GCal.dat", {{"Anna", "anna@acme.example", "", "UTC"}}));
    }
};

constexpr const char* kReadEvents = R"(
import sys, glob, datetime, icalendar
rows = []
for f in glob.glob(sys.argv[1] + '/Calendar/*.ics'):
    for ev in icalendar.Calendar.from_ical(open(f, 'rb').read()).walk('VEVENT'):
        start = ev.decoded('dtstart')
        if isinstance(start, datetime.datetime):
            start = start.astimezone() if start.tzinfo else start
            start = start.strftime('%Y-%m-%d %H:%M')
        rule = ev.get('rrule').to_ical().decode() if ev.get('rrule') else ''
        alarms = [str(a.decoded('trigger')) for a in ev.walk('VALARM')]
        rows.append('%s|%s|%s|%s' % (ev.get('summary'), start, rule, alarms))
print('\n'.join(sorted(rows)))
)";

constexpr const char* kReadContacts = R"(
import sys, glob, vobject
rows = []
for f in glob.glob(sys.argv[1] + '/Contacts/*.vcf'):
    card = vobject.readOne(open(f, encoding='utf-8').read())
    emails = [e.value for e in card.contents.get('email', [])]
    tels = [t.value for t in card.contents.get('tel', [])]
    bday = card.bday.value if hasattr(card, 'bday') else ''
    rows.append('%s|%s|%s|%s' % (card.fn.value, emails, tels, bday))
print('\n'.join(sorted(rows)))
)";

}  // namespace

TEST_F(GoogleSource, AnExportRunMigratesEveryRecordOnceAndASecondRunFindsThemSame) {
    const fwtest::BatchRun first = Run({"--source", "google", "--google-export", dir.Path() + "Takeout.zip"});
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find("Contacts      2 new,     0 different,     0 same; 2 written"), std::string::npos)
        << first.output;
    EXPECT_NE(first.output.find("Calendar      2 new,     0 different,     0 same; 2 written"), std::string::npos)
        << first.output;
    EXPECT_NE(first.output.find("Tasks     not offered by this source"), std::string::npos) << first.output;
    // The helper was told to read the export; no password was asked for.
    EXPECT_EQ(Param(1017), dir.Path() + "Takeout.zip");
    EXPECT_EQ(Param(1001), "");
    EXPECT_EQ(Param(1022), "GGToken.dat");

    const std::string events = Python(kReadEvents);
    EXPECT_NE(events.find("Midsummer|2026-06-19|"), std::string::npos) << events;
    EXPECT_NE(events.find("Standup|2026-03-02 09:00|FREQ=WEEKLY;INTERVAL=2;BYDAY=MO"), std::string::npos) << events;
    EXPECT_NE(events.find("-1 day, 23:50:00"), std::string::npos) << events;  // ten minutes before
    const std::string contacts = Python(kReadContacts);
    EXPECT_NE(contacts.find("Anna Berg|['anna@acme.example']|['+46 70 111 22 33']|1980-02-29"), std::string::npos)
        << contacts;
    EXPECT_NE(contacts.find("Bo Ek|['bo@example.org']"), std::string::npos) << contacts;

    const fwtest::BatchRun second = Run({"--source", "google", "--google-export", dir.Path() + "Takeout.zip"});
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("Contacts      0 new,     0 different,     2 same; 0 written"), std::string::npos)
        << second.output;
    EXPECT_NE(second.output.find("Calendar      0 new,     0 different,     2 same; 0 written"), std::string::npos)
        << second.output;
}

TEST_F(GoogleSource, AnAccountNeedsAPasswordFromTheEnvironmentThatIsNeverKept) {
    const std::string ini = dir.Path() + "share/norrbek/FRWY/FRWY.ini";
    platform::EnsureFolderTree(dir.Path() + "share/norrbek/FRWY");
    fwtest::WriteFile(ini, "[FRWY]\nGGSavePassword=1\nGGOAuthClientSecret=from-settings\n");

    fwtest::BatchRun run = Run({"--source", "google", "--kinds", "contacts", "--google-email", "anna@example.org"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("No Google password"), std::string::npos) << run.output;
    EXPECT_EQ(prompts, std::vector<std::string>{"Google password for anna@example.org: "});
    run = Run({"--source", "google", "--kinds", "contacts"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("No Google account"), std::string::npos) << run.output;

    {
        fwtest::ScopedEnv password{"FRWY_GOOGLE_PASSWORD", "pa55 w=rd"};
        run = Run({"--source", "google", "--kinds", "contacts", "--google-email", "anna@example.org", "--google-server",
                   "http://127.0.0.1:5232/", "--google-client-id", "id-1"});
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(Param(1000), "anna@example.org");
        EXPECT_EQ(Param(1001), "pa55 w=rd");
        EXPECT_EQ(Param(1017), "");
        EXPECT_EQ(Param(1018), "http://127.0.0.1:5232/");
        EXPECT_EQ(Param(1019), "id-1");
        EXPECT_EQ(Param(1020), "from-settings");
        EXPECT_EQ(Param(1021), "1");
        EXPECT_EQ(run.output.find("pa55"), std::string::npos);
    }
    {
        fwtest::ScopedEnv secret{"FRWY_GOOGLE_CLIENT_SECRET", "from-env"};
        fwtest::ScopedEnv password{"FRWY_GOOGLE_PASSWORD", "pa55 w=rd"};
        ASSERT_EQ(Run({"--source", "google", "--kinds", "contacts", "--google-email", "a@example.org"}).status, 0);
        EXPECT_EQ(Param(1020), "from-env");
    }
    typed = "typed secret";
    ASSERT_EQ(Run({"--source", "google", "--kinds", "contacts", "--google-email", "a@example.org"}).status, 0);
    EXPECT_EQ(Param(1001), "typed secret");
    EXPECT_EQ(prompts.size(), 2u);
    // The run's options and secrets stay out of the settings file.
    const std::string text = fwtest::ReadFile(ini);
    EXPECT_EQ(text.find("pa55"), std::string::npos) << text;
    EXPECT_EQ(text.find("typed"), std::string::npos) << text;
    EXPECT_EQ(text.find("from-env"), std::string::npos) << text;
    EXPECT_NE(text.find("GGPassword=\n"), std::string::npos) << text;
    EXPECT_NE(text.find("GGEmail=\n"), std::string::npos) << text;
}

TEST_F(GoogleSource, TheDriverHandsTheBridgesTheirSettingsAndTheFieldMap) {
    InitApplication();
    Settings& s = AppSettings();
    s.GGCustom = 1;
    s.GGCustomID[1] = 38;  // Phone(Mobile)
    s.GGCustomID[2] = 81;  // Birthday: a date, never mapped
    platform::CopyText(s.GGExportPath, "/exports/contacts.vcf");
    SetupCustomFieldMap(kAppGoogle);
    EXPECT_TRUE(LoadApplication(nullptr, kAppGoogle, kAppNone));
    CxGAddrUtil* contacts = FindAdapterObject<CxGAddrUtil>(kAppGoogle, CommKindAddr);
    ASSERT_NE(contacts, nullptr);
    EXPECT_NE(FindAdapterObject<CxGDateUtil>(kAppGoogle, CommKindDate), nullptr);
    EXPECT_EQ(GetAdapterTable().Get(kAppGoogle, CommKindTask), nullptr);
    EXPECT_EQ(GetAdapterTable().Get(kAppGoogle, CommKindNote), nullptr);
    EXPECT_EQ(contacts->GetCustomFieldMap(0), 38);
    EXPECT_EQ(contacts->GetCustomFieldMap(1), 81);
    EXPECT_EQ(contacts->GetCustomFieldMap(9), 0);
    EXPECT_STREQ(contacts->GetExportPath(), "/exports/contacts.vcf");
    const CommAddrRec* anna = contacts->GetDataMgr()->GetFirstRecord();
    ASSERT_NE(anna, nullptr);
    EXPECT_STREQ(anna->MappedCustomValue[0], "+46 70 111 22 33");
    EXPECT_STREQ(anna->MappedCustomValue[1], "");
    ExitApplication();
}
