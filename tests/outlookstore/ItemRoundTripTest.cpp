// Every appointment, task and note property put through the stand-in reads
// back equal after the store is opened again, under several time zones, and
// timed values stay the same instants when the zone changes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/automation/DispatchObject.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/ItemData.h"
#include "platform/outlook/OutlookServer.h"
#include "tests/outlookstore/StoreSession.h"

using namespace platform::outlook;
using namespace storetest;

namespace {

const char* const kZones[] = {"UTC", "America/New_York", "Asia/Tokyo"};

enum class Kind { Text, Int, Bool, Date, Instant, Day };

struct Prop {
    const char16_t* name;
    Kind kind;
    std::string text;
    std::int32_t number = 0;
    double date = 0;  // local date value of the zone that wrote it
};

Prop T(const char16_t* n, std::string s) { return {n, Kind::Text, std::move(s)}; }
Prop I(const char16_t* n, std::int32_t v) { return {n, Kind::Int, {}, v}; }
Prop B(const char16_t* n, bool v) { return {n, Kind::Bool, {}, v ? 1 : 0}; }
// A timed value: the same instant under every zone.
Prop At(const char16_t* n, double d) { return {n, Kind::Instant, {}, 0, d}; }
// A date: the same day under every zone.
Prop Day(const char16_t* n, double d) { return {n, Kind::Day, {}, 0, d}; }

struct ItemCase {
    int folder, type;
    std::vector<Prop> puts;
    std::vector<Prop> derived;  // what Outlook shows besides the puts
    bool recurring = false;
    std::int32_t recurrence[6] = {};  // type, interval, mask, day of month, instance, month
    double patternEnd = 0;
};

// Texts with what a file format likes least: blanks at the ends, every kind
// of line break, the characters iCalendar escapes, and non-ASCII.
std::string RandomText(std::mt19937& rng, std::size_t length) {
    static const char* const pieces[] = {"a", "Z",  "0", " ",  "\t", "\r",       "\n",           "\r\n",         ",",
                                         ";", "\\", ":", "\"", "=",  "\xC3\xA9", "\xE6\x97\xA5", "\xE2\x82\xAC", "\\n",
                                         "x"};
    std::string out;
    std::size_t chars = 0;
    while (chars < length) {
        const std::string piece = pieces[rng() % std::size(pieces)];
        out += piece;
        chars += piece == "\r\n" || piece == "\\n" ? 2 : 1;
    }
    return out;
}

std::vector<ItemCase> Cases(std::mt19937& rng) {
    std::vector<ItemCase> cases;
    {
        ItemCase a{9, 1, {}, {}};
        a.puts = {T(u"Subject", "  " + RandomText(rng, 251) + " \t"),
                  T(u"Body", RandomText(rng, 20479)),
                  T(u"Location", " " + RandomText(rng, 254)),
                  T(u"Categories", "Work, Home,Ideas;x"),
                  At(u"Start", LocalDate(2024, 3, 10, 1, 30)),
                  I(u"Duration", 26 * 60 + 15),
                  B(u"AllDayEvent", false),
                  B(u"ReminderSet", true),
                  I(u"ReminderMinutesBeforeStart", 90)};
        a.recurring = true;
        a.recurrence[0] = 1, a.recurrence[1] = 2, a.recurrence[2] = 10;
        a.patternEnd = LocalDate(2024, 6, 30);
        cases.push_back(a);
    }
    {
        ItemCase allDay{9, 1, {}, {}};
        allDay.puts = {T(u"Subject", " Trip "),   T(u"Body", "\r\nmixed\nline\rbreaks\r\n\n"),
                       T(u"Categories", " a ,b"), Day(u"Start", LocalDate(2024, 7, 1)),
                       I(u"Duration", 3 * 1440),  B(u"AllDayEvent", true),
                       B(u"ReminderSet", false),  I(u"ReminderMinutesBeforeStart", 30)};
        cases.push_back(allDay);
    }
    {
        ItemCase flagged{9, 1, {}, {}};  // all day by its flag, on times that are not whole days
        flagged.puts = {T(u"Subject", "x"), At(u"Start", LocalDate(2024, 11, 3, 9)), I(u"Duration", 60),
                        B(u"AllDayEvent", true)};
        flagged.recurring = true;
        flagged.recurrence[0] = 6, flagged.recurrence[1] = 1, flagged.recurrence[2] = 16, flagged.recurrence[4] = 5,
        flagged.recurrence[5] = 11;
        cases.push_back(flagged);
    }
    {
        ItemCase open{13, 3, {}, {}};
        open.puts = {T(u"Subject", RandomText(rng, 255)),
                     T(u"Body", RandomText(rng, 3000)),
                     T(u"CardData", " card "),
                     B(u"Complete", false),
                     Day(u"DueDate", LocalDate(2021, 3, 1)),
                     Day(u"StartDate", LocalDate(2021, 2, 20)),
                     I(u"Importance", 0),
                     T(u"Mileage", "12 km\r\n"),
                     I(u"Ordinal", 7),
                     I(u"PercentComplete", 40),
                     B(u"ReminderOverrideDefault", true),
                     B(u"ReminderPlaySound", true),
                     B(u"ReminderSet", true),
                     T(u"ReminderSoundFile", "/a b/bell.oga"),
                     At(u"ReminderTime", LocalDate(2021, 2, 28, 18, 5)),
                     I(u"ResponseState", 2),
                     T(u"Role", "owner;x"),
                     I(u"Sensitivity", 1),
                     I(u"Status", 3),
                     B(u"TeamTask", true),
                     I(u"TotalWork", 120),
                     T(u"Categories", "Home")};
        cases.push_back(open);
    }
    {
        ItemCase done{13, 3, {}, {}};  // complete, repeating, without any date
        // Texts of blanks alone, which libical drops when it parses.
        done.puts = {
            T(u"Subject", "Water plants"), T(u"Body", " "),      T(u"Mileage", " \t "), B(u"Complete", true),
            I(u"Importance", 2),           I(u"Sensitivity", 3), I(u"Status", 0),       I(u"PercentComplete", 10)};
        done.derived = {I(u"Status", 2), I(u"PercentComplete", 100), Day(u"DueDate", 0), Day(u"StartDate", 0)};
        done.recurring = true;
        done.recurrence[0] = 2, done.recurrence[1] = 1, done.recurrence[3] = 15;
        cases.push_back(done);
    }
    for (int color = 0; color <= 4; ++color) {
        ItemCase note{12, 5, {}, {}};
        note.puts = {T(u"Body", color == 0 ? RandomText(rng, 20479) : "Note " + std::to_string(color) + "\n"),
                     T(u"Categories", color % 2 ? "" : "Ideas"), I(u"Color", color)};
        cases.push_back(note);
    }
    return cases;
}

void Put(CDispCmd& item, const Prop& p) {
    switch (p.kind) {
    case Kind::Text: EXPECT_EQ(PutText(item, p.name, p.text), S_OK); break;
    case Kind::Int: EXPECT_EQ(item.PutInt(p.name, p.number), S_OK); break;
    case Kind::Bool: EXPECT_EQ(item.PutBool(p.name, static_cast<std::uint8_t>(p.number)), S_OK); break;
    default: {
        VARIANT v = VARIANT::Date(p.date);
        EXPECT_EQ(item.PutProperty(p.name, &v), S_OK);
    }
    }
}

// The local date value under the current zone of a value written under another.
double Moved(const Prop& p, const char* from) {
    if (p.date == 0.0 || p.kind == Kind::Day) return p.date;
    std::time_t utc = 0;
    {
        ScopedTz tz(from);
        EXPECT_TRUE(LocalDateToUtc(p.date, utc));
    }
    double out = 0;
    EXPECT_TRUE(UtcToLocalDate(utc, out));
    return out;
}

void Expect(CDispCmd& item, const Prop& p, const char* writtenIn, const std::string& where) {
    SCOPED_TRACE(where + " " + platform::Utf16ToUtf8(p.name));
    switch (p.kind) {
    case Kind::Text: EXPECT_EQ(Text(item, p.name), p.text); break;
    case Kind::Int: {
        std::int32_t v = -99;
        EXPECT_EQ(item.GetInt(p.name, &v), S_OK);
        EXPECT_EQ(v, p.number);
        break;
    }
    case Kind::Bool: {
        std::uint8_t v = 99;
        EXPECT_EQ(item.GetBool(p.name, &v), S_OK);
        EXPECT_EQ(v, p.number);
        break;
    }
    default: {
        DATE v = -1;
        EXPECT_EQ(item.GetDate(p.name, &v), S_OK);
        EXPECT_NEAR(v, Moved(p, writtenIn), 1e-7);
    }
    }
}

void ExpectPattern(CDispCmd& item, const ItemCase& c, const char* writtenIn, const std::string& where) {
    SCOPED_TRACE(where);
    std::uint8_t recurring = 9;
    EXPECT_EQ(item.GetBool(u"IsRecurring", &recurring), S_OK);
    EXPECT_EQ(recurring, c.recurring ? 1 : 0);
    if (!c.recurring) return;
    VARIANT pat;
    ASSERT_EQ(Call(item, u"GetRecurrencePattern", {}, &pat), S_OK);
    CDispCmd p(pat.pdispVal);
    const char16_t* names[] = {u"RecurrenceType", u"Interval", u"DayOfWeekMask",
                               u"DayOfMonth",     u"Instance", u"MonthOfYear"};
    for (int i = 0; i < 6; ++i) {
        std::int32_t v = -1;
        EXPECT_EQ(p.GetInt(names[i], &v), S_OK);
        const std::int32_t want = i == 1 && c.recurrence[1] == 0 ? 1 : c.recurrence[i];
        EXPECT_EQ(v, want) << platform::Utf16ToUtf8(names[i]);
    }
    DATE end = -1;
    EXPECT_EQ(p.GetDate(u"PatternEndDate", &end), S_OK);
    // The pattern ends with its last occurrence, an instant for a timed item.
    double want = c.patternEnd;
    for (const Prop& q : c.puts)
        if (c.patternEnd != 0.0 && q.kind == Kind::Instant && std::u16string(q.name) == u"Start")
            want = DayOf(Moved(At(u"", c.patternEnd + (q.date - DayOf(q.date))), writtenIn));
    EXPECT_EQ(end, want);
}

struct RoundTrip : ::testing::Test {
    fwtest::TempDir dir;
    long live = platform::DispatchObject::LiveObjects();
    ~RoundTrip() override {
        UnregisterOutlookApplication();
        EXPECT_EQ(platform::DispatchObject::LiveObjects(), live);
    }
};

}  // namespace

