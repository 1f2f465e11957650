#include <gtest/gtest.h>

#include <string>

#include "platform/outlook/DateText.h"
#include "platform/outlook/ItemCalendar.h"
#include "tests/outlookstore/StoreSession.h"
#include "tests/support/TempDir.h"

using namespace platform::outlook;

namespace {

double Day(int y, int m, int d, int h = 0, int mi = 0) { return storetest::LocalDate(y, m, d, h, mi); }

ItemData RoundTrip(const ItemData& item) {
    ItemData back(item.kind);
    EXPECT_TRUE(CalendarItemFromIcs(CalendarItemToIcs(item), back));
    return back;
}

void ExpectSameProps(const ItemData& a, const ItemData& b) {
    for (std::size_t i = 0; i < a.props.size(); ++i) {
        const char* name = Schema(a.kind)[i].name;
        EXPECT_EQ(b.props[i].s, a.props[i].s) << name;
        EXPECT_EQ(b.props[i].i, a.props[i].i) << name;
        EXPECT_EQ(b.props[i].d, a.props[i].d) << name;
    }
}

}  // namespace

TEST(Calendar, AppointmentRoundTrips) {
    storetest::ScopedTz tz("UTC");
    ItemData ev(ItemKind::Appointment);
    ev.SetText("Subject", "Review, part 1; \\ready");
    ev.SetText("Body", "Agenda:\r\n- one\r\n- two");
    ev.SetText("Location", "Room 4");
    ev.SetText("Categories", "Work,Team");
    ev.SetDate("Start", Day(2024, 3, 4, 9, 30));
    ev.SetInt("Duration", 26 * 60 + 15);  // ends the next day
    ev.SetInt("ReminderSet", 1);
    ev.SetInt("ReminderMinutesBeforeStart", 90);
    ev.recurring = true;
    ev.recurrenceChanged = true;
    ev.recurrence = Recurrence{1, 2, 10, 0, 0, 0, Day(2024, 6, 30)};
    ev.order = 3;
    const std::string text = CalendarItemToIcs(ev);
    // New items keep instants in UTC; the pattern ends with its last occurrence.
    EXPECT_NE(text.find("RRULE:FREQ=WEEKLY;UNTIL=20240630T093000Z;INTERVAL=2;BYDAY=MO,WE"), std::string::npos) << text;
    EXPECT_NE(text.find("TRIGGER:-PT1H30M"), std::string::npos) << text;
    EXPECT_NE(text.find("DTSTART:20240304T093000Z"), std::string::npos) << text;
    ItemData back = RoundTrip(ev);
    ExpectSameProps(ev, back);
    EXPECT_TRUE(back.recurring);
    EXPECT_EQ(back.recurrence.type, 1);
    EXPECT_EQ(back.recurrence.interval, 2);
    EXPECT_EQ(back.recurrence.dayOfWeekMask, 10);
    EXPECT_EQ(back.recurrence.patternEndDate, Day(2024, 6, 30));
    EXPECT_EQ(back.order, 3);
}

TEST(Calendar, AllDayEventsUseDatesWhenTheyCan) {
    ItemData ev(ItemKind::Appointment);
    ev.SetText("Subject", "Trip");
    ev.SetDate("Start", Day(2024, 7, 1));
    ev.SetInt("Duration", 3 * 1440);
    ev.SetInt("AllDayEvent", 1);
    const std::string text = CalendarItemToIcs(ev);
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20240701"), std::string::npos) << text;
    EXPECT_NE(text.find("DTEND;VALUE=DATE:20240704"), std::string::npos) << text;
    ExpectSameProps(ev, RoundTrip(ev));
    // An all-day flag on times that are not whole days survives too.
    ev.SetDate("Start", Day(2024, 7, 1, 9));
    ev.SetInt("Duration", 60);
    ExpectSameProps(ev, RoundTrip(ev));
}

TEST(Calendar, EveryRecurrenceKindRoundTrips) {
    const Recurrence patterns[] = {
        {0, 3, 0, 0, 0, 0, 0},  {0, 1, 62, 0, 0, 0, 0}, {2, 1, 0, 15, 0, 0, 0},
        {3, 2, 2, 0, 5, 0, 0},  {5, 1, 0, 14, 0, 2, 0}, {6, 1, 16, 0, 3, 11, Day(2030, 1, 1)},
        {1, 1, 10, 7, 2, 0, 0},  // fields that the rule cannot carry
    };
    for (const Recurrence& r : patterns) {
        ItemData ev(ItemKind::Appointment);
        ev.SetDate("Start", Day(2024, 2, 14, 8));
        ev.recurring = true;
        ev.recurrenceChanged = true;
        ev.recurrence = r;
        ItemData back = RoundTrip(ev);
        EXPECT_TRUE(back.recurring);
        EXPECT_EQ(back.recurrence.type, r.type);
        EXPECT_EQ(back.recurrence.interval, r.interval);
        EXPECT_EQ(back.recurrence.dayOfWeekMask, r.dayOfWeekMask);
        EXPECT_EQ(back.recurrence.dayOfMonth, r.dayOfMonth);
        EXPECT_EQ(back.recurrence.instance, r.instance);
        EXPECT_EQ(back.recurrence.monthOfYear, r.monthOfYear);
        EXPECT_EQ(back.recurrence.patternEndDate, r.patternEndDate);
    }
}

