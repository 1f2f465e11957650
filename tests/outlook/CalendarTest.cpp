#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/outlook/OlDate.h"
#include "tests/outlook/OutlookFixture.h"
#include "tests/outlook/Recorder.h"

using namespace oltest;

namespace {

struct CalendarTest : ::testing::Test, Fixture {
    static CommDateRec Event(const char* subject, SYSTEMTIME start, SYSTEMTIME end) {
        CommDateRec r{};
        std::strcpy(r.Subject, subject);
        r.Start = start;
        r.End = end;
        return r;
    }
};

}  // namespace

TEST_F(CalendarTest, WeeklyEveryTwoWeeksOnMondayAndWednesday) {
    OlDateUtil ol;
    ASSERT_TRUE(ol.Load());
    CommDateRec r = Event("Gym", Time(2024, 3, 4, 18), Time(2024, 3, 4, 19));
    r.Repeat.Type = 2;
    r.Repeat.Interval = 2;
    r.Repeat.DayOfWeekMask = 10;
    r.Repeat.HasEnd = 1;
    r.Repeat.EndDate = Time(2024, 6, 30);
    ASSERT_EQ(ol.MigrateRecord(&r), OlMigrateCreated);
    Peek peek(9);
    EXPECT_TRUE(Flag(peek.Item(1), u"IsRecurring"));
    EXPECT_EQ(Int(peek.Pattern(1), u"RecurrenceType"), 1);
    EXPECT_EQ(Int(peek.Pattern(1), u"Interval"), 2);
    EXPECT_EQ(Int(peek.Pattern(1), u"DayOfWeekMask"), 10);
    EXPECT_EQ(When(peek.Pattern(1), u"PatternEndDate"), Date(2024, 6, 30));
    ASSERT_TRUE(ol.Load());
    const CommDateRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_EQ(back->Repeat.Type, 2);
    EXPECT_EQ(back->Repeat.Interval, 2);
    EXPECT_EQ(back->Repeat.DayOfWeekMask, 10);
    EXPECT_EQ(back->Repeat.HasEnd, 1);
    EXPECT_EQ(back->Repeat.EndDate.wDay, 30);
    EXPECT_EQ(back->DurationMinutes, 60);
}

// A date every n years keeps its n; every year is interval 1, whether the
// record gave 1 or, as the Palm conversion does, 0.
TEST_F(CalendarTest, AYearlyDateKeepsItsInterval) {
    // interval in the record, then in Outlook's pattern and as read back
    const std::map<std::string, std::pair<int, int>> cases = {
        {"Census 2", {2, 2}}, {"Census 5", {5, 5}}, {"Census 1", {1, 1}}, {"Census 0", {1, 1}}};
    // Each source record has a place of its own, as in a migration's list.
    std::vector<CommDateRec> records;
    for (const auto& [subject, want] : cases) {
        CommDateRec r = Event(subject.c_str(), Time(2024, 4, 1), Time(2024, 4, 2));
        r.AllDay = 1;
        r.Repeat.Type = CommRepeatYearlyByDate;
        r.Repeat.Interval = subject.back() - '0';
        r.Repeat.MonthOfYear = 4;
        r.Repeat.DayOfMonth = 1;
        records.push_back(r);
    }
    OlDateUtil ol;
    ASSERT_TRUE(ol.Load());
    for (CommDateRec& r : records) EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateCreated) << r.Subject;
    Peek peek(9);
    ASSERT_EQ(peek.Count(), 4);
    for (int i = 1; i <= 4; ++i) {
        const std::string subject = Text(peek.Item(i), u"Subject");
        SCOPED_TRACE(subject);
        EXPECT_EQ(Int(peek.Pattern(i), u"RecurrenceType"), 5);
        EXPECT_EQ(Int(peek.Pattern(i), u"Interval"), cases.at(subject).first);
    }
    ASSERT_TRUE(ol.Load());
    for (unsigned i = 0; i < ol.GetRecordList()->GetRecordCount(); ++i) {
        const CommDateRec* back = ol.GetRecordList()->GetRecordAt(i);
        SCOPED_TRACE(back->Subject);
        EXPECT_EQ(back->Repeat.Type, CommRepeatYearlyByDate);
        EXPECT_EQ(back->Repeat.Interval, cases.at(back->Subject).second);
        EXPECT_EQ(back->Repeat.MonthOfYear, 4);
        EXPECT_EQ(back->Repeat.DayOfMonth, 1);
    }
}