TEST_F(RoundTrip, EveryPropertyUnderThreeZones) {
    for (const char* zone : kZones) {
        std::mt19937 rng(std::hash<std::string>{}(zone));
        const std::vector<ItemCase> cases = Cases(rng);
        UnregisterOutlookApplication();
        RegisterOutlookApplication(dir.Path() + zone);
        {
            ScopedTz tz(zone);
            Session s;
            for (const ItemCase& c : cases) {
                CDispCmd item = s.Add(c.folder, c.type);
                for (const Prop& p : c.puts) Put(item, p);
                if (c.recurring) {
                    VARIANT pat;
                    ASSERT_EQ(Call(item, u"GetRecurrencePattern", {}, &pat), S_OK);
                    CDispCmd p(pat.pdispVal);
                    EXPECT_EQ(p.PutInt(u"RecurrenceType", c.recurrence[0]), S_OK);
                    const char16_t* names[] = {u"Interval", u"DayOfWeekMask", u"DayOfMonth", u"Instance",
                                               u"MonthOfYear"};
                    for (int i = 0; i < 5; ++i)
                        if (c.recurrence[i + 1] > 0) {
                            EXPECT_EQ(p.PutInt(names[i], c.recurrence[i + 1]), S_OK);
                        }
                    if (c.patternEnd != 0.0) {
                        EXPECT_EQ(p.PutDate(u"PatternEndDate", c.patternEnd), S_OK);
                    }
                }
                EXPECT_EQ(Call(item, u"Save", {}), S_OK);
            }
        }
        // Opened again under each zone: the same values, timed ones at the same instants.
        for (const char* reader : kZones) {
            ScopedTz tz(reader);
            Session s;
            int position[14] = {};
            for (std::size_t n = 0; n < cases.size(); ++n) {
                const ItemCase& c = cases[n];
                const std::string where = std::string(zone) + " -> " + reader + ", case " + std::to_string(n);
                CDispCmd item = s.Item(c.folder, ++position[c.folder]);
                for (const Prop& p : c.puts) {
                    bool overridden = false;
                    for (const Prop& d : c.derived) overridden |= std::u16string(d.name) == p.name;
                    if (!overridden) Expect(item, p, zone, where);
                }
                for (const Prop& d : c.derived) Expect(item, d, zone, where);
                if (c.folder != 12) ExpectPattern(item, c, zone, where);
            }
        }
    }
}

