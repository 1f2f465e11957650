#include "common/outlook/OlDate.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "common/misc/CxDateTime.h"
#include "common/outlook/OlProps.h"

namespace {

const OlKindTexts kTexts = {
    "Failed to get the name of the folder. hr=0x%x",
    "Got the name of the Calendar folder: %s",
    "Failed to get the StoreID of the Calendar folder. hr=0x%x",
    "Got the StoreID of the Calendar folder: %s",
    "Failed to get Calendar Items property.",
    "Failed to get the \"Items\" property of the Calendar folder. hr=0x%x",
    "Failed to get the \"Items\" property of the Calendar folder.",
    "Failed to call \"Add\" method. hr=0x%x",
    "Failed to get the Calendar event item by index: %d. hr=0x%x",
    "Failed to call \"GetDefaultFolder\" method. hr=0x%x",
    "Get Outlook Calendar root folder successfully.",
};

const char16_t* const kPatternNames[6] = {u"RecurrenceType", u"Interval", u"DayOfWeekMask",
                                          u"DayOfMonth",     u"Instance", u"MonthOfYear"};

DATE ToDate(const SYSTEMTIME& st) {
    DATE d = 0;
    return platform::SystemTimeToVariantTime(st, d) ? d : 0.0;
}

SYSTEMTIME ToSystemTime(DATE d) {
    SYSTEMTIME st{};
    if (d == 0.0 || !platform::VariantTimeToSystemTime(d, st)) st = SYSTEMTIME{};
    return st;
}

}  // namespace

const OlKindTexts& OlDateUtil::Texts() { return kTexts; }

std::span<const OlClearable> OlDateUtil::Clearables() {
    static const OlClearable members[] = {
        OL_CLEARABLE(OlDateRecord, Subject, Text, CommDateRec, Subject),
        OL_CLEARABLE(OlDateRecord, Body, Text, CommDateRec, Note),
        OL_CLEARABLE(OlDateRecord, Location, Text, CommDateRec, Location),
        OL_CLEARABLE(OlDateRecord, Categories, Text, CommDateRec, Category),
    };
    return members;
}

void OlReadPattern(CDispCmd& item, OlPatternFields fields, DATE& end) {
    VARIANT result;
    const HRESULT hr = item.CallMethod(u"GetRecurrencePattern", nullptr, 0, &result);
    if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) return;
    CDispCmd pattern(result.pdispVal);
    for (int i = 0; i < 6; ++i) pattern.GetInt(kPatternNames[i], fields[i]);
    pattern.GetDate(u"PatternEndDate", &end);
}

void OlWritePattern(CDispCmd& item, OlPatternFields fields, DATE end) {
    VARIANT result;
    const HRESULT hr = item.CallMethod(u"GetRecurrencePattern", nullptr, 0, &result);
    if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) return;
    CDispCmd pattern(result.pdispVal);
    pattern.PutInt(kPatternNames[0], *fields[0]);
    for (int i = 1; i < 6; ++i)
        if (*fields[i] > 0) pattern.PutInt(kPatternNames[i], *fields[i]);
    if (end > 1.0) pattern.PutDate(u"PatternEndDate", end);
}

void OlClearPattern(CDispCmd& item) {
    std::uint8_t recurring = 0;
    if (item.GetBool(u"IsRecurring", &recurring) == S_OK && recurring)
        item.CallMethod(u"ClearRecurrencePattern", nullptr, 0, nullptr);
}

void OlRepeatToPattern(const CommRepeatInfo& r, std::int32_t& type, std::int32_t& interval, std::int32_t& mask,
                       std::int32_t& dayOfMonth, std::int32_t& instance, std::int32_t& monthOfYear, DATE& end) {
    switch (r.Type) {
    case CommRepeatDaily:
        type = olRecursDaily;
        interval = r.Interval;
        mask = r.DayOfWeekMask;
        break;
    case CommRepeatWeekly:
        type = olRecursWeekly;
        interval = r.Interval;
        mask = r.DayOfWeekMask;
        break;
    case CommRepeatMonthlyByDay:
        type = olRecursMonthNth;
        interval = r.Interval;
        instance = r.Instance;
        mask = r.DayOfWeekMask;
        break;
    case CommRepeatMonthlyByDate:
        type = olRecursMonthly;
        interval = r.Interval;
        dayOfMonth = r.DayOfMonth;
        break;
    case CommRepeatYearlyByDay:
        type = olRecursYearNth;
        interval = r.Interval;
        instance = r.Instance;
        monthOfYear = r.MonthOfYear;
        mask = r.DayOfWeekMask;
        break;
    case CommRepeatYearlyByDate:
        // Every n years: the interval is kept, or a biennial date would
        // come every year.
        type = olRecursYearly;
        interval = r.Interval;
        dayOfMonth = r.DayOfMonth;
        monthOfYear = r.MonthOfYear;
        break;
    default: type = -1; return;
    }
    if (r.HasEnd) end = ToDate(r.EndDate);
}