TEST_F(CalendarTest, PatternsWrittenByOutlookLoad) {
    {
        Peek peek(9);
        CDispCmd a = peek.Add(1);
        a.PutString(u"Subject", "Valentine");
        a.PutDate(u"Start", Date(2024, 2, 14));
        a.PutInt(u"Duration", 1440);
        a.PutBool(u"AllDayEvent", 1);
        VARIANT pat;
        a.CallMethod(u"GetRecurrencePattern", nullptr, 0, &pat);
        CDispCmd p(pat.pdispVal);
        p.PutInt(u"RecurrenceType", 5);
        p.PutInt(u"MonthOfYear", 2);
        p.PutInt(u"DayOfMonth", 14);
        ASSERT_EQ(a.CallMethod(u"Save", nullptr, 0, nullptr), S_OK);
    }
    OlDateUtil ol;
    ASSERT_TRUE(ol.Load());
    const CommDateRec* back = ol.GetRecordList()->GetRecordAt(0);
    EXPECT_EQ(back->Repeat.Type, 6);
    EXPECT_EQ(back->Repeat.Interval, 1);
    EXPECT_EQ(back->Repeat.MonthOfYear, 2);
    EXPECT_EQ(back->Repeat.DayOfMonth, 14);
    EXPECT_EQ(back->Repeat.HasEnd, 0);  // the pattern has no end
    EXPECT_EQ(back->AllDay, 1);
}

TEST_F(CalendarTest, DurationKeepsTheRealEnd) {
    OlDateUtil ol;
    ASSERT_TRUE(ol.Load());
    CommDateRec trip = Event("Trip", Time(2024, 7, 1), Time(2024, 7, 3, 23, 59));
    trip.AllDay = 1;
    CommDateRec night = Event("Night shift", Time(2024, 7, 5, 23), Time(2024, 7, 6, 1));
    CommDateRec conference = Event("Conference", Time(2024, 8, 1, 9), Time(2024, 8, 3, 17));
    for (CommDateRec* r : {&trip, &night, &conference}) ASSERT_EQ(ol.MigrateRecord(r), OlMigrateCreated);
    Peek peek(9);
    EXPECT_EQ(Int(peek.Item(1), u"Duration"), 3 * 1440);
    EXPECT_EQ(Int(peek.Item(2), u"Duration"), 120);
    EXPECT_EQ(Int(peek.Item(3), u"Duration"), 2 * 1440 + 8 * 60);
    EXPECT_EQ(When(peek.Item(3), u"End"), Date(2024, 8, 3, 17));
    ASSERT_TRUE(ol.Load());
    // The night shift's own record keeps the time-of-day difference.
    EXPECT_EQ(ol.GetRecordList()->GetRecordAt(1)->DurationMinutes, -1320);
    EXPECT_EQ(ol.GetRecordList()->GetRecordAt(1)->End.wDay, 6);
    EXPECT_EQ(ol.GetRecordList()->GetRecordAt(2)->End.wDay, 3);
    // Ends read back on their own days, so the events are found again.
    EXPECT_EQ(ol.MigrateRecord(&night), OlMigrateUnchanged);
    EXPECT_EQ(ol.MigrateRecord(&conference), OlMigrateUnchanged);
    EXPECT_EQ(OlDateUtil::EventDuration(Event("x", Time(2024, 1, 1), Time(2024, 1, 1))), 0);
    CommDateRec oneDay = Event("x", Time(2024, 1, 1), Time(2024, 1, 2));
    oneDay.AllDay = 1;
    EXPECT_EQ(OlDateUtil::EventDuration(oneDay), 1440);
}

