#include "common/ACT/CxACTDateUtil.h"

#include "common/bridge/CxExchangeRead.h"
#include "common/misc/CxDateTime.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kCalendarTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading ACT! Calendar Events.";
    t.reading = "Start loading ACT! Calendar events information from temperary file: %s";
    t.count = "There are %d Calendar event records in total.";
    t.afterReading = "Load ACT! Calendar event information from file successfully.";
    t.success = "Load ACT! Calendar events information successfully.";
    t.failure = "Failed to load ACT! Calendar events information.";
    t.startBeforeClear = true;
    return t;
}();

// A missing date (0) stays an empty time.
SYSTEMTIME TimeOf(double date) {
    SYSTEMTIME st{};
    if (date != 0.0 && !platform::VariantTimeToSystemTime(date, st)) st = SYSTEMTIME{};
    return st;
}

enum ActRecurrence : std::int32_t { kActNone = 0, kActDaily = 1, kActWeekly = 2, kActMonthly = 3, kActYearly = 4 };

void ConvertRepeat(const ACTDateRec& r, CommRepeatInfo& repeat) {
    const bool onDate = r.OnDate == 1;
    switch (r.Recurrence) {
    case kActDaily:
        repeat.Type = CommRepeatDaily;
        repeat.Interval = r.Interval;
        break;
    case kActWeekly:
        repeat.Type = CommRepeatWeekly;
        repeat.Interval = r.Interval;
        repeat.DayOfWeekMask = r.DayValue;
        break;
    case kActMonthly:
    case kActYearly:
        if (onDate) {
            repeat.Type = r.Recurrence == kActMonthly ? CommRepeatMonthlyByDate : CommRepeatYearlyByDate;
            repeat.DayOfMonth = r.DayValue;
        } else {
            repeat.Type = r.Recurrence == kActMonthly ? CommRepeatMonthlyByDay : CommRepeatYearlyByDay;
            repeat.Instance = r.Instance;
            repeat.DayOfWeekMask = r.DayValue;
        }
        if (r.Recurrence == kActYearly) repeat.MonthOfYear = r.MonthOfYear;
        repeat.Interval = r.Interval;
        break;
    default: repeat.Type = CommRepeatNone; break;
    }
    // An end on or before 31 December 1899 is no end.
    if (repeat.Type != CommRepeatNone && r.RecurrenceEnd > 1.0) {
        repeat.HasEnd = 1;
        repeat.EndDate = TimeOf(r.RecurrenceEnd);
    }
}

}  // namespace

CxACTDateUtil::CxACTDateUtil() : CxHelperKindBridge(kHelperACTDate) {}

bool CxACTDateUtil::Load() { return LoadWithTexts_(kCalendarTexts); }

bool CxACTDateUtil::LoadRecFromFile_(CxFile& file, ACTDateRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.Description);
    ReadText(file, r.Location);
    ReadText(file, r.Notes);
    ReadInt(file, r.ActivityType);
    ReadDate(file, r.Start);
    ReadDate(file, r.End);
    ReadDate(file, r.CreateTime);
    ReadDate(file, r.EditDate);
    ReadInt(file, r.Kept);
    ReadInt(file, r.DayValue);
    ReadInt(file, r.OnDate);
    ReadInt(file, r.Interval);
    ReadInt(file, r.Instance);
    ReadInt(file, r.MonthOfYear);
    ReadInt(file, r.Recurrence);
    ReadDate(file, r.RecurrenceEnd);
    ReadFlag(file, r.Private);
    ReadFlag(file, r.AllDay);
    return true;
}

void CxACTDateUtil::ConvertRecord_(const ACTDateRec& r, CommDateRec& rec) {
    const CommTextCopier copy(CommKindDate, "ACT! activity", static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Subject, r.Description, "Description");
    copy(rec.Location, r.Location, "Location");
    copy(rec.Note, r.Notes, "Notes");
    rec.EventType = r.ActivityType >= 0 && r.ActivityType <= 3 ? r.ActivityType : 0;
    rec.Start = TimeOf(r.Start);
    rec.End = TimeOf(r.End);
    rec.Private = r.Private != 0 ? 1 : 0;
    rec.AllDay = r.AllDay != 0 ? 1 : 0;
    // An all-day activity covers its days from midnight to midnight, as
    // all-day events of the other sources do.
    if (rec.AllDay) SpanWholeDays(rec.Start, rec.End);
    ConvertRepeat(r, rec.Repeat);
    rec.SourceType = CommSourceAct;
}