void OlPatternToRepeat(std::int32_t type, std::int32_t interval, std::int32_t mask, std::int32_t dayOfMonth,
                       std::int32_t instance, std::int32_t monthOfYear, DATE end, CommRepeatInfo& r) {
    r = CommRepeatInfo{};
    switch (type) {
    case olRecursDaily:
        r.Type = CommRepeatDaily;
        r.Interval = interval;
        r.DayOfWeekMask = mask;
        break;
    case olRecursWeekly:
        r.Type = CommRepeatWeekly;
        r.Interval = interval;
        r.DayOfWeekMask = mask;
        break;
    case olRecursMonthly:
        r.Type = CommRepeatMonthlyByDate;
        r.Interval = interval;
        r.DayOfMonth = dayOfMonth;
        break;
    case olRecursMonthNth:
        r.Type = CommRepeatMonthlyByDay;
        r.Interval = interval;
        r.Instance = instance;
        r.DayOfWeekMask = mask;
        break;
    case olRecursYearly:
        r.Type = CommRepeatYearlyByDate;
        r.Interval = interval > 1 ? interval : 1;
        r.MonthOfYear = monthOfYear;
        r.DayOfMonth = dayOfMonth;
        break;
    case olRecursYearNth:
        r.Type = CommRepeatYearlyByDay;
        r.Interval = interval;
        r.MonthOfYear = monthOfYear;
        r.Instance = instance;
        r.DayOfWeekMask = mask;
        break;
    default: return;
    }
    if (end > 1.0) {
        r.HasEnd = 1;
        r.EndDate = ToSystemTime(end);
    }
}

bool OlDateUtil::ReadItem(CDispCmd& item, OlDateRecord& rec) {
    item.GetString(u"EntryID", rec.EntryID, 1023);
    item.GetBool(u"AllDayEvent", &rec.AllDayEvent);
    item.GetInt(u"Duration", &rec.Duration);
    item.GetDate(u"End", &rec.End);
    item.GetDate(u"Start", &rec.Start);
    item.GetBool(u"ReminderSet", &rec.ReminderSet);
    if (GetVersionClass() > 3)
        item.GetInt(u"ReminderMinutesBeforeStart", &rec.ReminderMinutesBeforeStart);
    else
        item.GetDate(u"ReminderTime", &rec.ReminderTime);
    item.GetString(u"Subject", rec.Subject, sizeof rec.Subject);
    item.GetString(u"Body", rec.Body, sizeof rec.Body);
    item.GetString(u"Location", rec.Location, sizeof rec.Location);
    item.GetString(u"Categories", rec.Categories, sizeof rec.Categories);
    item.GetBool(u"IsRecurring", &rec.IsRecurring);
    if (rec.IsRecurring) {
        std::int32_t* fields[6];
        OlPatternOf(rec, fields);
        OlReadPattern(item, fields, rec.PatternEndDate);
    } else {
        rec.RecurrenceType = -1;
    }
    item.GetDate(u"CreationTime", &rec.CreationTime);
    item.GetDate(u"LastModificationTime", &rec.LastModificationTime);
    return true;
}

HRESULT OlDateUtil::WriteItem(CDispCmd& item, OlDateRecord& rec) {
    item.PutBool(u"AllDayEvent", rec.AllDayEvent);
    item.PutInt(u"Duration", rec.Duration);
    item.PutDate(u"Start", rec.Start);
    item.PutBool(u"ReminderSet", rec.ReminderSet);
    if (GetVersionClass() > 3)
        item.PutInt(u"ReminderMinutesBeforeStart", rec.ReminderMinutesBeforeStart);
    else
        item.PutDate(u"ReminderTime", rec.ReminderTime);
    item.PutString(u"Subject", rec.Subject);
    item.PutString(u"Body", rec.Body);
    item.PutString(u"Location", rec.Location);
    item.PutString(u"Categories", rec.Categories);
    OlWriteRecurrence(item, rec);
    return item.CallMethod(u"Save", nullptr, 0, nullptr);
}

std::int32_t OlDateUtil::EventDuration(const CommDateRec& rec) {
    const DATE start = ToDate(rec.Start);
    const DATE end = ToDate(rec.End);
    if (rec.AllDay) {
        // 1440 minutes for each calendar day the event touches; an end at
        // midnight does not touch its day.
        if (start == 0.0 || end == 0.0) return 1440;
        const double startDay = std::floor(start);
        const double endDay = std::floor(end);
        long days = static_cast<long>(endDay - startDay) + (end > endDay ? 1 : 0);
        if (days < 1) days = 1;
        return static_cast<std::int32_t>(days * 1440);
    }
    if (start == 0.0 || end == 0.0)
        return MinutesBetween(rec.End, rec.Start) > 0 ? MinutesBetween(rec.End, rec.Start) : 0;
    const long minutes = std::lround((end - start) * 1440.0);
    return minutes > 0 ? static_cast<std::int32_t>(minutes) : 0;
}

