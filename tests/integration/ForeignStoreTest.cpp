// A Palm Desktop migration into an Outlook store that other programs already
// use: files of Apple Contacts, Nextcloud, Google Calendar and Thunderbird,
// one of them damaged. Only the items that Palm records match change; they
// keep every line the migration does not write; a second run writes nothing.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <string>

#include "platform/paths/Paths.h"
#include "tests/outlook/OutlookFixture.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

using palmdat::Value;

const char* const kAppleCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Apple Inc.//macOS 14.0//EN\r\nN:Roe;Dan;;;\r\nFN:Dan Roe\r\n"
    "item1.TEL;type=pref:+1 555 1000\r\nitem1.X-ABLabel:_$!<Mobile>!$_\r\n"
    "EMAIL;type=INTERNET;type=HOME;type=pref:dan@example.org\r\nCATEGORIES:Friends\r\n"
    "X-ABUID:5A1B-77\r\nUID:5A1B-77\r\nREV:2025-11-02T10:00:00Z\r\nEND:VCARD\r\n";
const char* const kNextcloudCard =
    "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:3c2b\r\nFN:Eva Berg\r\nN:Berg;Eva;;;\r\nGENDER:F\r\n"
    "ANNIVERSARY:20100612\r\nIMPP:xmpp:eva@example.org\r\nTEL;TYPE=work,voice;VALUE=uri:tel:+47-555-0100\r\n"
    "END:VCARD\r\n";
const char* const kBrokenCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nobody\r\n";
const char* const kStandup =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Oslo\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
    "TZNAME:CET\r\nDTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Oslo:20260105T090000\r\nDTEND;TZID=Europe/Oslo:20260105T091500\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nEXDATE;TZID=Europe/Oslo:20260112T090000\r\nUID:standup@google.com\r\n"
    "SUMMARY:Standup\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Standup\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n"
    "END:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;TZID=Europe/Oslo:20260119T100000\r\n"
    "DTEND;TZID=Europe/Oslo:20260119T101500\r\nRECURRENCE-ID;TZID=Europe/Oslo:20260119T090000\r\n"
    "UID:standup@google.com\r\nSUMMARY:Standup (moved)\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
const char* const kDentist =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN\r\n"
    "BEGIN:VEVENT\r\nUID:dentist-1@thunderbird\r\nDTSTAMP:20251201T080000Z\r\nSUMMARY:Dentist\r\n"
    "DTSTART:20260302T080000Z\r\nDTEND:20260302T090000Z\r\nLOCATION:Old clinic\r\nX-MOZ-GENERATION:3\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DURATION:-PT1H\r\nDESCRIPTION:Default Mozilla Description\r\n"
    "END:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
const char* const kHoliday =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Apple Inc.//macOS 14.0//EN\r\nBEGIN:VEVENT\r\n"
    "UID:valentine@apple\r\nDTSTART;VALUE=DATE:20260214\r\nDTEND;VALUE=DATE:20260215\r\nSUMMARY:Valentine\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";
const char* const kPassport =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN\r\n"
    "BEGIN:VTODO\r\nUID:todo-7@thunderbird\r\nSUMMARY:Renew passport\r\nPRIORITY:9\r\nSTATUS:NEEDS-ACTION\r\n"
    "X-MOZ-GENERATION:1\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
const char* const kJournal =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Evolution//EN\r\nBEGIN:VJOURNAL\r\nUID:memo-1@evolution\r\n"
    "DTSTART;VALUE=DATE:20251130\r\nSUMMARY:Ideas\r\nDESCRIPTION:Ideas\\nmore\r\nEND:VJOURNAL\r\nEND:VCALENDAR\r\n";

const std::map<std::string, std::string> kForeign = {
    {"Contacts/apple-1.vcf", kAppleCard}, {"Contacts/nextcloud-2.vcf", kNextcloudCard},
    {"Contacts/broken.vcf", kBrokenCard}, {"Calendar/standup.ics", kStandup},
    {"Calendar/dentist.ics", kDentist},   {"Calendar/valentine.ics", kHoliday},
    {"Tasks/passport.ics", kPassport},    {"Notes/ideas.ics", kJournal},
};

