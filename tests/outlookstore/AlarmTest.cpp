// The reminder alarm, read and written the same way for every component kind.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/outlook/ItemCalendar.h"
#include "tests/outlookstore/StoreSession.h"
#include "tests/support/TempDir.h"

using namespace platform::outlook;
using storetest::LocalDate;

namespace {

// For an appointment the reminder is minutes before the start; for a task
// its local time. Times are in UTC (the test's zone).
struct AlarmCase {
    const char* name;
    ItemKind kind;
    const char* times;   // the component's time lines
    const char* alarms;  // its alarms
    int readSet;         // ReminderSet read
    double readValue;    // ReminderMinutesBeforeStart or ReminderTime read
    int newSet;
    double newValue;
    const char* written;  // in the written file
    const char* instant;  // the written display alarm's instant as another reader works it out, or "none"
};

const char* Component(ItemKind kind) {
    return kind == ItemKind::Appointment ? "VEVENT" : kind == ItemKind::Task ? "VTODO" : "VJOURNAL";
}

std::string File(const AlarmCase& c) {
    const std::string comp = Component(c.kind);
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\nBEGIN:") + comp + "\r\nUID:" + c.name +
           "\r\nSUMMARY:s\r\n" + c.times + c.alarms + "END:" + comp + "\r\nEND:VCALENDAR\r\n";
}

double Value(const ItemData& item) {
    return item.kind == ItemKind::Appointment ? item.Int("ReminderMinutesBeforeStart") : item.Date("ReminderTime");
}

void SetValue(ItemData& item, double v) {
    if (item.kind == ItemKind::Appointment)
        item.SetInt("ReminderMinutesBeforeStart", static_cast<std::int32_t>(v));
    else
        item.SetDate("ReminderTime", v);
}

#define DISPLAY(trigger) "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:own text\r\n" trigger "\r\nEND:VALARM\r\n"
#define EMAIL "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY:m\r\nDESCRIPTION:m\r\nTRIGGER:-P2D\r\nEND:VALARM\r\n"
#define EVENT_TIMES "DTSTART:20240304T090000Z\r\nDTEND:20240304T100000Z\r\n"
#define TASK_TIMES "DTSTART:20240304T090000Z\r\nDUE:20240310T170000Z\r\n"

}  // namespace