void OlDateUtil::ToOutlookRecord(const CommDateRec& in, OlDateRecord& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Body, sizeof out.Body, in.Note, sizeof in.Note);
    OlCopyText(out.Categories, sizeof out.Categories, in.Category, sizeof in.Category);
    OlCopyText(out.Location, sizeof out.Location, in.Location, sizeof in.Location);
    out.Start = ToDate(in.Start);
    out.End = ToDate(in.End);
    out.AllDayEvent = in.AllDay ? 1 : 0;
    out.ReminderSet = in.Alarm ? 1 : 0;
    if (in.Alarm && in.ReminderCount) {
        const CommReminder& r = in.Reminders[0];
        // A reminder keeps its lead time: 0 stays 0, and a week is seven
        // days. Only a unit Outlook cannot express gets its default.
        int minutes = 15;     // for ReminderMinutesBeforeStart
        int leadMinutes = 5;  // for ReminderTime
        int leadDays = 0;
        const int amount = r.Amount > 0 ? r.Amount : 0;
        switch (r.Unit) {
        case CommUnitMinutes:
            minutes = amount;
            leadMinutes = amount;
            break;
        case CommUnitHours:
            minutes = amount * 60;
            leadMinutes = amount * 60;
            break;
        case CommUnitDays:
            minutes = amount * 1440;
            leadMinutes = 0;
            leadDays = amount;
            break;
        case CommUnitWeeks:
            minutes = amount * 10080;
            leadMinutes = 0;
            leadDays = amount * 7;
            break;
        default: break;
        }
        out.ReminderMinutesBeforeStart = minutes;
        if (GetVersionClass() <= 3) {
            SYSTEMTIME t = in.Start;
            if (leadDays > 0) {
                t.wHour = t.wMinute = t.wSecond = t.wMilliseconds = 0;
                AddDays(t, -leadDays);
            } else {
                AddMinutes(t, -leadMinutes);  // never before 00:00 of the start day
            }
            out.ReminderTime = ToDate(t);
        }
    }
    out.Duration = EventDuration(in);
    OlRepeatToPattern(in.Repeat, out.RecurrenceType, out.Interval, out.DayOfWeekMask, out.DayOfMonth, out.Instance,
                      out.MonthOfYear, out.PatternEndDate);
    if (in.Repeat.Type == CommRepeatNone) out.RecurrenceType = -1;
}

void OlDateUtil::ToCommonRecord(const OlDateRecord& in, CommDateRec& out) {
    OlCopyText(out.Subject, sizeof out.Subject, in.Subject, sizeof in.Subject);
    OlCopyText(out.Note, sizeof out.Note, in.Body, sizeof in.Body);
    OlCopyText(out.Category, sizeof out.Category, in.Categories, sizeof in.Categories);
    OlCopyText(out.Location, sizeof out.Location, in.Location, sizeof in.Location);
    out.Start = ToSystemTime(in.Start);
    out.End = ToSystemTime(in.End);
    out.Alarm = in.ReminderSet ? 1 : 0;
    int lead = 0;
    if (GetVersionClass() <= 3) {
        // Whole minutes, rounded: a date difference is not exact in binary.
        if (in.ReminderTime > 0) lead = static_cast<int>(std::lround((in.Start - in.ReminderTime) * 60 * 24));
    } else if (in.ReminderSet) {
        lead = in.ReminderMinutesBeforeStart;
    }
    if (lead > 0) {
        out.ReminderCount = 1;
        if (lead <= 59)
            out.Reminders[0] = CommReminder{0, lead, CommUnitMinutes};
        else if (lead > 1439)
            out.Reminders[0] = CommReminder{0, lead / 1440, CommUnitDays};
        else
            out.Reminders[0] = CommReminder{0, lead / 60, CommUnitHours};
    }
    out.DurationMinutes = MinutesBetween(out.End, out.Start);
    out.AllDay = in.AllDayEvent ? 1 : 0;
    if (in.RecurrenceType >= 0)
        OlPatternToRepeat(in.RecurrenceType, in.Interval, in.DayOfWeekMask, in.DayOfMonth, in.Instance, in.MonthOfYear,
                          in.PatternEndDate, out.Repeat);
    out.CreationTime = in.CreationTime;
    out.LastModificationTime = in.LastModificationTime;
    out.SourceType = CommSourceOutlook;
}
