#include "common/lotus/CxLNDateUtil.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "common/bridge/CxExchangeRead.h"
#include "common/misc/CxDateTime.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTextCopier.h"
#include "common/records/CommTypes.h"

namespace {

constexpr CxLoadTexts kCalendarTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading Lotus Notes Calendar.";
    t.reading = "Start loading Lotus Notes Calendar from temperary file: %s";
    t.count = "There are %d Calendar records in total.";
    t.afterReading = "Load Lotus Notes Calendar information from file successfully.";
    t.success = "Load Lotus Notes Calendar information successfully.";
    t.failure = "Failed to load Lotus Notes Calendar information.";
    return t;
}();

// A missing date (0) stays an empty time.
SYSTEMTIME TimeOf(double date) {
    SYSTEMTIME st{};
    if (date != 0.0 && !platform::VariantTimeToSystemTime(date, st)) st = SYSTEMTIME{};
    return st;
}

// The value of a decimal text's leading digits (leading blanks and a sign
// allowed); 0 for anything else.
std::int32_t DecimalOf(const char* text) {
    long v = std::strtol(text, nullptr, 10);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<std::int32_t>(v);
}

bool IsMidnight(const SYSTEMTIME& st) {
    return st.wYear != 0 && st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0 && st.wMilliseconds == 0;
}

void ConvertRepeat(const LNDateRec& r, const SYSTEMTIME& start, CommRepeatInfo& repeat) {
    repeat = CommRepeatInfo{};
    if (r.Repeats[0] != '1') return;
    const char* unit = r.RepeatUnit;
    if (std::strcmp(unit, "D") == 0) {
        repeat.Type = CommRepeatDaily;
    } else if (std::strcmp(unit, "W") == 0) {
        repeat.Type = CommRepeatWeekly;
        repeat.DayOfWeekMask = DecimalOf(r.RepeatOn);
    } else if (std::strcmp(unit, "MD") == 0) {
        repeat.Type = CommRepeatMonthlyByDate;
        repeat.DayOfMonth = DecimalOf(r.RepeatOn);
    } else if (std::strcmp(unit, "MP") == 0) {
        repeat.Type = CommRepeatMonthlyByDay;
        repeat.DayOfWeekMask = DecimalOf(r.RepeatOn);
        // Which weekday of the month: the week of the month the entry
        // starts in (days 1 to 7 the first, 8 to 14 the second, ...).
        repeat.Instance = start.wDay > 0 ? (start.wDay - 1) / 7 + 1 : 0;
    } else if (std::strcmp(unit, "Y") == 0) {
        repeat.Type = CommRepeatYearlyByDate;
        repeat.MonthOfYear = start.wMonth;
        repeat.DayOfMonth = start.wDay;
    } else {
        return;
    }
    repeat.Interval = DecimalOf(r.RepeatInterval);
    if (r.RepeatUntil > 0.0) {
        repeat.HasEnd = 1;
        repeat.EndDate = TimeOf(r.RepeatUntil);
    }
}

}  // namespace

CxLNDateUtil::CxLNDateUtil() : CxHelperKindBridge(kHelperLNDate) {}

bool CxLNDateUtil::Load() { return LoadWithTexts_(kCalendarTexts); }

bool CxLNDateUtil::LoadRecFromFile_(CxFile& file, LNDateRec& r) {
    using namespace cxexchange;
    if (!file.IsOpen()) return false;
    ReadInts(file, r.Header);
    ReadText(file, r.RecordID);
    ReadText(file, r.Subject);
    ReadText(file, r.Location);
    ReadText(file, r.Body);
    ReadText(file, r.Repeats);
    ReadText(file, r.Resources);
    ReadText(file, r.StartTimeZone);
    ReadText(file, r.EndTimeZone);
    ReadDate(file, r.DisplayStart);
    ReadDate(file, r.DisplayEnd);
    ReadDates(file, r.KeptDates);
    ReadDate(file, r.Start);
    ReadDate(file, r.End);
    ReadText(file, r.RepeatUnit);
    ReadText(file, r.RepeatInterval);
    ReadText(file, r.RepeatOn);
    ReadText(file, r.KeptText1);
    ReadDate(file, r.KeptDate1);
    ReadText(file, r.KeptText2);
    ReadDate(file, r.RepeatUntil);
    ReadText(file, r.KeptText3);
    ReadInt(file, r.KeptValue);
    ReadText(file, r.KeptText4);
    ReadDate(file, r.KeptDate2);
    ReadTexts(file, r.KeptTexts);
    ReadFlag(file, r.Private);
    return true;
}

void CxLNDateUtil::ConvertRecord_(const LNDateRec& r, CommDateRec& rec) {
    const CommTextCopier copy(CommKindDate, "Lotus Notes calendar entry",
                              static_cast<std::int32_t>(GetRecordCount() + 1));
    copy(rec.Subject, r.Subject, "Subject");
    copy(rec.Location, r.Location, "Location");
    copy(rec.Note, r.Body, "Body");
    rec.Start = TimeOf(r.Start);
    rec.End = TimeOf(r.End);
    // Notes keeps no all-day flag: an all-day entry comes from the helper
    // as midnight to midnight, whole days apart.
    if (IsMidnight(rec.Start) && IsMidnight(rec.End) && r.End > r.Start) rec.AllDay = 1;
    rec.Private = r.Private != 0 ? 1 : 0;
    ConvertRepeat(r, rec.Start, rec.Repeat);
    rec.SourceType = CommSourceDomino;
}