TEST_F(CalendarTest, RemindersByVersionClass) {
    CommDateRec early = Event("Early", Time(2024, 5, 6, 0, 3), Time(2024, 5, 6, 1));
    early.Alarm = 1;
    early.ReminderCount = 1;
    early.Reminders[0] = CommReminder{0, 10, 1};
    InstallOutlook(11);  // class 3: the reminder time
    {
        OlDateUtil ol;
        ASSERT_EQ(OlBaseUtil::GetVersionClass(), 3);
        OlDateRecord rec{};
        ol.ToOutlookRecord(early, rec);
        EXPECT_EQ(rec.ReminderTime, Date(2024, 5, 6));  // not before 00:00 of the day
        CommDateRec days = early;
        days.Reminders[0] = CommReminder{0, 2, 3};
        ol.ToOutlookRecord(days, rec);
        EXPECT_EQ(rec.ReminderTime, Date(2024, 5, 4));
        ASSERT_TRUE(ol.Load());
        CommDateRec later = Event("Later", Time(2024, 5, 6, 9), Time(2024, 5, 6, 10));
        later.Alarm = 1;
        later.ReminderCount = 1;
        later.Reminders[0] = CommReminder{0, 10, 1};
        ASSERT_EQ(ol.MigrateRecord(&later), OlMigrateCreated);
        ASSERT_TRUE(ol.Load());
        EXPECT_EQ(ol.GetRecordList()->GetRecordAt(0)->Reminders[0].Amount, 10);  // not 9
        EXPECT_EQ(ol.GetRecordList()->GetRecordAt(0)->Reminders[0].Unit, 1);
    }
    InstallOutlook(16);  // class 6: the minutes before the start
    OlDateUtil ol;
    OlDateRecord rec{};
    ol.ToOutlookRecord(early, rec);
    EXPECT_EQ(rec.ReminderMinutesBeforeStart, 10);
    EXPECT_EQ(rec.ReminderTime, 0.0);
    // A lead is kept as it is: none stays none and a week is seven days;
    // only a unit Outlook has no word for gets the default.
    const struct {
        int amount, unit, minutes;
    } written[] = {{0, 1, 0}, {0, 3, 0}, {3, 2, 180}, {2, 4, 20160}, {1, 4, 10080}, {5, 9, 15}};
    for (const auto& w : written) {
        CommDateRec r = early;
        r.Reminders[0] = CommReminder{0, w.amount, w.unit};
        OlDateRecord out{};
        ol.ToOutlookRecord(r, out);
        EXPECT_EQ(out.ReminderMinutesBeforeStart, w.minutes) << w.amount << " of unit " << w.unit;
        EXPECT_EQ(out.ReminderSet, 1);
    }
    const struct {
        int minutes, amount, unit;
    } leads[] = {{90, 1, 2}, {2880, 2, 3}, {59, 59, 1}, {1439, 23, 2}, {1440, 1, 3}};
    for (const auto& lead : leads) {
        OlDateRecord in{};
        in.ReminderSet = 1;
        in.ReminderMinutesBeforeStart = lead.minutes;
        in.RecurrenceType = -1;
        CommDateRec out{};
        ol.ToCommonRecord(in, out);
        EXPECT_EQ(out.ReminderCount, 1);
        EXPECT_EQ(out.Reminders[0].Amount, lead.amount) << lead.minutes;
        EXPECT_EQ(out.Reminders[0].Unit, lead.unit) << lead.minutes;
    }
    // Without an alarm nothing is set.
    Recorder* item = new Recorder;
    CDispCmd cmd(item);
    item->Release();
    OlDateRecord plain{};
    ol.ToOutlookRecord(Event("Plain", Time(2024, 5, 6, 9), Time(2024, 5, 6, 10)), plain);
    ol.WriteItem(cmd, plain);
    ASSERT_TRUE(item->Has("reminderminutesbeforestart"));
    EXPECT_EQ(item->Value("reminderminutesbeforestart")->lVal, 0);
    EXPECT_EQ(item->Value("reminderset")->boolVal, 0);
    EXPECT_FALSE(item->Has("remindertime"));
    EXPECT_FALSE(item->Has("end"));
    EXPECT_EQ(item->calls.back(), "save");
}

TEST_F(CalendarTest, EmptyTextsAreNotSent) {
    OlDateUtil ol;
    Recorder* item = new Recorder;
    CDispCmd cmd(item);
    item->Release();
    OlDateRecord rec{};
    rec.RecurrenceType = -1;
    ol.WriteItem(cmd, rec);
    // Only the numbers and flags (a zero reminder time is no date); a
    // record that does not repeat asks whether the item does, to remove its
    // pattern; then "Save".
    std::vector<std::string> names{"alldayevent", "duration", "reminderset"};
    if (OlBaseUtil::GetVersionClass() > 3) names.push_back("reminderminutesbeforestart");
    EXPECT_EQ(item->Names(), names);
    EXPECT_EQ(item->calls, (std::vector<std::string>{"isrecurring", "save"}));
    EXPECT_FALSE(item->Has("subject"));
    EXPECT_FALSE(item->Has("body"));
    EXPECT_FALSE(item->Has("start"));  // a zero date is not written
}

TEST_F(CalendarTest, UpdateStartsFromTheCommonRecordAlone) {
    OlDateUtil ol;
    ASSERT_TRUE(ol.Load());
    CommDateRec r = Event("Meet", Time(2024, 9, 2, 10), Time(2024, 9, 2, 11));
    std::strcpy(r.Location, "Room 1");
    ASSERT_EQ(ol.MigrateRecord(&r), OlMigrateCreated);
    ASSERT_TRUE(ol.Load());
    std::strcpy(r.Location, "Room 2");
    EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateUpdated);
    Peek peek(9);
    EXPECT_EQ(peek.Count(), 1);
    EXPECT_EQ(Text(peek.Item(1), u"Location"), "Room 2");
    ASSERT_TRUE(ol.Load());
    EXPECT_EQ(ol.MigrateRecord(&r), OlMigrateUnchanged);
}