TEST(Alarm, ReadAndWrittenAlikeForEveryKind) {
    storetest::ScopedTz tz("UTC");
    const double due = LocalDate(2024, 3, 10, 17);
    const AlarmCase cases[] = {
        {"event-offset", ItemKind::Appointment, EVENT_TIMES, DISPLAY("TRIGGER:-PT15M"), 1, 15, 1, 30, "TRIGGER:-PT30M",
         "2024-03-04T08:30:00+00:00"},
        {"event-from-end", ItemKind::Appointment, EVENT_TIMES, DISPLAY("TRIGGER;RELATED=END:-PT10M"), 1, -50, 1, 20,
         "TRIGGER;RELATED=END:-PT1H20M", "2024-03-04T08:40:00+00:00"},
        {"event-instant", ItemKind::Appointment, EVENT_TIMES, DISPLAY("TRIGGER;VALUE=DATE-TIME:20240304T080000Z"), 1,
         60, 1, 45, "TRIGGER;VALUE=DATE-TIME:20240304T081500Z", "2024-03-04T08:15:00+00:00"},
        {"event-new", ItemKind::Appointment, EVENT_TIMES, "", 0, 0, 1, 15, "TRIGGER:-PT15M",
         "2024-03-04T08:45:00+00:00"},
        {"event-off", ItemKind::Appointment, EVENT_TIMES, DISPLAY("TRIGGER:-PT5M") EMAIL, 1, 5, 0, 25,
         "X-OUTLOOK-REMINDERMINUTESBEFORESTART:25", "none"},
        {"event-none-action", ItemKind::Appointment, EVENT_TIMES,
         "BEGIN:VALARM\r\nACTION:NONE\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\n", 0, 0, 0, 0, "ACTION:NONE", "none"},
        {"task-from-due", ItemKind::Task, TASK_TIMES, DISPLAY("TRIGGER;RELATED=END:-P1D"), 1, LocalDate(2024, 3, 9, 17),
         1, LocalDate(2024, 3, 10, 8), "TRIGGER;RELATED=END:-PT9H", "2024-03-10T08:00:00+00:00"},
        {"task-from-start", ItemKind::Task, TASK_TIMES, DISPLAY("TRIGGER:PT1H"), 1, LocalDate(2024, 3, 4, 10), 1,
         LocalDate(2024, 3, 5, 9), "TRIGGER:P1D", "2024-03-05T09:00:00+00:00"},
        {"task-instant", ItemKind::Task, TASK_TIMES, DISPLAY("TRIGGER;VALUE=DATE-TIME:20240308T120000Z"), 1,
         LocalDate(2024, 3, 8, 12), 1, due, "TRIGGER;VALUE=DATE-TIME:20240310T170000Z", "2024-03-10T17:00:00+00:00"},
        {"task-new", ItemKind::Task, TASK_TIMES, EMAIL, 0, 0, 1, LocalDate(2024, 3, 7, 7, 30),
         "TRIGGER;VALUE=DATE-TIME:20240307T073000Z", "2024-03-07T07:30:00+00:00"},
        {"task-off", ItemKind::Task, TASK_TIMES, DISPLAY("TRIGGER:-PT5M"), 1, LocalDate(2024, 3, 4, 8, 55), 0,
         LocalDate(2024, 3, 4, 8, 55), "X-OUTLOOK-REMINDERTIME:20240304T085500Z", "none"},
        // A note has no reminder: its alarm is neither read nor touched.
        {"journal", ItemKind::Note, "DTSTART:20240304T090000Z\r\n", DISPLAY("TRIGGER:-PT15M"), 0, 0, 0, 0,
         "DESCRIPTION:own text", "2024-03-04T08:45:00+00:00"},
    };
    fwtest::TempDir dir;
    std::map<std::string, std::string> instants;  // by name, as the other reader lists them
    for (const AlarmCase& c : cases) {
        SCOPED_TRACE(c.name);
        ItemData item(c.kind);
        ASSERT_TRUE(CalendarItemFromIcs(File(c), item));
        EXPECT_EQ(item.Int("ReminderSet"), c.readSet);
        EXPECT_DOUBLE_EQ(Value(item), c.readValue);
        item.SetInt("ReminderSet", c.newSet);
        SetValue(item, c.newValue);
        item.SetText("Subject", "changed");
        const std::string text = CalendarItemToIcs(item);
        EXPECT_NE(text.find(c.written), std::string::npos) << text;
        // Other alarms stay, and an alarm kept keeps its own properties.
        EXPECT_EQ(text.find("ACTION:EMAIL") != std::string::npos, File(c).find("ACTION:EMAIL") != std::string::npos);
        if (c.newSet != 0 && c.readSet != 0) {
            EXPECT_NE(text.find("DESCRIPTION:own text"), std::string::npos) << text;
        }
        ItemData back(c.kind);
        ASSERT_TRUE(CalendarItemFromIcs(text, back));
        EXPECT_EQ(back.Int("ReminderSet"), c.newSet);
        EXPECT_DOUBLE_EQ(Value(back), c.newValue);
        fwtest::WriteFile(dir.File(std::string(c.name) + ".ics"), text);
        instants[c.name] = c.instant;
    }
    // Another reader works out when each display alarm goes off.
    const std::string script =
        "import os, sys, datetime, icalendar\n"
        "root = sys.argv[1]\n"
        "for name in sorted(n for n in os.listdir(root) if n.endswith('.ics')):\n"
        "    cal = icalendar.Calendar.from_ical(open(os.path.join(root, name), 'rb').read())\n"
        "    comp = [c for c in cal.walk() if c.name in ('VEVENT', 'VTODO', 'VJOURNAL')][0]\n"
        "    when = 'none'\n"
        "    for a in comp.walk('VALARM'):\n"
        "        if str(a.get('ACTION')) != 'DISPLAY':\n"
        "            continue\n"
        "        t = a['TRIGGER']\n"
        "        if isinstance(t.dt, datetime.datetime):\n"
        "            at = t.dt\n"
        "        else:\n"
        "            end = str(t.params.get('RELATED', 'START')) == 'END'\n"
        "            anchor = comp['DTEND' if comp.name == 'VEVENT' else 'DUE'] if end else comp['DTSTART']\n"
        "            at = anchor.dt + t.dt\n"
        "        when = at.astimezone(datetime.timezone.utc).isoformat()\n"
        "        break\n"
        "    print('%s|%s' % (name[:-4], when))\n";
    const std::string seen = storetest::RunPython(dir, script, dir.Path(), "UTC");
    std::string expected;
    for (const auto& [name, instant] : instants) expected += name + "|" + instant + "\n";
    EXPECT_EQ(seen, expected);
}