class ForeignStoreTest : public ::testing::Test {
protected:
    fwtest::TempDir dir;

    std::string Store() const { return dir.Path() + "store/"; }

    void SeedStore() {
        ASSERT_TRUE(platform::EnsureFolder(dir.Path() + "store"));
        for (const char* folder : {"Contacts", "Calendar", "Tasks", "Notes"})
            ASSERT_TRUE(platform::EnsureFolder(Store() + folder));
        for (const auto& [name, text] : kForeign) fwtest::WriteFile(Store() + name, text);
    }

    // Earlier-generation Palm files: Dan Roe with another mobile number, the
    // dentist moved, the passport to-do done; and records of their own.
    void WritePalmFiles() {
        using palmdat::Format;
        using palmdat::Kind;
        palmdat::DatFile contacts = palmdat::NewFile(Kind::Address, Format::Earlier);
        auto contact = [&](int id, const char* last, const char* first, const char* email, const char* mobile) {
            palmdat::Record r = palmdat::NewRecord(Kind::Address, Format::Earlier);
            r[0] = Value::Long(id);
            r[3] = Value::Text(last);
            r[4] = Value::Text(first);
            r[9] = Value::Long(4);
            r[10] = Value::Text(email);
            r[11] = Value::Long(7);
            r[12] = Value::Text(mobile);
            contacts.records.push_back(r);
        };
        contact(1, "Roe", "Dan", "dan@example.org", "+1 555 2000");
        contact(2, "Zee", "Zed", "zed@example.org", "+1 555 3000");
        ASSERT_TRUE(palmdat::Write(dir.File("address.dat"), contacts));

        palmdat::DatFile events = palmdat::NewFile(Kind::Datebook, Format::Earlier);
        auto event = [&](int id, const char* subject, std::int32_t start, std::int32_t end) {
            palmdat::Record r = palmdat::NewRecord(Kind::Datebook, Format::Earlier);
            r[0] = Value::Long(id);
            r[3] = Value::Long(start, 3);
            r[4] = Value::Long(end, 1);
            r[5] = Value::Text(subject);
            r[11] = Value::Long(1, 6);  // an alarm an hour before
            r[12] = Value::Long(60);
            r[13] = Value::Long(0);
            events.records.push_back(r);
        };
        event(10, "Dentist", fwtest::UtcSeconds(2026, 3, 2, 8, 0),
              fwtest::UtcSeconds(2026, 3, 2, 9, 0));  // no location now
        event(11, "Standup", fwtest::UtcSeconds(2026, 1, 5, 15, 0),
              fwtest::UtcSeconds(2026, 1, 5, 15, 15));  // another standup
        ASSERT_TRUE(palmdat::Write(dir.File("datebook.dat"), events));

        palmdat::DatFile todos = palmdat::NewFile(Kind::Todo, Format::Earlier);
        palmdat::Record t = palmdat::NewRecord(Kind::Todo, Format::Earlier);
        t[0] = Value::Long(20);
        t[3] = Value::Text("Renew passport");
        t[4] = Value::Long(-1, 3);
        t[5] = Value::Long(1, 6);  // done
        t[6] = Value::Long(1);
        todos.records.push_back(t);
        ASSERT_TRUE(palmdat::Write(dir.File("todo.dat"), todos));

        palmdat::DatFile memos = palmdat::NewFile(Kind::Memo, Format::Earlier);
        palmdat::Record m = palmdat::NewRecord(Kind::Memo, Format::Earlier);
        m[0] = Value::Long(30);
        m[3] = Value::Text("Shopping\r\nmilk");
        memos.records.push_back(m);
        ASSERT_TRUE(palmdat::Write(dir.File("memopad.dat"), memos));
    }