TEST(Calendar, TaskAndNoteRoundTrip) {
    ItemData task(ItemKind::Task);
    task.SetText("Subject", "Pay bills");
    task.SetText("Body", "unix\nline ends");
    task.SetDate("DueDate", Day(2021, 3, 1));
    task.SetDate("StartDate", Day(2021, 2, 20));
    task.SetInt("Importance", 0);
    task.SetInt("Sensitivity", 1);
    task.SetInt("Status", 3);
    task.SetInt("PercentComplete", 40);
    task.SetInt("ReminderSet", 1);
    task.SetDate("ReminderTime", Day(2021, 2, 28, 18));
    task.SetText("ReminderSoundFile", "/usr/share/sounds/bell.oga");
    task.SetInt("ReminderPlaySound", 1);
    task.SetInt("TotalWork", 120);
    task.SetInt("ResponseState", 2);
    task.SetText("Mileage", "12 km");
    task.SetText("Role", " owner\\n;a,b\\\\c\r\n\"q\" ");  // kept as X-OUTLOOK-ROLE
    task.SetText("CardData", "card");
    task.SetInt("TeamTask", 1);
    task.SetInt("Ordinal", 7);
    ExpectSameProps(task, RoundTrip(task));
    // Complete: Outlook shows the status and percentage that go with it.
    task.SetInt("Complete", 1);
    const ItemData done = RoundTrip(task);
    EXPECT_EQ(done.Int("Complete"), 1);
    EXPECT_EQ(done.Int("Status"), 2);
    EXPECT_EQ(done.Int("PercentComplete"), 100);

    ItemData note(ItemKind::Note);
    note.SetText("Body", "Shopping\r\nmilk, eggs");
    note.SetText("Categories", "Home");
    note.SetInt("Color", 1);
    const std::string text = CalendarItemToIcs(note);
    EXPECT_NE(text.find("BEGIN:VJOURNAL"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Shopping"), std::string::npos);
    ExpectSameProps(note, RoundTrip(note));
}

TEST(Calendar, ForeignEventKeepsWhatItDoesNotMapAndConvertsZones) {
    const std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
        "BEGIN:VEVENT\r\nUID:abc@other\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Standup\r\n"
        "DTSTART:20240105T090000Z\r\nDURATION:PT15M\r\nRRULE:FREQ=WEEKLY;COUNT=10;BYDAY=FR\r\n"
        "ATTENDEE;CN=Bob:mailto:bob@example.org\r\nX-OTHER-THING:keep me\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nDESCRIPTION:x\r\nEND:VALARM\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n";
    ItemData ev(ItemKind::Appointment);
    {
        fwtest::ScopedEnv tz("TZ", "UTC");
        tzset();
        ASSERT_TRUE(CalendarItemFromIcs(text, ev));
    }
    tzset();
    EXPECT_EQ(ev.Text("Subject"), "Standup");
    EXPECT_EQ(ev.Date("Start"), Day(2024, 1, 5, 9));
    EXPECT_EQ(ev.Int("Duration"), 15);
    EXPECT_EQ(ev.Int("ReminderSet"), 1);
    EXPECT_EQ(ev.Int("ReminderMinutesBeforeStart"), 10);
    EXPECT_TRUE(ev.recurring);
    EXPECT_EQ(ev.recurrence.type, 1);
    EXPECT_EQ(ev.recurrence.dayOfWeekMask, 32);
    const std::string again = CalendarItemToIcs(ev);
    EXPECT_NE(again.find("UID:abc@other"), std::string::npos);
    EXPECT_NE(again.find("ATTENDEE;CN=Bob:mailto:bob@example.org"), std::string::npos);
    EXPECT_NE(again.find("X-OTHER-THING:keep me"), std::string::npos);
    EXPECT_NE(again.find("COUNT=10"), std::string::npos) << again;  // an untouched rule stays as it was
}

TEST(Calendar, BadInputIsRefused) {
    ItemData ev(ItemKind::Appointment);
    EXPECT_FALSE(CalendarItemFromIcs("", ev));
    EXPECT_FALSE(CalendarItemFromIcs("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", ev));
    ItemData task(ItemKind::Task);
    EXPECT_FALSE(
        CalendarItemFromIcs("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", task));
}

TEST(Calendar, ALoneCarriageReturnEndsALine) {
    // Lines ended by CR alone, as old Mac programs wrote them, and a stray
    // CR inside a line: each read as line ends, and what is written from
    // them reads back with a changed value whole.
    ItemData task(ItemKind::Task);
    ASSERT_TRUE(CalendarItemFromIcs(
        "BEGIN:VCALENDAR\rVERSION:2.0\rBEGIN:VTODO\rSUMMARY:Pay the rent\rPRIORITY:1\rEND:VTODO\rEND:VCALENDAR\r", task));
    EXPECT_EQ(task.Text("Subject"), "Pay the rent");
    for (const char* text : {"BEGIN:VEVENT\r\nCLASS:E\rEND:\r\nEND:", "BEGIN:VEVENT\r\nSUMMARY:a\rb\r\nEND:VEVENT\r\n"}) {
        ItemData ev(ItemKind::Appointment);
        if (!CalendarItemFromIcs(text, ev)) continue;
        ItemData again(ItemKind::Appointment);
        ASSERT_TRUE(CalendarItemFromIcs(CalendarItemToIcs(ev), again)) << text;
        again.SetText("Body", " changed\r\nbody ");
        ItemData last(ItemKind::Appointment);
        ASSERT_TRUE(CalendarItemFromIcs(CalendarItemToIcs(again), last)) << text;
        EXPECT_EQ(last.Text("Body"), " changed\r\nbody ") << text;
    }
}

TEST(DateTexts, Forms) {
    double d = 0;
    bool dateOnly = false;
    ASSERT_TRUE(ParseDateText("1985-04-15", d, &dateOnly));
    EXPECT_TRUE(dateOnly);
    EXPECT_EQ(d, Day(1985, 4, 15));
    ASSERT_TRUE(ParseDateText("19850415T101500", d, &dateOnly));
    EXPECT_FALSE(dateOnly);
    EXPECT_EQ(d, Day(1985, 4, 15, 10, 15));
    EXPECT_TRUE(ParseDateText("1985-04-15T10:15:00", d));
    EXPECT_FALSE(ParseDateText("--0415", d));
    EXPECT_FALSE(ParseDateText("1985-13-01", d));
    EXPECT_FALSE(ParseDateText("19850415T1015xx", d));
    EXPECT_EQ(FormatLocalDateTime(Day(2024, 1, 2, 3, 4)), "20240102T030400");
}

TEST(Calendar, RemindersKeepTheFormOfTheirTrigger) {
    storetest::ScopedTz tz("Europe/Berlin");
    const auto event = [](const std::string& trigger) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:r1\r\nDTSTART:20240330T220000Z\r\n"
               "DTEND:20240331T020000Z\r\nSUMMARY:Night shift\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\n" +
               trigger + "\r\nREPEAT:2\r\nDURATION:PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    struct Case {
        const char* trigger;
        int minutes;            // before the start, as read
        const char* rewritten;  // with 30 minutes
    } cases[] = {
        {"TRIGGER:-PT15M", 15, "TRIGGER:-PT30M"},
        // From an end 240 minutes of real time later: the clocks go forward in the night.
        {"TRIGGER;RELATED=END:-PT4H15M", 15, "TRIGGER;RELATED=END:-PT4H30M"},
        {"TRIGGER;VALUE=DATE-TIME:20240330T214500Z", 15, "TRIGGER;VALUE=DATE-TIME:20240330T213000Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        ItemData ev(ItemKind::Appointment);
        ASSERT_TRUE(CalendarItemFromIcs(event(c.trigger), ev));
        EXPECT_EQ(ev.Int("Duration"), 240);
        EXPECT_EQ(ev.Int("ReminderSet"), 1);
        EXPECT_EQ(ev.Int("ReminderMinutesBeforeStart"), c.minutes);
        ev.SetInt("ReminderMinutesBeforeStart", 30);
        const std::string text = CalendarItemToIcs(ev);
        EXPECT_NE(text.find(c.rewritten), std::string::npos) << text;
        for (const char* kept : {"ACTION:AUDIO", "REPEAT:2", "DURATION:PT5M", "DTSTART:20240330T220000Z"})
            EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
        ItemData back(ItemKind::Appointment);
        ASSERT_TRUE(CalendarItemFromIcs(text, back));
        EXPECT_EQ(back.Int("ReminderMinutesBeforeStart"), 30);
        // Turning the reminder off removes the alarm.
        back.SetInt("ReminderSet", 0);
        EXPECT_EQ(CalendarItemToIcs(back).find("VALARM"), std::string::npos);
    }
}

TEST(Calendar, TaskRemindersCountFromTheTimesTheFileHolds) {
    storetest::ScopedTz tz("America/New_York");
    const std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Report\r\n"
        "DUE;TZID=America/New_York:20240315T170000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Due soon\r\n"
        "TRIGGER;RELATED=END:-PT15M\r\nEND:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ItemData task(ItemKind::Task);
    ASSERT_TRUE(CalendarItemFromIcs(text, task));
    EXPECT_EQ(task.Date("DueDate"), Day(2024, 3, 15));  // a task is due on a day
    EXPECT_EQ(task.Date("ReminderTime"), Day(2024, 3, 15, 16, 45));
    task.SetDate("ReminderTime", Day(2024, 3, 15, 16));
    const std::string written = CalendarItemToIcs(task);
    EXPECT_NE(written.find("TRIGGER;RELATED=END:-PT1H"), std::string::npos) << written;
    EXPECT_NE(written.find("DUE;TZID=America/New_York:20240315T170000"), std::string::npos) << written;
    ItemData back(ItemKind::Task);
    ASSERT_TRUE(CalendarItemFromIcs(written, back));
    EXPECT_EQ(back.Date("ReminderTime"), Day(2024, 3, 15, 16));
}