TEST_F(RoundTrip, ClearingAPropertyRemovesIt) {
    RegisterOutlookApplication(dir.Path() + "store");
    {
        Session s;
        CDispCmd a = s.Add(9, 1);
        EXPECT_EQ(PutText(a, u"Subject", "Meeting"), S_OK);
        EXPECT_EQ(PutText(a, u"Location", "Room"), S_OK);
        EXPECT_EQ(PutText(a, u"Categories", "Work"), S_OK);
        EXPECT_EQ(a.PutDate(u"Start", LocalDate(2024, 5, 6, 10)), S_OK);
        EXPECT_EQ(a.PutInt(u"Duration", 30), S_OK);
        EXPECT_EQ(Call(a, u"Save", {}), S_OK);
        CDispCmd t = s.Add(13, 3);
        EXPECT_EQ(PutText(t, u"Subject", "Task"), S_OK);
        EXPECT_EQ(PutText(t, u"Role", "owner"), S_OK);
        EXPECT_EQ(t.PutDate(u"DueDate", LocalDate(2021, 3, 1)), S_OK);
        EXPECT_EQ(t.PutDate(u"StartDate", LocalDate(2021, 2, 1)), S_OK);
        EXPECT_EQ(Call(t, u"Save", {}), S_OK);
    }
    {
        Session s;
        CDispCmd a = s.Item(9, 1);
        EXPECT_EQ(PutText(a, u"Location", ""), S_OK);
        EXPECT_EQ(PutText(a, u"Categories", ""), S_OK);
        EXPECT_EQ(Call(a, u"Save", {}), S_OK);
        CDispCmd t = s.Item(13, 1);
        EXPECT_EQ(PutText(t, u"Role", ""), S_OK);
        VARIANT none = VARIANT::Date(kNoDate), zero = VARIANT::Date(0.0);
        EXPECT_EQ(t.PutProperty(u"DueDate", &none), S_OK);
        EXPECT_EQ(t.PutProperty(u"StartDate", &zero), S_OK);
        EXPECT_EQ(Call(t, u"Save", {}), S_OK);
    }
    Session s;
    CDispCmd a = s.Item(9, 1);
    EXPECT_EQ(Text(a, u"Subject"), "Meeting");
    EXPECT_EQ(Text(a, u"Location"), "");
    EXPECT_EQ(Text(a, u"Categories"), "");
    CDispCmd t = s.Item(13, 1);
    EXPECT_EQ(Text(t, u"Role"), "");
    DATE due = -1, start = -1;
    EXPECT_EQ(t.GetDate(u"DueDate", &due), S_OK);
    EXPECT_EQ(t.GetDate(u"StartDate", &start), S_OK);
    EXPECT_EQ(due, 0.0);
    EXPECT_EQ(start, 0.0);
    const std::string file = fwtest::ReadFile(dir.Path() + "store/Tasks/" + Text(t, u"EntryID") + ".ics");
    for (const char* gone : {"DUE", "DTSTART", "X-OUTLOOK-ROLE"}) EXPECT_EQ(file.find(gone), std::string::npos) << file;
}