    fwtest::BatchRun Migrate() {
        return fwtest::RunFerrywise(
            dir.Path(), "--source palm --palm-contacts " + fwtest::Quote(dir.File("address.dat")) +
                            " --palm-calendar " + fwtest::Quote(dir.File("datebook.dat")) + " --palm-tasks " +
                            fwtest::Quote(dir.File("todo.dat")) + " --palm-notes " +
                            fwtest::Quote(dir.File("memopad.dat")) + " --store " + fwtest::Quote(Store()));
    }

    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const char* folder : {"Contacts", "Calendar", "Tasks", "Notes"})
            for (const std::string& name : oltest::Files(Store() + folder + "/"))
                files[std::string(folder) + "/" + name] = fwtest::ReadFile(Store() + folder + "/" + name);
        return files;
    }
};

}  // namespace

TEST_F(ForeignStoreTest, OnlyCounterpartsChangeAndKeepWhatIsNotWritten) {
    fwtest::ScopedEnv utc("TZ", "UTC0");
    SeedStore();
    WritePalmFiles();
    const fwtest::BatchRun first = Migrate();
    ASSERT_EQ(first.status, 0) << first.output;
    const auto report = fwtest::BatchReport(first.output);
    EXPECT_EQ(report.at("Contacts").created, 1) << first.output;
    EXPECT_EQ(report.at("Contacts").different, 1) << first.output;
    EXPECT_EQ(report.at("Calendar").created, 1) << first.output;  // the 15:00 standup is not the 09:00 one
    EXPECT_EQ(report.at("Calendar").different, 1) << first.output;
    EXPECT_EQ(report.at("Tasks").different, 1) << first.output;
    EXPECT_EQ(report.at("Notes").created, 1) << first.output;

    const auto files = Files();
    // Items no Palm record matches are untouched, the damaged card too.
    for (const char* name : {"Contacts/nextcloud-2.vcf", "Contacts/broken.vcf", "Calendar/standup.ics",
                             "Calendar/valentine.ics", "Notes/ideas.ics"})
        EXPECT_EQ(files.at(name), kForeign.at(name)) << name;
    // Counterparts take the Palm values and keep everything else.
    const std::string& dan = files.at("Contacts/apple-1.vcf");
    EXPECT_NE(dan.find("+1 555 2000"), std::string::npos) << dan;
    EXPECT_EQ(dan.find("+1 555 1000"), std::string::npos) << dan;
    for (const char* kept :
         {"VERSION:3.0\r\n", "PRODID:-//Apple Inc.//macOS 14.0//EN\r\n", "item1.X-ABLabel:_$!<Mobile>!$_\r\n",
          "CATEGORIES:Friends\r\n", "X-ABUID:5A1B-77\r\n", "UID:5A1B-77\r\n", "FN:Dan Roe\r\n",
          "EMAIL;type=INTERNET;type=HOME;type=pref:dan@example.org\r\n"})
        EXPECT_NE(dan.find(kept), std::string::npos) << kept << "\n" << dan;
    const std::string& dentist = files.at("Calendar/dentist.ics");
    EXPECT_EQ(dentist.find("Old clinic"), std::string::npos) << dentist;  // emptied in Palm Desktop
    for (const char* kept :
         {"UID:dentist-1@thunderbird\r\n", "X-MOZ-GENERATION:3\r\n", "DESCRIPTION:Default Mozilla Description\r\n",
          "DTSTART:20260302T080000Z\r\n", "-PT1H\r\nDESCRIPTION:Default Mozilla Description\r\n"})
        EXPECT_NE(dentist.find(kept), std::string::npos) << kept << "\n" << dentist;
    const std::string& passport = files.at("Tasks/passport.ics");
    for (const char* kept : {"UID:todo-7@thunderbird\r\n", "X-MOZ-GENERATION:1\r\n", "STATUS:COMPLETED\r\n"})
        EXPECT_NE(passport.find(kept), std::string::npos) << kept << "\n" << passport;
    EXPECT_EQ(files.size(), kForeign.size() + 3);

    const fwtest::BatchRun second = Migrate();
    ASSERT_EQ(second.status, 0) << second.output;
    for (const auto& [kind, counts] : fwtest::BatchReport(second.output))
        EXPECT_EQ(counts.created + counts.different + counts.written, 0) << kind << "\n" << second.output;
    EXPECT_EQ(Files(), files);
}
