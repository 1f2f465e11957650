// Generated records of every kind, with the values that break round trips
// (blanks at either end, texts at full capacity, mixed line breaks,
// non-ASCII, cleared values, dates at the edges, every repeat kind, every
// reminder unit, name-alike and nameless contacts, same-subject events on
// one day), migrated into an empty store under three time zones: the
// reopened store gives every record back Same with every written member
// equal, and a second migration writes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "common/misc/CxDateTime.h"
#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "common/records/CommFieldDesc.h"
#include "platform/text/TextCopy.h"
#include "tests/outlook/OutlookFixture.h"
#include "tests/support/Seed.h"
#include "tests/support/TimeZone.h"

using namespace oltest;

namespace {

class Gen {
public:
    explicit Gen(unsigned seed) : m_rng(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    // A text that fits `capacity` bytes with its terminator.
    std::string Text(std::size_t capacity, bool multiline) {
        static const char* const kWords[] = {"Ann",
                                             "B\xC3\xB8rn",
                                             "\xC3\x85s",
                                             "caf\xC3\xA9",
                                             "\xE6\x9D\xB1\xE4\xBA\xAC",
                                             "\xF0\x9F\x98\x80",
                                             "a,b",
                                             "x;y",
                                             "back\\slash",
                                             "colon:",
                                             "\"q\"",
                                             "42"};
        static const char* const kBreaks[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
        std::string s;
        switch (Int(0, 6)) {
        case 0: return "";
        case 1: s = std::string(static_cast<std::size_t>(Int(1, 3)), ' ') + kWords[Int(0, 11)] + "  "; break;
        case 2:  // as long as the member holds
            while (s.size() < capacity) s += kWords[Int(0, 11)];
            break;
        case 3: s = " "; break;
        default: {
            const int words = Int(1, 8);
            for (int i = 0; i < words; ++i) {
                if (i > 0) s += multiline && Chance(30) ? kBreaks[Int(0, 3)] : " ";
                s += kWords[Int(0, 11)];
            }
            if (multiline && Chance(20)) s += kBreaks[Int(0, 3)];
            if (Chance(20)) s = "\t" + s;
        }
        }
        if (!multiline)
            for (char& c : s)
                if (c == '\r' || c == '\n') c = ' ';
        char buffer[20480];
        platform::CopyText(buffer, capacity < sizeof buffer ? capacity : sizeof buffer, s);
        return buffer;
    }

    template <std::size_t N>
    void Fill(char (&member)[N], bool multiline = false) {
        platform::CopyText(member, N, Text(N, multiline));
    }

private:
    std::mt19937 m_rng;
};

SYSTEMTIME LocalTime(int y, int mo, int d, int h, int mi) { return Time(y, mo, d, h, mi); }

// A local time that exists once in every zone used here (no hour that a
// daylight-saving change skips or repeats).
SYSTEMTIME SomeTime(Gen& g) {
    const int hours[] = {0, 4, 7, 9, 12, 15, 18, 21, 23};
    return LocalTime(g.Int(1971, 2036), g.Int(1, 12), g.Int(1, 28), hours[g.Int(0, 8)], g.Int(0, 59));
}

std::int32_t LocalMidnight(int y, int m, int d) { return static_cast<std::int32_t>(SystemTimeToTimeT(Time(y, m, d))); }

std::string Categories(Gen& g) {
    static const char* const kNames[] = {"Work", "Private", "Caf\xC3\xA9", "Family Trips"};
    std::string s;
    for (int i = g.Int(0, 2); i > 0; --i) s += (s.empty() ? "" : ", ") + std::string(kNames[g.Int(0, 3)]);
    return s;
}

void RandomRepeat(Gen& g, const SYSTEMTIME& start, CommRepeatInfo& r) {
    r = CommRepeatInfo{};
    r.Type = g.Int(0, 6);
    const std::int32_t startBit = 1 << start.wDayOfWeek;
    switch (r.Type) {
    case 1: r.Interval = g.Int(1, 3); break;
    case 2:
        r.Interval = g.Int(1, 3);
        r.DayOfWeekMask = startBit | (g.Chance(50) ? (1 << g.Int(0, 6)) : 0);
        break;
    case 3:
        r.Interval = g.Int(1, 2);
        r.Instance = (start.wDay - 1) / 7 + 1;
        r.DayOfWeekMask = startBit;
        break;
    case 4:
        r.Interval = g.Int(1, 2);
        r.DayOfMonth = start.wDay;
        break;
    case 5:
        r.Interval = 1;
        r.Instance = (start.wDay - 1) / 7 + 1;
        r.MonthOfYear = start.wMonth;
        r.DayOfWeekMask = startBit;
        break;
    case 6:
        r.DayOfMonth = start.wDay;
        r.MonthOfYear = start.wMonth;
        break;
    default: return;
    }
    if (g.Chance(50)) {
        r.HasEnd = 1;
        r.EndDate = LocalTime(start.wYear + g.Int(1, 3), g.Int(1, 12), g.Int(1, 28), 0, 0);
    }
}

void RandomReminder(Gen& g, std::int32_t& alarm, std::int32_t& count, CommReminder& r) {
    alarm = g.Chance(60) ? 1 : 0;
    if (!alarm || g.Chance(15)) return;
    count = 1;
    const int amounts[] = {0, 1, 5, 15, 30, 45, 59};
    r = CommReminder{0, g.Chance(20) ? 0 : amounts[g.Int(0, 6)] % 24 + g.Int(0, 1), g.Int(1, 4)};
    if (r.Unit == CommUnitMinutes) r.Amount = amounts[g.Int(0, 6)];
}

std::vector<CommAddrRec> Contacts(Gen& g, int n) {
    std::vector<CommAddrRec> out;
    for (int i = 0; i < n; ++i) {
        CommAddrRec r{};
        for (const CommFieldDesc& f : CommAddrFields()) {
            if (f.Kind != CommValueText || g.Chance(30)) continue;
            char* member = reinterpret_cast<char*>(&r) + f.Offset;
            const bool multiline = f.Capacity > 200;
            platform::CopyText(member, static_cast<std::size_t>(f.Capacity),
                               g.Text(static_cast<std::size_t>(f.Capacity), multiline));
        }
        for (int slot = 0; slot < 10; ++slot) {
            std::memset(r.CustomLabel[slot], 0, sizeof r.CustomLabel[slot]);
            std::memset(r.CustomValue[slot], 0, sizeof r.CustomValue[slot]);
            std::memset(r.MappedCustomValue[slot], 0, sizeof r.MappedCustomValue[slot]);
            if (g.Chance(30)) continue;
            std::snprintf(r.CustomLabel[slot], sizeof r.CustomLabel[slot], "Field %d", slot + 1);
            g.Fill(r.CustomValue[slot]);
        }
        r.Birthday = g.Chance(50) ? Date(g.Int(1900, 2099), g.Int(1, 12), g.Int(1, 28)) : 0.0;
        r.Anniversary = g.Chance(30) ? Date(g.Int(1950, 2037), g.Int(1, 12), g.Int(1, 28)) : 0.0;
        platform::CopyText(r.Category, sizeof r.Category, Categories(g));
        const int shape = g.Int(0, 9);
        if (shape == 0 && !out.empty()) {  // name-alike: another contact's name, other values
            const CommAddrRec& twin = out[static_cast<std::size_t>(g.Int(0, static_cast<int>(out.size()) - 1))];
            std::memcpy(r.FirstName, twin.FirstName, sizeof r.FirstName);
            std::memcpy(r.LastName, twin.LastName, sizeof r.LastName);
            std::memcpy(r.Email, twin.Email, sizeof r.Email);
        } else if (shape == 1) {  // nameless: neither name nor e-mail
            r.FirstName[0] = r.LastName[0] = r.Email[0] = r.DisplayName[0] = '\0';
            if (g.Chance(50)) r.Company[0] = '\0';
        }
        r.SourceType = CommSourcePalm;
        out.push_back(r);
    }
    return out;
}

std::vector<CommDateRec> Events(Gen& g, int n) {
    std::vector<CommDateRec> out;
    for (int i = 0; i < n; ++i) {
        CommDateRec r{};
        if (g.Chance(15) && !out.empty()) {  // the same subject on the same day, at another time
            const CommDateRec& twin = out.back();
            std::memcpy(r.Subject, twin.Subject, sizeof r.Subject);
            r.Start =
                LocalTime(twin.Start.wYear, twin.Start.wMonth, twin.Start.wDay, twin.Start.wHour == 23 ? 4 : 23, 0);
        } else {
            g.Fill(r.Subject);
            r.Start = SomeTime(g);
        }
        g.Fill(r.Location);
        g.Fill(r.Note, true);
        platform::CopyText(r.Category, sizeof r.Category, Categories(g));
        if (g.Chance(25)) {
            r.AllDay = 1;
            r.Start = LocalTime(r.Start.wYear, r.Start.wMonth, r.Start.wDay, 0, 0);
            SYSTEMTIME end = r.Start;
            AddDays(end, g.Int(1, 3));
            r.End = end;
        } else {
            SYSTEMTIME end = r.Start;
            DATE d = 0;
            platform::SystemTimeToVariantTime(r.Start, d);
            d += g.Int(0, 3 * 60) / 1440.0;
            platform::VariantTimeToSystemTime(d, end);
            r.End = LocalTime(end.wYear, end.wMonth, end.wDay, end.wHour, end.wMinute);
            if (r.End.wHour >= 1 && r.End.wHour <= 3) r.End = r.Start;
        }
        RandomRepeat(g, r.Start, r.Repeat);
        RandomReminder(g, r.Alarm, r.ReminderCount, r.Reminders[0]);
        r.SourceType = CommSourcePalm;
        out.push_back(r);
    }
    return out;
}

std::vector<CommTaskRec> Tasks(Gen& g, int n) {
    std::vector<CommTaskRec> out;
    for (int i = 0; i < n; ++i) {
        CommTaskRec r{};
        if (g.Chance(15) && !out.empty())
            std::memcpy(r.Subject, out.back().Subject, sizeof r.Subject);
        else
            g.Fill(r.Subject);
        g.Fill(r.Note, true);
        platform::CopyText(r.Category, sizeof r.Category, Categories(g));
        g.Fill(r.Role);
        g.Fill(r.Mileage);
        g.Fill(r.CardData);
        r.Priority = g.Int(0, 2);
        r.Completed = g.Chance(40) ? 1 : 0;
        r.DueDate = g.Chance(70) ? LocalMidnight(g.Int(2000, 2030), g.Int(1, 12), g.Int(1, 28)) : 0;
        r.StartDate = g.Chance(30) ? LocalMidnight(g.Int(2000, 2030), g.Int(1, 12), g.Int(1, 28)) : 0;
        r.ReminderSet = g.Chance(40) ? 1 : 0;
        if (r.ReminderSet) {
            r.ReminderTime = static_cast<std::int32_t>(SystemTimeToTimeT(SomeTime(g)));
            r.ReminderOverrideDefault = 1;
            r.ReminderPlaySound = g.Chance(50) ? 1 : 0;
            g.Fill(r.ReminderSoundFile);
        }
        r.Ordinal = g.Int(0, 1000);
        r.TeamTask = g.Chance(20) ? 1 : 0;
        r.TotalWork = g.Int(0, 10000);
        r.ResponseState = g.Int(0, 3);
        if (g.Chance(25)) {
            const SYSTEMTIME start = SomeTime(g);
            RandomRepeat(g, start, r.Repeat);
            if (r.Repeat.Type != 0 && r.StartDate == 0 && r.DueDate == 0)
                r.StartDate = LocalMidnight(start.wYear, start.wMonth, start.wDay);
        }
        r.SourceType = CommSourcePalm;
        out.push_back(r);
    }
    return out;
}

std::vector<CommNoteRec> Notes(Gen& g, int n) {
    std::vector<CommNoteRec> out;
    for (int i = 0; i < n; ++i) {
        CommNoteRec r{};
        g.Fill(r.Note, true);
        if (r.Note[0] == '\0') platform::CopyText(r.Note, sizeof r.Note, "x");
        const std::string text = r.Note;
        const std::string first = text.substr(0, text.find_first_of("\r\n"));
        platform::CopyText(r.Subject, sizeof r.Subject, first);
        platform::CopyText(r.Category, sizeof r.Category, Categories(g));
        r.Color = g.Int(0, 4);
        r.SourceType = CommSourcePalm;
        out.push_back(r);
    }
    return out;
}

// One member of an Outlook record that the adapter writes.
struct Member {
    std::string name;
    std::size_t offset, size;
    enum { Text, Bytes } kind;
};
#define TEXT(Rec, m) \
    Member { #m, offsetof(Rec, m), sizeof(std::declval <Rec&>().m), Member::Text }
#define BYTES(Rec, m) \
    Member { #m, offsetof(Rec, m), sizeof(std::declval <Rec&>().m), Member::Bytes }

std::string Show(const void* rec, const Member& m) {
    const char* p = static_cast<const char*>(rec) + m.offset;
    if (m.kind == Member::Text) {
        std::string text = "\"";
        for (char c : std::string(p, strnlen(p, m.size)))
            text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
        return text + "\"";
    }
    std::string hex;
    char b[4];
    for (std::size_t i = 0; i < m.size; ++i) {
        std::snprintf(b, sizeof b, "%02x", static_cast<unsigned char>(p[i]));
        hex += b;
    }
    return hex;
}

bool Equal(const void* a, const void* b, const Member& m) {
    const char* pa = static_cast<const char*>(a) + m.offset;
    const char* pb = static_cast<const char*>(b) + m.offset;
    if (m.kind == Member::Text) return std::strncmp(pa, pb, m.size) == 0;
    return std::memcmp(pa, pb, m.size) == 0;
}

template <class Util>
std::vector<Member> WrittenMembers() {
    std::vector<Member> out;
    for (const OlClearable& c : Util::Clearables())
        out.push_back(Member{std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)), c.olOffset,
                             c.kind == OlPropKind::Date ? sizeof(DATE) : c.olSize,
                             c.kind == OlPropKind::Date ? Member::Bytes : Member::Text});
    return out;
}

// Outlook keeps user-defined properties by name, in the order they were
// added: a slot with neither name nor value adds none.
std::map<std::string, std::string> UserProperties(const OlAddrRecord& r, bool written) {
    std::map<std::string, std::string> props;
    for (int i = 0; i < 10; ++i) {
        if (r.UserPropertyName[i][0] == '\0' && r.UserPropertyValue[i][0] == '\0') continue;
        const std::string name =
            r.UserPropertyName[i][0] || !written ? r.UserPropertyName[i] : OlAddrUtil::DefaultUserPropertyName(i);
        props[name] = r.UserPropertyValue[i];
    }
    return props;
}

template <class Util, class Rec, class OlRec>
void ExpectWrittenMembers(Util& util, const Rec& source, const Rec& loaded, const void* native,
                          const std::vector<Member>& members, std::size_t index) {
    auto expected = std::make_unique<OlRec>();
    util.ToOutlookRecord(source, *expected);
    ASSERT_EQ(loaded.NativeSize, sizeof(OlRec));
    ASSERT_NE(native, nullptr);
    const auto* got = static_cast<const OlRec*>(native);
    if constexpr (std::is_same_v<OlRec, OlAddrRecord>) {
        EXPECT_EQ(UserProperties(*got, false), UserProperties(*expected, true)) << "record " << index;
    }
    for (const Member& m : members)
        EXPECT_TRUE(Equal(expected.get(), got, m))
            << "record " << index << " member " << m.name << " at " << m.offset << ": wrote " << Show(expected.get(), m)
            << ", read " << Show(got, m);
}

// Marks the records against the store, as the driver does, and migrates
// every one; true when each gave a result `allowed` accepts.
template <class Util, class Mgr, class Rec, class Allowed>
void Migrate(std::vector<Rec>& records, Allowed allowed) {
    SCOPED_TRACE(typeid(Util).name());
    Util util;
    ASSERT_TRUE(util.Load());
    Mgr source;
    for (const Rec& r : records) source.AddRecord(&r);
    source.MarkAgainst(util.GetRecordList());
    std::size_t i = 0;
    for (Rec* r = source.GetFirstRecord(); r != nullptr; r = source.GetNextRecord(), ++i) {
        const OlMigrateResult result = util.MigrateRecord(r);
        EXPECT_TRUE(allowed(result)) << "record " << i << " gave " << result;
    }
}

bool Created(OlMigrateResult r) { return r == OlMigrateCreated; }
bool Unchanged(OlMigrateResult r) { return r == OlMigrateUnchanged; }
bool Written(OlMigrateResult r) { return r == OlMigrateUpdated || r == OlMigrateUnchanged; }

// Reopens the store and checks every record Same and every written member.
template <class Util, class Mgr, class Rec, class OlRec>
void ExpectRoundTrip(std::vector<Rec>& records, const std::vector<Member>& members) {
    SCOPED_TRACE(typeid(Util).name());
    Util util;
    ASSERT_TRUE(util.Load());
    Mgr* list = util.GetRecordList();
    ASSERT_EQ(list->GetRecordCount(), records.size());
    Mgr source;
    for (const Rec& r : records) source.AddRecord(&r);
    source.MarkAgainst(list);
    std::size_t i = 0;
    for (Rec* r = source.GetFirstRecord(); r != nullptr; r = source.GetNextRecord(), ++i) {
        EXPECT_EQ(r->Status, 0) << "record " << i << " is not Same";
        // Items keep the order they were created in.
        ExpectWrittenMembers<Util, Rec, OlRec>(util, records[i], *list->GetRecordAt(i), list->NativeAt(i), members,
                                               i);
    }
}

std::vector<Member> ContactMembers() { return WrittenMembers<OlAddrUtil>(); }

std::vector<Member> EventMembers() {
    std::vector<Member> m = WrittenMembers<OlDateUtil>();
    for (const Member& x : {BYTES(OlDateRecord, AllDayEvent), BYTES(OlDateRecord, Start), BYTES(OlDateRecord, End),
                            BYTES(OlDateRecord, Duration), BYTES(OlDateRecord, ReminderSet),
                            BYTES(OlDateRecord, ReminderMinutesBeforeStart), BYTES(OlDateRecord, RecurrenceType),
                            BYTES(OlDateRecord, PatternEndDate)})
        m.push_back(x);
    return m;
}

std::vector<Member> TaskMembers() {
    std::vector<Member> m;
    for (const Member& x : {TEXT(OlTaskRecord, Subject), TEXT(OlTaskRecord, Body), TEXT(OlTaskRecord, Categories),
                            TEXT(OlTaskRecord, Role), TEXT(OlTaskRecord, Mileage), TEXT(OlTaskRecord, CardData),
                            BYTES(OlTaskRecord, DueDate), BYTES(OlTaskRecord, StartDate), BYTES(OlTaskRecord, Complete),
                            BYTES(OlTaskRecord, Importance), BYTES(OlTaskRecord, ReminderSet),
                            BYTES(OlTaskRecord, Ordinal), BYTES(OlTaskRecord, TeamTask), BYTES(OlTaskRecord, TotalWork),
                            BYTES(OlTaskRecord, ResponseState), BYTES(OlTaskRecord, RecurrenceType)})
        m.push_back(x);
    return m;
}

std::vector<Member> NoteMembers() {
    return {TEXT(OlNoteRecord, Body), TEXT(OlNoteRecord, Categories), BYTES(OlNoteRecord, Color),
            TEXT(OlNoteRecord, Subject)};
}

// Records that match another record of their list on the key: which of
// them an item belongs to is a matter of order, so the changes between runs
// leave them alone and the items keep their places.
template <class Mgr, class Rec>
std::vector<bool> Twins(const std::vector<Rec>& records) {
    std::vector<bool> twin(records.size(), false);
    for (std::size_t i = 0; i < records.size(); ++i)
        for (std::size_t j = i + 1; j < records.size(); ++j)
            if (Mgr::KeyEqual(records[i], records[j])) twin[i] = twin[j] = true;
    return twin;
}

struct RoundTripTest : ::testing::Test, Fixture {};

unsigned Seed() { return fwtest::SeedFromEnvironment(20261209u); }

}  // namespace

TEST_F(RoundTripTest, EveryKindUnderThreeTimeZones) {
    const unsigned seed = Seed();
    SCOPED_TRACE("FW_SEED=" + std::to_string(seed));
    int run = 0;
    for (const char* zone : {fwtest::kUtcZone, fwtest::kNewYorkZone, fwtest::kTokyoZone}) {
        SCOPED_TRACE(zone);
        fwtest::ScopedTimeZone tz(zone);
        const std::string root = dir.Path() + "store" + std::to_string(run++) + "/";
        platform::outlook::UnregisterOutlookApplication();
        platform::outlook::RegisterOutlookApplication(root);
        Gen g(seed + static_cast<unsigned>(run));
        std::vector<CommAddrRec> contacts = Contacts(g, 40);
        std::vector<CommDateRec> events = Events(g, 40);
        std::vector<CommTaskRec> tasks = Tasks(g, 30);
        std::vector<CommNoteRec> notes = Notes(g, 30);

        Migrate<OlAddrUtil, CommAddrMgr>(contacts, Created);
        Migrate<OlDateUtil, CommDateMgr>(events, Created);
        Migrate<OlTaskUtil, CommTaskMgr>(tasks, Created);
        Migrate<OlNoteUtil, CommNoteMgr>(notes, Created);
        ASSERT_EQ(OlBaseUtil::GetUserCount(), 0);  // the next load reopens the store

        ExpectRoundTrip<OlAddrUtil, CommAddrMgr, CommAddrRec, OlAddrRecord>(contacts, ContactMembers());
        ExpectRoundTrip<OlDateUtil, CommDateMgr, CommDateRec, OlDateRecord>(events, EventMembers());
        ExpectRoundTrip<OlTaskUtil, CommTaskMgr, CommTaskRec, OlTaskRecord>(tasks, TaskMembers());
        ExpectRoundTrip<OlNoteUtil, CommNoteMgr, CommNoteRec, OlNoteRecord>(notes, NoteMembers());

        const auto before = Snapshot(root);
        Migrate<OlAddrUtil, CommAddrMgr>(contacts, Unchanged);
        Migrate<OlDateUtil, CommDateMgr>(events, Unchanged);
        Migrate<OlTaskUtil, CommTaskMgr>(tasks, Unchanged);
        Migrate<OlNoteUtil, CommNoteMgr>(notes, Unchanged);
        EXPECT_EQ(Snapshot(root), before) << "a second migration wrote to the store";

        // Values the source empties or changes between runs are emptied or
        // changed in the store, and read back Same again. Each changed
        // record also differs in a compared value, so that it is written.
        auto flip = [](auto& text, const char* value) {
            if (text[0] != '\0')
                text[0] = '\0';
            else
                platform::CopyText(text, sizeof text, value);
        };
        const std::vector<bool> contactTwins = Twins<CommAddrMgr>(contacts);
        const std::vector<bool> eventTwins = Twins<CommDateMgr>(events);
        const std::vector<bool> taskTwins = Twins<CommTaskMgr>(tasks);
        const std::vector<bool> noteTwins = Twins<CommNoteMgr>(notes);
        for (std::size_t i = 0; i < contacts.size(); i += 3) {
            // A contact without name, e-mail, display name and company is
            // known only by its values: changed, it is another contact.
            const CommAddrRec& c = contacts[i];
            if (contactTwins[i] || !(c.FirstName[0] || c.LastName[0] || c.Email[0] || c.DisplayName[0] || c.Company[0]))
                continue;
            flip(contacts[i].WorkPhone, "555 0100");
            flip(contacts[i].HomeAddress.City, "Bergen");
            flip(contacts[i].Note, "new note");
            contacts[i].Birthday = 0.0;
            contacts[i].CustomValue[0][0] = '\0';
        }
        for (std::size_t i = 0; i < events.size(); i += 3) {
            if (eventTwins[i]) continue;
            flip(events[i].Location, "Moved");
            events[i].Note[0] = '\0';
            events[i].Repeat = CommRepeatInfo{};
        }
        for (std::size_t i = 0; i < tasks.size(); i += 3) {
            if (taskTwins[i]) continue;
            tasks[i].Priority = (tasks[i].Priority + 1) % 3;
            tasks[i].Note[0] = '\0';
            tasks[i].DueDate = 0;
            tasks[i].Completed = tasks[i].Completed ? 0 : 1;
        }
        for (std::size_t i = 0; i < notes.size(); i += 3) {
            if (noteTwins[i]) continue;
            const std::string text = std::string(notes[i].Subject) + "\r\nedited";
            platform::CopyText(notes[i].Note, sizeof notes[i].Note, text);
            notes[i].Color = (notes[i].Color + 1) % 5;
        }
        Migrate<OlAddrUtil, CommAddrMgr>(contacts, Written);
        Migrate<OlDateUtil, CommDateMgr>(events, Written);
        Migrate<OlTaskUtil, CommTaskMgr>(tasks, Written);
        Migrate<OlNoteUtil, CommNoteMgr>(notes, Written);
        ExpectRoundTrip<OlAddrUtil, CommAddrMgr, CommAddrRec, OlAddrRecord>(contacts, ContactMembers());
        ExpectRoundTrip<OlDateUtil, CommDateMgr, CommDateRec, OlDateRecord>(events, EventMembers());
        ExpectRoundTrip<OlTaskUtil, CommTaskMgr, CommTaskRec, OlTaskRecord>(tasks, TaskMembers());
        ExpectRoundTrip<OlNoteUtil, CommNoteMgr, CommNoteRec, OlNoteRecord>(notes, NoteMembers());
        if (HasFailure()) return;  // one zone's report is enough to read
    }
}