TEST_F(RoundTrip, AnIndependentReaderSeesTheSameInstantsAndStates) {
    RegisterOutlookApplication(dir.Path() + "store");
    {
        ScopedTz tz("Asia/Tokyo");
        Session s;
        CDispCmd a = s.Add(9, 1);
        EXPECT_EQ(PutText(a, u"Subject", "Sync"), S_OK);
        EXPECT_EQ(a.PutDate(u"Start", LocalDate(2024, 3, 4, 18)), S_OK);  // 09:00 UTC
        EXPECT_EQ(a.PutInt(u"Duration", 30), S_OK);
        EXPECT_EQ(Call(a, u"Save", {}), S_OK);
        CDispCmd trip = s.Add(9, 1);
        EXPECT_EQ(PutText(trip, u"Subject", "Trip"), S_OK);
        EXPECT_EQ(trip.PutDate(u"Start", LocalDate(2024, 7, 1)), S_OK);
        EXPECT_EQ(trip.PutInt(u"Duration", 2880), S_OK);
        EXPECT_EQ(trip.PutBool(u"AllDayEvent", 1), S_OK);
        EXPECT_EQ(Call(trip, u"Save", {}), S_OK);
        CDispCmd done = s.Add(13, 3);
        EXPECT_EQ(PutText(done, u"Subject", "Done"), S_OK);
        EXPECT_EQ(done.PutBool(u"Complete", 1), S_OK);
        EXPECT_EQ(done.PutDate(u"DueDate", LocalDate(2021, 3, 1, 15)), S_OK);
        EXPECT_EQ(Call(done, u"Save", {}), S_OK);
        CDispCmd open = s.Add(13, 3);
        EXPECT_EQ(PutText(open, u"Subject", "Open"), S_OK);
        EXPECT_EQ(open.PutInt(u"Status", 1), S_OK);
        EXPECT_EQ(Call(open, u"Save", {}), S_OK);
    }
    const std::string script =
        "import os, sys, datetime, icalendar\n"
        "root = sys.argv[1]\n"
        "for folder in ('Calendar', 'Tasks'):\n"
        "    for name in sorted(os.listdir(os.path.join(root, folder))):\n"
        "        cal = icalendar.Calendar.from_ical(open(os.path.join(root, folder, name), 'rb').read())\n"
        "        for c in cal.walk():\n"
        "            if c.name == 'VEVENT':\n"
        "                d = c['DTSTART'].dt\n"
        "                if isinstance(d, datetime.datetime):\n"
        "                    d = d.astimezone(datetime.timezone.utc).isoformat()\n"
        "                print('event|%s|%s|%s' % (c['SUMMARY'], d, c['DTEND'].dt))\n"
        "            elif c.name == 'VTODO':\n"
        "                print('todo|%s|%s|%s|%s|%s' % (c['SUMMARY'], c.get('STATUS'), 'COMPLETED' in c,\n"
        "                      c.get('PERCENT-COMPLETE'), c['DUE'].dt if 'DUE' in c else 'no due'))\n";
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        const std::string out = RunPython(dir, script, dir.Path() + "store", zone);
        for (const char* line :
             {"event|Sync|2024-03-04T09:00:00+00:00|", "event|Trip|2024-07-01|2024-07-03\n",
              "todo|Done|COMPLETED|True|100|2021-03-01\n", "todo|Open|IN-PROCESS|False|None|no due\n"})
            EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    }
}
