// A store seeded with iCalendar files as other programs write them: their
// items read right, and updates through the stand-in change only what they
// write, in the file's own form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation/DispatchObject.h"
#include "platform/outlook/ItemData.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/paths/Paths.h"
#include "tests/outlookstore/StoreSession.h"

using namespace platform::outlook;
using namespace storetest;

namespace {

const char* kGoogleEvent =
    "BEGIN:VCALENDAR\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n"
    "X-WR-TIMEZONE:Europe/Berlin\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nX-LIC-LOCATION:Europe/Berlin\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20240105T090000\r\nDTEND;TZID=Europe/Berlin:20240105T093000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=FR\r\nEXDATE;TZID=Europe/Berlin:20240112T090000\r\nDTSTAMP:20240101T120000Z\r\n"
    "UID:7kukuqrfedlbm4ah@google.com\r\nATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=An\r\n"
    " n Lee;X-NUM-GUESTS=0:mailto:ann@example.org\r\nCREATED:20231220T101500Z\r\n"
    "DESCRIPTION:Weekly sync\\nwith notes\r\nLAST-MODIFIED:20231221T080000Z\r\nLOCATION:Room 4\\, 2nd floor\r\n"
    "SEQUENCE:3\r\nSTATUS:CONFIRMED\r\nSUMMARY:Standup\r\nTRANSP:OPAQUE\r\nX-GOOGLE-CONFERENCE:https://meet.example/"
    "abc\r\n"
    "BEGIN:VALARM\r\nACTION:EMAIL\r\nDESCRIPTION:Mail first\r\nSUMMARY:x\r\nATTENDEE:mailto:a@b.c\r\n"
    "TRIGGER:-PT30M\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:This is an event reminder\r\nTRIGGER:-P0DT0H10M0S\r\n"
    "X-WR-ALARMUID:alarm-one\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:EMAIL\r\nDESCRIPTION:Mail reminder\r\nSUMMARY:Alarm notification\r\n"
    "ATTENDEE:mailto:ann@example.org\r\nTRIGGER:-P1D\r\nEND:VALARM\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20240119T100000\r\nDTEND;TZID=Europe/Berlin:20240119T103000\r\n"
    "DTSTAMP:20240101T120000Z\r\nUID:7kukuqrfedlbm4ah@google.com\r\n"
    "RECURRENCE-ID;TZID=Europe/Berlin:20240119T090000\r\nSUMMARY:Standup (moved)\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

const char* kAllDay =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Apple Inc.//macOS 14.2//EN\r\nBEGIN:VEVENT\r\n"
    "UID:B1C2-ALLDAY\r\nDTSTART;VALUE=DATE:20240701\r\nDTEND;VALUE=DATE:20240704\r\nSUMMARY:Trip\r\n"
    "BEGIN:VALARM\r\nACTION:NONE\r\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\nX-APPLE-DEFAULT-ALARM:TRUE\r\n"
    "END:VALARM\r\n"
    "X-APPLE-TRAVEL-ADVISORY-BEHAVIOR:AUTOMATIC\r\nDTSTAMP:20240101T120000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

const char* kFloating =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:float-1\r\n"
    "DTSTART:20240305T140000\r\nDURATION:PT45M\r\nSUMMARY:Dentist\r\nDTSTAMP:20240101T120000Z\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

const char* kThunderbirdTodo =
    "BEGIN:VCALENDAR\r\nPRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN\r\nVERSION:2.0\r\n"
    "BEGIN:VTODO\r\nCREATED:20240101T090000Z\r\nLAST-MODIFIED:20240110T090000Z\r\nDTSTAMP:20240110T090000Z\r\n"
    "UID:0b2f4c3e-tb\r\nSUMMARY:File taxes\r\nSTATUS:COMPLETED\r\nCOMPLETED:20240110T090000Z\r\n"
    "PERCENT-COMPLETE:100\r\nDUE;VALUE=DATE:20240131\r\nX-MOZ-GENERATION:4\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

const char* kAppleTodo =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Apple Inc.//iOS 17.2//EN\r\nBEGIN:VTODO\r\n"
    "UID:apple-todo-1\r\nDTSTAMP:20240101T120000Z\r\nSUMMARY:Buy milk\r\nSTATUS:NEEDS-ACTION\r\nPRIORITY:1\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER;VALUE=DATE-TIME:20240201T080000Z\r\n"
    "X-APPLE-DEFAULT-ALARM:FALSE\r\nEND:VALARM\r\nX-APPLE-SORT-ORDER:12\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

const char* kJournal =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//GNOME//Evolution//EN\r\nBEGIN:VJOURNAL\r\nUID:memo-1\r\n"
    "DTSTAMP:20240101T120000Z\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:Ideas\r\n"
    "DESCRIPTION:Ideas\\nfirst\\nsecond\r\nCLASS:PUBLIC\r\nEND:VJOURNAL\r\nEND:VCALENDAR\r\n";

// Folded lines joined, so that lines can be looked up whatever the folding.
std::string Unfolded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 2 < text.size() && text[i + 1] == '\n' &&
            (text[i + 2] == ' ' || text[i + 2] == '\t')) {
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

struct ForeignFiles : ::testing::Test {
    fwtest::TempDir dir;
    long live = platform::DispatchObject::LiveObjects();
    ScopedTz tz{"America/New_York"};
    ForeignFiles() {
        for (const char* f : {"", "Calendar", "Tasks", "Notes"}) platform::EnsureFolder(dir.Path() + "store/" + f);
        fwtest::WriteFile(Path("Calendar", "a-google"), kGoogleEvent);
        fwtest::WriteFile(Path("Calendar", "b-allday"), kAllDay);
        fwtest::WriteFile(Path("Calendar", "c-floating"), kFloating);
        fwtest::WriteFile(Path("Calendar", "d-broken"), "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:cut off");
        fwtest::WriteFile(Path("Tasks", "a-thunderbird"), kThunderbirdTodo);
        fwtest::WriteFile(Path("Tasks", "b-apple"), kAppleTodo);
        fwtest::WriteFile(Path("Notes", "a-evolution"), kJournal);
        RegisterOutlookApplication(dir.Path() + "store");
    }
    ~ForeignFiles() override {
        UnregisterOutlookApplication();
        EXPECT_EQ(platform::DispatchObject::LiveObjects(), live);
    }
    std::string Path(const char* folder, const char* name) {
        return dir.Path() + "store/" + folder + "/" + name + ".ics";
    }
    std::string File(const char* folder, const char* name) { return Unfolded(fwtest::ReadFile(Path(folder, name))); }
};

// Puts back every value an item shows, as an adapter's update does, and saves.
void PutBackEverything(CDispCmd& item, ItemKind kind) {
    for (const PropDef& def : Schema(kind)) {
        if (def.readOnly) continue;
        const std::u16string name = platform::Utf8ToUtf16(def.name);
        VARIANT v;
        ASSERT_EQ(item.GetProperty(name.c_str(), &v), S_OK) << def.name;
        EXPECT_EQ(item.PutProperty(name.c_str(), &v), S_OK) << def.name;
    }
    std::uint8_t recurring = 0;
    if (kind != ItemKind::Note && item.GetBool(u"IsRecurring", &recurring) == S_OK && recurring) {
        VARIANT pat;
        ASSERT_EQ(Call(item, u"GetRecurrencePattern", {}, &pat), S_OK);
        CDispCmd p(pat.pdispVal);
        for (const char16_t* name : {u"RecurrenceType", u"Interval", u"DayOfWeekMask", u"DayOfMonth", u"Instance",
                                     u"MonthOfYear", u"PatternEndDate"}) {
            VARIANT v;
            ASSERT_EQ(p.GetProperty(name, &v), S_OK);
            EXPECT_EQ(p.PutProperty(name, &v), S_OK);
        }
    }
    EXPECT_EQ(Call(item, u"Save", {}), S_OK);
}

void ExpectLines(const std::string& text, std::initializer_list<const char*> lines) {
    for (const char* line : lines) EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

}  // namespace

TEST_F(ForeignFiles, TheirItemsReadAsOutlookShowsThem) {
    Session s;
    std::int32_t count = 0;
    EXPECT_EQ(s.Items(9).GetInt(u"Count", &count), S_OK);
    EXPECT_EQ(count, 3);  // the broken file is no item
    CDispCmd google = s.Item(9, 1);
    DATE start = 0, end = 0;
    EXPECT_EQ(google.GetDate(u"Start", &start), S_OK);
    EXPECT_EQ(start, LocalDate(2024, 1, 5, 3));  // 09:00 in Berlin is 03:00 in New York
    EXPECT_EQ(google.GetDate(u"End", &end), S_OK);
    EXPECT_NEAR(end, LocalDate(2024, 1, 5, 3, 30), 1e-9);
    EXPECT_EQ(Text(google, u"Subject"), "Standup");
    EXPECT_EQ(Text(google, u"Body"), "Weekly sync\r\nwith notes");
    EXPECT_EQ(Text(google, u"Location"), "Room 4, 2nd floor");
    std::int32_t minutes = 0;
    EXPECT_EQ(google.GetInt(u"ReminderMinutesBeforeStart", &minutes), S_OK);
    EXPECT_EQ(minutes, 10);
    CDispCmd allDay = s.Item(9, 2);
    std::uint8_t flag = 1;
    EXPECT_EQ(allDay.GetBool(u"ReminderSet", &flag), S_OK);
    EXPECT_EQ(flag, 0);  // a default alarm turned off is no reminder
    EXPECT_EQ(allDay.GetBool(u"AllDayEvent", &flag), S_OK);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(allDay.GetDate(u"Start", &start), S_OK);
    EXPECT_EQ(start, LocalDate(2024, 7, 1));
    CDispCmd floating = s.Item(9, 3);
    EXPECT_EQ(floating.GetDate(u"Start", &start), S_OK);
    EXPECT_EQ(start, LocalDate(2024, 3, 5, 14));  // a floating time is local time
    EXPECT_EQ(floating.GetInt(u"Duration", &minutes), S_OK);
    EXPECT_EQ(minutes, 45);

    CDispCmd done = s.Item(13, 1);
    std::int32_t status = 0, percent = 0;
    EXPECT_EQ(done.GetBool(u"Complete", &flag), S_OK);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(done.GetInt(u"Status", &status), S_OK);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(done.GetInt(u"PercentComplete", &percent), S_OK);
    EXPECT_EQ(percent, 100);
    EXPECT_EQ(done.GetDate(u"DueDate", &end), S_OK);
    EXPECT_EQ(end, LocalDate(2024, 1, 31));
    CDispCmd open = s.Item(13, 2);
    EXPECT_EQ(open.GetBool(u"Complete", &flag), S_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(open.GetDate(u"ReminderTime", &end), S_OK);
    EXPECT_EQ(end, LocalDate(2024, 2, 1, 3));
    EXPECT_EQ(open.GetDate(u"DueDate", &end), S_OK);
    EXPECT_EQ(end, 0.0);
    CDispCmd note = s.Item(12, 1);
    EXPECT_EQ(Text(note, u"Body"), "Ideas\r\nfirst\r\nsecond");
}

TEST_F(ForeignFiles, UnchangedItemsLeaveTheirFilesAlone) {
    const char* files[][2] = {{"Calendar", "a-google"}, {"Calendar", "b-allday"},   {"Calendar", "c-floating"},
                              {"Calendar", "d-broken"}, {"Tasks", "a-thunderbird"}, {"Tasks", "b-apple"},
                              {"Notes", "a-evolution"}};
    std::vector<std::string> before;
    for (auto& f : files) before.push_back(fwtest::ReadFile(Path(f[0], f[1])));
    {
        Session s;
        for (int i = 1; i <= 3; ++i) {
            CDispCmd item = s.Item(9, i);
            PutBackEverything(item, ItemKind::Appointment);
        }
        for (int i = 1; i <= 2; ++i) {
            CDispCmd item = s.Item(13, i);
            PutBackEverything(item, ItemKind::Task);
        }
        CDispCmd note = s.Item(12, 1);
        PutBackEverything(note, ItemKind::Note);
    }
    for (std::size_t i = 0; i < std::size(files); ++i)
        EXPECT_EQ(fwtest::ReadFile(Path(files[i][0], files[i][1])), before[i]) << files[i][1];
}

TEST_F(ForeignFiles, UpdatesChangeOnlyWhatTheyWrite) {
    {
        Session s;
        CDispCmd google = s.Item(9, 1);
        EXPECT_EQ(PutText(google, u"Subject", "Standup (team)"), S_OK);
        EXPECT_EQ(google.PutDate(u"Start", LocalDate(2024, 1, 5, 4)), S_OK);  // 10:00 in Berlin
        EXPECT_EQ(google.PutInt(u"ReminderMinutesBeforeStart", 20), S_OK);
        EXPECT_EQ(Call(google, u"Save", {}), S_OK);
        CDispCmd done = s.Item(13, 1);
        EXPECT_EQ(PutText(done, u"Body", "receipts in the blue folder"), S_OK);
        EXPECT_EQ(Call(done, u"Save", {}), S_OK);
        CDispCmd open = s.Item(13, 2);
        EXPECT_EQ(open.PutBool(u"Complete", 1), S_OK);
        EXPECT_EQ(Call(open, u"Save", {}), S_OK);
        CDispCmd note = s.Item(12, 1);
        EXPECT_EQ(note.PutInt(u"Color", 0), S_OK);
        EXPECT_EQ(Call(note, u"Save", {}), S_OK);
    }
    const std::string google = File("Calendar", "a-google");
    ExpectLines(google, {"PRODID:-//Google Inc//Google Calendar 70.9054//EN",
                         "X-WR-TIMEZONE:Europe/Berlin",
                         "BEGIN:VTIMEZONE",
                         "TZID:Europe/Berlin",
                         "TZOFFSETFROM:+0200",
                         "DTSTART:19701025T030000",
                         "DTSTART;TZID=Europe/Berlin:20240105T100000",
                         "DTEND;TZID=Europe/Berlin:20240105T103000",
                         "RRULE:FREQ=WEEKLY;BYDAY=FR",
                         "EXDATE;TZID=Europe/Berlin:20240112T090000",
                         "UID:7kukuqrfedlbm4ah@google.com",
                         "CN=Ann Lee",
                         "X-NUM-GUESTS=0:mailto:ann@example.org",
                         "CREATED:20231220T101500Z",
                         "DESCRIPTION:Weekly sync\\nwith notes",
                         "SEQUENCE:3",
                         "STATUS:CONFIRMED",
                         "SUMMARY:Standup (team)",
                         "X-GOOGLE-CONFERENCE:https://meet.example/abc",
                         "DESCRIPTION:This is an event reminder",
                         "TRIGGER:-PT20M",
                         "X-WR-ALARMUID:alarm-one",
                         "ACTION:EMAIL",
                         "DESCRIPTION:Mail reminder",
                         "TRIGGER:-P1D",
                         "TRIGGER:-PT30M",
                         "RECURRENCE-ID;TZID=Europe/Berlin:20240119T090000",
                         "SUMMARY:Standup (moved)"});
    EXPECT_EQ(google.find("SUMMARY:Standup\r\n"), std::string::npos);
    const std::string done = File("Tasks", "a-thunderbird");
    ExpectLines(done,
                {"STATUS:COMPLETED", "COMPLETED:20240110T090000Z", "PERCENT-COMPLETE:100", "DUE;VALUE=DATE:20240131",
                 "X-MOZ-GENERATION:4", "CREATED:20240101T090000Z", "DESCRIPTION:receipts in the blue folder"});
    const std::string open = File("Tasks", "b-apple");
    ExpectLines(open,
                {"STATUS:COMPLETED", "COMPLETED:", "PERCENT-COMPLETE:100", "PRIORITY:1",
                 "TRIGGER;VALUE=DATE-TIME:20240201T080000Z", "X-APPLE-DEFAULT-ALARM:FALSE", "X-APPLE-SORT-ORDER:12"});
    EXPECT_EQ(open.find("NEEDS-ACTION"), std::string::npos);
    ExpectLines(File("Notes", "a-evolution"), {"X-OUTLOOK-COLOR:0", "DTSTART;VALUE=DATE:20240101", "CLASS:PUBLIC",
                                               "DESCRIPTION:Ideas\\nfirst\\nsecond"});
    Session s;
    CDispCmd note = s.Item(12, 1);
    std::int32_t color = -1;
    EXPECT_EQ(note.GetInt(u"Color", &color), S_OK);
    EXPECT_EQ(color, 0);
}

TEST_F(ForeignFiles, ANewOrClearedPatternTakesItsExceptionsAlong) {
    {
        Session s;
        CDispCmd google = s.Item(9, 1);
        EXPECT_EQ(Call(google, u"ClearRecurrencePattern", {}), S_OK);
        std::uint8_t recurring = 1;
        EXPECT_EQ(google.GetBool(u"IsRecurring", &recurring), S_OK);
        EXPECT_EQ(recurring, 0);
        EXPECT_EQ(Call(google, u"Save", {}), S_OK);
        CDispCmd floating = s.Item(9, 3);
        VARIANT pat;
        ASSERT_EQ(Call(floating, u"GetRecurrencePattern", {}, &pat), S_OK);
        CDispCmd p(pat.pdispVal);
        EXPECT_EQ(p.PutInt(u"RecurrenceType", 0), S_OK);
        EXPECT_EQ(p.PutInt(u"Interval", 3), S_OK);
        EXPECT_EQ(Call(floating, u"Save", {}), S_OK);
    }
    const std::string google = File("Calendar", "a-google");
    for (const char* gone : {"RRULE:FREQ=WEEKLY", "EXDATE", "RECURRENCE-ID", "Standup (moved)", "X-OUTLOOK-RECURRENCE"})
        EXPECT_EQ(google.find(gone), std::string::npos) << gone << "\n" << google;
    ExpectLines(google, {"BEGIN:VTIMEZONE", "DTSTART;TZID=Europe/Berlin:20240105T090000", "SUMMARY:Standup"});
    ExpectLines(File("Calendar", "c-floating"), {"RRULE:FREQ=DAILY;INTERVAL=3", "DTSTART:20240305T140000"});
    Session s;
    CDispCmd again = s.Item(9, 1);
    std::uint8_t recurring = 1;
    EXPECT_EQ(again.GetBool(u"IsRecurring", &recurring), S_OK);
    EXPECT_EQ(recurring, 0);
    CDispCmd floating = s.Item(9, 3);
    EXPECT_EQ(floating.GetBool(u"IsRecurring", &recurring), S_OK);
    EXPECT_EQ(recurring, 1);
}
